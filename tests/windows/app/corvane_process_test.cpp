// corvane.exe as real processes in the test prefix: start-up, the hand-over to a running instance,
// the options, the message without adapters, a switch from the icon's menu and the command line.
#include <filesystem>

#include "tests/windows/harness.h"

#include "app/main_window_win32.h"
#include "core/settings_io.h"
#include "profiles/profile_file.h"
#include "resources/resource.h"
#include "tray/tray_win32.h"

namespace corvane {
namespace {

using test::answerMessageBox;
using test::waitFor;

constexpr DWORD kSettleMs = 700;  // long enough for a posted request to have opened the dialog

HWND mainWindow() {
    return FindWindowW(kMainClassName, L"Corvane");
}

// In the notification area, and its dialog open if it opens one. (Wine may report a process idle
// while it waits on another, as adding the icon does: WaitForInputIdle cannot tell.)
bool started() {
    const bool inTray = waitFor([] { return trayIconShown(mainWindow()); });
    Sleep(kSettleMs);
    return inTray;
}

struct Corvane : test::Process {
    explicit Corvane(const std::wstring& arguments)
        : Process(L"\"" + test::onDriveZ(CORVANE_EXE) + L"\" " + arguments) {}
};

// One adapter, named by its group, on DHCP, with its default profile "Home".
class CorvaneProcessTest : public testing::Test, public test::Handheld {
  protected:
    void SetUp() override {
        addAdapter(u"CVTEST1", u"");
        addProfile(u"Home");
        setDefault(u"CVTEST1", u"Home");
    }
};

TEST_F(CorvaneProcessTest, StartsIntoTheTrayHandsOverWritesItsOptionsAtExitOrNeedsAnAdapter) {
    const std::u16string old = u"Software\\Tavelorn\\Corvane\\1.";
    for (const char16_t* key : {u"0\\Profiles\\Home", u"1\\Profiles\\Work", u"2\\Profiles\\Keep"}) {
        putKey(registry, kCurrentUser, old + key);
    }
    putDword(registry, kCurrentUser, kAppKeyPath, kApplyToAllOption, 1);
    {
        Corvane first(L"-nod");
        ASSERT_TRUE(started());
        EXPECT_TRUE(first.dialogs().empty()) << "-nod keeps the dialog closed";
        EXPECT_FALSE(keyExists(registry, kCurrentUser, old + u"0"));
        EXPECT_FALSE(keyExists(registry, kCurrentUser, old + u"1"));
        EXPECT_TRUE(keyExists(registry, kCurrentUser, old + u"2\\Profiles\\Keep"));

        EXPECT_EQ(Corvane(L"").exitCode(), 0u);
        ASSERT_TRUE(waitFor([&] { return first.dialogs().size() == 1; }));
        EXPECT_EQ(Corvane(L"").exitCode(), 0u);
        Sleep(kSettleMs);
        ASSERT_EQ(first.dialogs().size(), 1u) << "with the dialog open a start only brings it up";
        PostMessageW(first.dialogs().front(), WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(waitFor([&] { return first.dialogs().empty(); }));
        EXPECT_TRUE(trayIconShown(mainWindow())) << "closing the dialog leaves the icon";
        EXPECT_EQ(Corvane(L"").exitCode(), 0u);
        ASSERT_TRUE(waitFor([&] { return first.dialogs().size() == 1; }));
        PostMessageW(mainWindow(), WM_COMMAND, IDM_EXIT, 0);
        EXPECT_EQ(first.exitCode(), 0u) << "ended from the icon's menu, with the dialog open";
    }
    // Written as 4-byte DWORDs (9 when not): ShowStart's default, and ApplyToAll as the dialog
    // left it, off with only one adapter.
    const auto option = [&](std::u16string_view name) {
        std::uint32_t value = 0;
        readDwordOption(registry, name, value, 9);
        return value;
    };
    EXPECT_EQ(std::pair(option(kShowStartOption), option(kApplyToAllOption)), std::pair(1u, 0u));

    // Without an adapter: one message, over the icon, which comes before the adapters.
    registry.deleteTree(kLocalMachine, u"Comm");
    Corvane alone(L"");
    const auto overTheIcon = [](HWND box) { EXPECT_TRUE(trayIconShown(GetWindow(box, GW_OWNER))); };
    EXPECT_EQ(answerMessageBox(alone, IDOK, overTheIcon).substr(0, 40),
              L"Unable to find network adapter(s). Pleas");
    EXPECT_EQ(alone.exitCode(), 0u);
}

// The shell's window. (A lambda is no stdcall window procedure on 32 bits.)
int settingChanges = 0;
LRESULT CALLBACK shellProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    settingChanges += message == WM_SETTINGCHANGE && wParam == 0 && lParam == 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

// "Office" from the second adapter's submenu (its menu is read in the dialog's test): applied, the
// shell's window told of the changed proxy, the user told, then the refresh offering a default.
TEST_F(CorvaneProcessTest, AProfileChosenFromTheIconsMenuIsAppliedAndToldThenTheListRefreshed) {
    addAdapter(u"CVTEST2", u"Card Two");
    addProfile(u"Office", u"10.2.0.1");
    putDword(registry, kCurrentUser, profilePath(u"Office"), u"UseProxy", 1);
    registry.deleteTree(kCurrentUser, std::u16string(kAppKeyPath) + u"\\CVTEST1");
    setDefault(u"CVTEST2", u"Home");
    putDword(registry, kCurrentUser, kAppKeyPath, kShowStartOption, 0);
    const WNDCLASSW shell{0,       shellProc, 0,       0,       GetModuleHandleW(nullptr),
                          nullptr, nullptr,   nullptr, nullptr, L"DesktopExplorerWindow"};
    CreateWindowExW(0, MAKEINTATOM(RegisterClassW(&shell)), L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                    nullptr, shell.hInstance, nullptr);

    Corvane corvane(L"");
    ASSERT_TRUE(started());
    // The second adapter's ids start at 10300: Home, then Office.
    PostMessageW(mainWindow(), WM_COMMAND, IDM_FIRST_PROFILE + IDM_PROFILES_PER_ADAPTER + 1, 0);
    const auto ownedByMain = [](HWND box) { EXPECT_EQ(GetWindow(box, GW_OWNER), mainWindow()); };
    EXPECT_EQ(answerMessageBox(corvane, IDOK, ownedByMain).substr(0, 40),
              L"The next time the adapter is used it wil");
    EXPECT_EQ(settingChanges, 1) << "the shell was told, so no reset is asked for";
    EXPECT_EQ(answerMessageBox(corvane, IDNO).substr(0, 68),
              L"No profiles are associated with the selected network adapter \"NDIS\".")
        << "named by its group, having no display name";
    Sleep(kSettleMs);
    EXPECT_TRUE(corvane.dialogs().empty()) << "the offer declined";
    EXPECT_EQ(std::tuple(defaultOf(u"CVTEST2"), systemIp(u"CVTEST2"), profileIp(u"Default")),
              std::tuple(u"Office", u"10.2.0.1", u"(none)"));
}

// Alone: a switch and its undo, each a process of its own, a mistake, an export, and a file command
// of each outcome: an output that cannot be replaced (a folder in its place), an export without the
// values too long for a profile file, an input too large to be one, refused unread. Then in the
// running instance while it asks whether to make a default: a command refused; after, a switch told
// by it and shown in its dialog, an import in place of the stored profiles and two failures.
TEST_F(CorvaneProcessTest, TheCommandLineRunsAloneOrInTheRunningInstanceEachOutcomeWithItsCode) {
    addProfile(u"Office", u"10.2.0.1");
    EXPECT_EQ(Corvane(L"-switch office -quiet").exitCode(), 0u);
    EXPECT_EQ(Corvane(L"-undo -quiet").exitCode(), 0u);
    Corvane usage(L"-switch");
    EXPECT_EQ(answerMessageBox(usage).substr(0, 22), L"Usage:\ncorvane [-nod]\n");
    EXPECT_EQ(usage.exitCode(), 1u);
    EXPECT_EQ(std::tuple(defaultOf(u"CVTEST1"), systemIp(u"CVTEST1")), std::tuple(u"Home", u""))
        << "the switch undone, and the mistake changed nothing";
    const std::vector<unsigned char> store = *exportFile(registry).bytes;
    EXPECT_EQ(Corvane(L"-export cvtest.prf -quiet").exitCode(), 0u);  // the caller's directory
    EXPECT_EQ(test::fileBytes(L"cvtest.prf"), store);
    CreateDirectoryW(L"cv-folder.prf", nullptr);
    Corvane folder(L"-export cv-folder.prf -quiet");
    EXPECT_EQ(answerMessageBox(folder), L"Couldn't create a new file");
    EXPECT_EQ(folder.exitCode(), 6u);
    RemoveDirectoryW(L"cv-folder.prf");
    // A proxy's name of 256 characters: 514 bytes, more than a value of a profile file holds.
    putString(registry, kCurrentUser, profilePath(u"Far"), u"ProxyServer",
              std::u16string(256, u'p'));
    Corvane shortened(L"-export cv-long.prf -quiet");
    EXPECT_EQ(answerMessageBox(shortened).substr(0, 38),
              L"Profile \"Far\" was exported without its");
    EXPECT_EQ(shortened.exitCode(), 10u) << "a failure told, though the file is written";
    EXPECT_EQ(test::fileBytes(L"cv-long.prf"), *exportFile(registry).bytes);
    std::filesystem::resize_file("cv-long.prf", kMaxProfileFileBytes + 1);
    Corvane tooLarge(L"-import cv-long.prf -replace -quiet");
    EXPECT_EQ(answerMessageBox(tooLarge), L"Unable to import profiles: file \"" +
                                              std::filesystem::absolute("cv-long.prf").wstring() +
                                              L"\" is larger than 8 MB.");
    EXPECT_EQ(tooLarge.exitCode(), 7u);
    DeleteFileW(L"cv-long.prf");

    registry.deleteTree(kCurrentUser, std::u16string(kAppKeyPath) + u"\\CVTEST1");
    Corvane first(L"");
    answerMessageBox(first, IDNO, [&](HWND) {
        EXPECT_EQ(first.dialogs().size(), 2u) << "asked over the dialog, already shown";
        Corvane meanwhile(L"-switch Office -quiet");
        EXPECT_EQ(answerMessageBox(meanwhile).substr(0, 17), L"Corvane is busy. ");
        EXPECT_EQ(meanwhile.exitCode(), 9u);
    });
    Corvane second(L"-switch Office");
    EXPECT_EQ(answerMessageBox(first).substr(0, 40), L"The next time the adapter is used it wil");
    EXPECT_EQ(second.exitCode(), 0u);
    EXPECT_EQ(test::windowText(GetDlgItem(first.dialogs().at(0), IDC_PROFILE_LIST)), L"Office");
    addProfile(u"Home", u"10.9.0.9");
    addProfile(u"Extra");
    EXPECT_EQ(Corvane(L"-import cvtest.prf -replace -quiet").exitCode(), 0u);
    EXPECT_EQ(*exportFile(registry).bytes, store);
    DeleteFileW(L"cvtest.prf");
    Corvane missing(L"-import cvtest.prf -quiet");
    EXPECT_EQ(answerMessageBox(first).substr(0, 24), L"Unable to open file \"Z:\\")
        << "named by its full path";
    EXPECT_EQ(missing.exitCode(), 6u);
    Corvane corrupt(L"-import \"" + test::onDriveZ(CORVANE_EXE) + L"\"");  // no profile file
    EXPECT_EQ(answerMessageBox(first).substr(0, 26), L"Unable to import profiles:");
    EXPECT_EQ(corrupt.exitCode(), 7u);
}

}  // namespace
}  // namespace corvane
