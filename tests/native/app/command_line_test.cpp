#include "app/command_line.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

using Kind = CommandRequest::Kind;

TEST(CommandLineTest, SplitsAsTheWindowsRuntimeAndTakesOnlyWholeCommands) {
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
}

TEST(CommandLineTest, ARequestCrossesToTheRunningInstanceWholeAndNothingElseDoes) {
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

TEST(CommandLineTest, ASwitchFindsTheProfileAndAdapterAsStoredAndTellsWhatIsMissing) {
    Device device(2, true);
    device.session.applyToAll = 1;
    Messages messages;
    const auto run = [&](const char16_t* profile, const char16_t* adapter) {
        messages.clear();
        return switchCommand(device.session, {Kind::Switch, profile, adapter, {}, false, false},
                             messages);
    };
    EXPECT_EQ(run(u"Lab", u""), ExitStatus::UnknownProfile);
    EXPECT_EQ(messages, Messages{failure(IDS_UNKNOWN_PROFILE, u"Lab")});
    EXPECT_EQ(run(u"Home", u"A9"), ExitStatus::UnknownAdapter);
    EXPECT_EQ(messages, Messages{failure(IDS_UNKNOWN_ADAPTER, u"A9")});

    // A named adapter alone, whatever applyToAll says; the name recorded as it is stored.
    EXPECT_EQ(run(u"oFFICE", u"a2"), ExitStatus::Ok);
    EXPECT_EQ(device.defaultOf(u"A2"), u"Office");
    EXPECT_EQ(device.defaultOf(u"A1"), u"(none)");

    EXPECT_EQ(run(u"Home", u""), ExitStatus::Ok);
    EXPECT_EQ(device.systemIp(u"A2"), u"10.1.0.1") << "as the menu: every adapter";

    device.registry.failValue(u"DefProfile", status::kAccessDenied);
    EXPECT_EQ(run(u"Office", u""), ExitStatus::Failed) << "a failure told is no success";
}

TEST(CommandLineTest, AnUndoOfAnAdapterNeverSwitchedHasItsOwnCodeAndChangesNothing) {
    Device device(2, true);
    Messages messages;
    const auto undo = [&](const char16_t* adapter) {
        messages.clear();
        return undoCommand(device.session, {Kind::Undo, {}, adapter, {}, false, false}, messages);
    };
    EXPECT_EQ(undo(u"A9"), ExitStatus::UnknownAdapter);
    EXPECT_EQ(undo(u""), ExitStatus::NothingToUndo);
    EXPECT_EQ(messages, Messages{failure(IDS_NOTHING_TO_UNDO, u"Card A1")});
    EXPECT_EQ(static_cast<int>(ExitStatus::NothingToUndo), 11);

    // As the menu: the first adapter, or with applyToAll every adapter, unless one is named.
    switchToProfile(device.session, device.adapter(1), u"Office", false, messages);
    EXPECT_EQ(undo(u""), ExitStatus::NothingToUndo) << "the first adapter was never switched";
    EXPECT_EQ(device.systemIp(u"A2"), u"10.2.0.1");
    device.session.applyToAll = 1;
    EXPECT_EQ(undo(u""), ExitStatus::Ok);
    EXPECT_EQ(device.systemIp(u"A2"), u"192.168.0.2");
    EXPECT_EQ(undo(u"a2"), ExitStatus::Ok);
    EXPECT_EQ(device.systemIp(u"A2"), u"10.2.0.1") << "redone";

    device.registry.failValue(u"PreviousDefProfile", status::kAccessDenied);
    EXPECT_EQ(undo(u"A2"), ExitStatus::Failed);
}

}  // namespace
}  // namespace corvane
