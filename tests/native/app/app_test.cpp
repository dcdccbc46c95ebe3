#include "app/command_line.h"

#include <gtest/gtest.h>

#include "app/main_window.h"

#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

using Kind = CommandRequest::Kind;

TEST(CommandLineTest, SplitsAsTheWindowsRuntimeTakesOnlyWholeCommandsAndCrossesOnlyThem) {
    using Words = std::vector<std::u16string>;
    EXPECT_EQ(splitCommandLine(uR"(  -switch  "My Place" a"b c"d )"),
              (Words{u"-switch", u"My Place", u"ab cd"}));
    EXPECT_EQ(splitCommandLine(uR"(C:\dir\ "C:\My dir\\" \\\"x "say ""hi""" "")"),
              (Words{uR"(C:\dir\)", uR"(C:\My dir\)", uR"(\"x)", uR"(say "hi")", u""}));

    // Without a command word the line is what it always was: "-nod" and anything else.
    EXPECT_EQ(parseCommandLine(u"-nod -switcher Home").kind, Kind::None) << "no option's prefix";
    EXPECT_EQ(parseCommandLine(uR"(-quiet -switch "My Place" -adapter NE2000)"),
              (CommandRequest{Kind::Switch, u"My Place", u"NE2000", {}, false, true}));
    EXPECT_EQ(parseCommandLine(u"-import f.prf -replace"),
              (CommandRequest{Kind::Import, {}, {}, u"f.prf", true, false}));
    EXPECT_EQ(parseCommandLine(u"-export -switch").file, u"-switch") << "taken as it is";
    EXPECT_EQ(parseCommandLine(u"-adapter NE2000 -undo"),
              (CommandRequest{Kind::Undo, {}, u"NE2000", {}, false, false}));
    for (const char16_t* wrong :
         {u"-switch", u"-quiet", u"-switch a -export b", u"-export f -replace",
          u"-import f -adapter A", u"-switch a -adapter", u"-switch a -adapter A -adapter B",
          u"-switch a -Quiet", u"-switch a -adapter \"\"", u"-undo Home", u"-undo -undo",
          u"-undo -switch a", u"-undo -replace", u"-export f -undo"}) {
        EXPECT_EQ(parseCommandLine(wrong).kind, Kind::Usage) << toUtf8(wrong);
    }

    // A request crosses to the running instance whole, and nothing else does.
    for (const CommandRequest& request :
         {CommandRequest{Kind::Import, {}, {}, uR"(Z:\a b\f.prf)", true, true},
          CommandRequest{Kind::Switch, u"Home", {}, {}, false, false},
          CommandRequest{Kind::Undo, {}, u"NE2000", {}, false, true},
          CommandRequest{Kind::Export, {}, {}, u"f.prf", false, false}}) {
        EXPECT_EQ(decodeRequest(encodeRequest(request)), request);
    }
    using namespace std::string_view_literals;
    for (const std::u16string_view text :
         {u"s--\0a\0b"sv, u"s--\0a\0b\0c\0d"sv, u"x--\0a\0b\0c"sv, u"sq-\0a\0b\0c"sv,
          u"s-\0a\0b\0c"sv, u"s--q\0a\0b\0c"sv,
          // Only what a command line gives: no replacing export, no file to switch with.
          u"er-\0\0\0f"sv, u"s--\0a\0\0f"sv, u"i--\0a\0\0f"sv, u"e--\0\0A\0f"sv,
          // -undo takes no profile, file or -replace.
          u"u--\0a\0\0"sv, u"u--\0\0\0f"sv, u"ur-\0\0\0"sv}) {
        EXPECT_EQ(decodeRequest(text), std::nullopt) << toUtf8(text);
    }
}

// As the icon's menu: every adapter with applyToAll, else the first, unless one is named.
TEST(CommandLineTest, SwitchAndUndoFindWhatTheyNameAsStoredAndEndWithTheirOwnCodes) {
    Device device(2, true);
    Messages messages;
    const auto run = [&](Kind kind, const char16_t* profile, const char16_t* adapter) {
        messages.clear();
        const CommandRequest request{kind, profile, adapter, {}, false, false};
        return kind == Kind::Switch ? switchCommand(device.session, request, messages)
                                    : undoCommand(device.session, request, messages);
    };
    for (const Kind kind : {Kind::Switch, Kind::Undo}) {
        EXPECT_EQ(run(kind, u"Home", u"A9"), ExitStatus::UnknownAdapter);
        EXPECT_EQ(messages, Messages{failure(IDS_UNKNOWN_ADAPTER, u"A9")});
    }
    device.session.applyToAll = 1;
    EXPECT_EQ(run(Kind::Switch, u"oFFICE", u"a2"), ExitStatus::Ok);
    EXPECT_EQ(std::pair(device.defaultOf(u"A2"), device.defaultOf(u"A1")),
              std::pair(std::u16string(u"Office"), std::u16string(u"(none)")))
        << "the named adapter alone, the name recorded as it is stored";

    device.session.applyToAll = 0;
    EXPECT_EQ(run(Kind::Undo, u"", u""), ExitStatus::NothingToUndo);
    device.session.applyToAll = 1;
    EXPECT_EQ(run(Kind::Undo, u"", u""), ExitStatus::Ok);
    EXPECT_EQ(device.systemIp(u"A2"), u"192.168.0.2");
    EXPECT_EQ(run(Kind::Switch, u"Home", u""), ExitStatus::Ok);
    EXPECT_EQ(device.systemIp(u"A2"), u"10.1.0.1");

    // A failure told is no success.
    device.registry.failValue(u"DefProfile", status::kAccessDenied);
    EXPECT_EQ(run(Kind::Switch, u"Office", u""), ExitStatus::Failed);
    EXPECT_EQ(run(Kind::Undo, u"", u"A2"), ExitStatus::Failed);
    EXPECT_EQ(messages, Messages{failure(IDS_UNDO_FAILED, u"Card A2")});
}

TEST(MainWindowTest, TheDialogAtStartFollowsNodAndTheOptionTakenOnlyAsAFourByteDword) {
    // "-nod" keeps it closed, in that letter case only and inside a longer word too; so does
    // "ShowStart" 0.
    using Case = std::tuple<const char16_t*, std::uint32_t, bool>;
    for (const auto& [commandLine, showStart, opens] :
         {Case{u"-NOD", 1, true}, Case{u"-no", 1, true}, Case{u"", 2, true},
          Case{u"-nod", 1, false}, Case{u"/x -nodialog", 1, false}, Case{u"", 0, false}}) {
        EXPECT_EQ(opensProfilesAtStart(commandLine, showStart), opens)
            << toUtf8(commandLine) << " " << showStart;
    }

    // Only 4-byte DWORD options are taken, and a failed write is told.
    Device device;
    const std::uint32_t five = 5;
    // As stored (type 0: not there), and whether it is taken.
    for (const auto& [type, size, taken] : {std::tuple{0u, 0u, false},
                                            {regtype::kDword, 4u, true},
                                            {regtype::kString, 4u, false},
                                            {regtype::kDword, 2u, false}}) {
        if (type != 0) {
            putValue(device.registry, kCurrentUser, kAppKeyPath, kShowStartOption, type, &five,
                     size);
        }
        std::uint32_t value = 99;
        const bool read = readDwordOption(device.registry, kShowStartOption, value, 1);
        EXPECT_EQ(std::pair(read, value), std::pair(taken, taken ? 5u : 1u)) << type << size;
    }
    device.registry.failValue(kShowStartOption, status::kAccessDenied);
    EXPECT_FALSE(writeDwordOption(device.registry, kShowStartOption, 1));
}

}  // namespace
}  // namespace corvane
