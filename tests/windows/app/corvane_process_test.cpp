// corvane.exe as real processes in the test prefix: start-up, the hand-over to a running instance,
// the options, the message without adapters, a switch from the icon's menu and the command line.
#include "tests/windows/harness.h"

#include "app/main_window_win32.h"
#include "core/settings_io.h"
#include "profiles/profile_file.h"
#include "resources/resource.h"
#include "tray/tray_win32.h"

namespace corvane {
namespace {

using test::windowText;

constexpr DWORD kWaitMs = 10000;
constexpr DWORD kSettleMs = 700;  // long enough for a posted request to have opened the dialog

// Waits, handling this thread's messages meanwhile (Corvane may tell the test's own windows).
bool waitFor(const std::function<bool()>& condition) {
    for (DWORD waited = 0; !condition(); waited += 20) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        if (waited >= kWaitMs) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

HWND mainWindow() {
    return FindWindowW(kMainClassName, L"Corvane");
}

// One corvane.exe started from the build tree, as Wine's Z: drive sees it.
struct Corvane : test::Process {
    explicit Corvane(const std::wstring& arguments)
        : Process(L"\"" + test::onDriveZ(CORVANE_EXE) + L"\"" + arguments) {}
    // In the notification area, and its dialog open if it opens one. (Wine may report a process
    // idle while it waits on another, as adding the icon does: WaitForInputIdle cannot tell.)
    bool started() const {
        const bool inTray = waitFor([] { return trayIconShown(mainWindow()); });
        Sleep(kSettleMs);
        return inTray;
    }
    // Its visible dialogs and message boxes. Listed from one snapshot of the windows: stepping
    // through them with FindWindowEx can skip one whose place in the z-order changes meanwhile,
    // as a dialog's does when its message box comes up.
    std::vector<HWND> dialogs() const {
        std::pair<DWORD, std::vector<HWND>> search{info.dwProcessId, {}};
        EnumWindows(collectDialog, reinterpret_cast<LPARAM>(&search));
        return search.second;
    }
    static BOOL CALLBACK collectDialog(HWND window, LPARAM lParam) {
        auto& [process, found] = *reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(lParam);
        wchar_t className[8] = {};
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window) &&
            GetClassNameW(window, className, 8) > 0 && std::wstring_view(className) == L"#32770") {
            found.push_back(window);
        }
        return TRUE;
    }
    // Answers its one message box with `reply` once `meanwhile` has seen it: the box's text.
    std::wstring answer(
        int reply = IDOK, const std::function<void(HWND)>& meanwhile = [](HWND) {}) const {
        HWND box = nullptr;
        waitFor([&] {
            std::vector<HWND> shown = dialogs();
            std::erase_if(shown, [](HWND window) { return !test::isMessageBox(window); });
            box = shown.size() == 1 ? shown[0] : nullptr;
            return box != nullptr;
        });
        meanwhile(box);
        const std::wstring text = windowText(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, reply, 0);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }));
        return text;
    }
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
        Corvane first(L" -nod");
        ASSERT_TRUE(first.started());
        EXPECT_TRUE(first.dialogs().empty()) << "-nod keeps the dialog closed";
        EXPECT_FALSE(keyExists(registry, kCurrentUser, old + u"0"));
        EXPECT_FALSE(keyExists(registry, kCurrentUser, old + u"1"));
        EXPECT_TRUE(keyExists(registry, kCurrentUser, old + u"2\\Profiles\\Keep"));

        EXPECT_EQ(Corvane(L"").exitCode(), 0u);
        ASSERT_TRUE(waitFor([&] { return first.dialogs().size() == 1; }));
        // With the dialog already open a further start only brings it forward.
        EXPECT_EQ(Corvane(L"").exitCode(), 0u);
        Sleep(kSettleMs);
        ASSERT_EQ(first.dialogs().size(), 1u);
        // Closing the dialog leaves the program in the notification area.
        PostMessageW(first.dialogs().front(), WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(waitFor([&] { return first.dialogs().empty(); }));
        EXPECT_TRUE(trayIconShown(mainWindow()));
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

    // Without an adapter: one message, over the icon, which comes before the adapters. (Its
    // removal at exit cannot be seen under Wine, which drops an icon with its window.)
    registry.deleteTree(kLocalMachine, u"Comm");
    Corvane alone(L"");
    const auto overTheIcon = [](HWND box) { EXPECT_TRUE(trayIconShown(GetWindow(box, GW_OWNER))); };
    EXPECT_EQ(alone.answer(IDOK, overTheIcon),
              L"Unable to find network adapter(s). Please make sure that at least one network "
              L"adapter is installed and properly configured.");
    EXPECT_EQ(alone.exitCode(), 0u);
}

// "Office" from the second adapter's submenu: the system settings written, the shell's window (one
// of the test's own) told of the changed proxy, the user told, then the refresh offering the first
// adapter a default. (Wine keeps a menu to its process: the menu is read in the tray's own test.)
TEST_F(CorvaneProcessTest, AProfileChosenFromTheIconsMenuIsAppliedAndToldThenTheListRefreshed) {
    addAdapter(u"CVTEST2", u"Card Two");
    addProfile(u"Office", u"10.2.0.1");
    putDword(registry, kCurrentUser, profilePath(u"Office"), u"UseProxy", 1);
    registry.deleteTree(kCurrentUser, std::u16string(kAppKeyPath) + u"\\CVTEST1");
    setDefault(u"CVTEST2", u"Home");
    putDword(registry, kCurrentUser, kAppKeyPath, kShowStartOption, 0);
    static int settingChanges = 0;
    struct Shell {
        // A window procedure is a stdcall function: a lambda converts only on 64 bits.
        static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
            settingChanges += message == WM_SETTINGCHANGE && wParam == 0 && lParam == 0;
            return DefWindowProcW(window, message, wParam, lParam);
        }
    };
    WNDCLASSW shellClass{};
    shellClass.lpfnWndProc = Shell::proc;
    shellClass.hInstance = GetModuleHandleW(nullptr);
    shellClass.lpszClassName = L"DesktopExplorerWindow";
    CreateWindowExW(0, MAKEINTATOM(RegisterClassW(&shellClass)), L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                    nullptr, shellClass.hInstance, nullptr);

    Corvane corvane(L"");
    ASSERT_TRUE(corvane.started());
    EXPECT_TRUE(corvane.dialogs().empty()) << "ShowStart 0 keeps the dialog closed";
    // The second adapter's ids start at 10300: Home, then Office.
    PostMessageW(mainWindow(), WM_COMMAND, IDM_FIRST_PROFILE + IDM_PROFILES_PER_ADAPTER + 1, 0);
    const auto ownedByMain = [](HWND box) { EXPECT_EQ(GetWindow(box, GW_OWNER), mainWindow()); };
    EXPECT_EQ(corvane.answer(IDOK, ownedByMain).substr(0, 40),
              L"The next time the adapter is used it wil");
    EXPECT_EQ(settingChanges, 1) << "the shell was told, so no reset is asked for";
    EXPECT_EQ(corvane.answer(IDNO).substr(0, 68),
              L"No profiles are associated with the selected network adapter \"NDIS\".")
        << "named by its group, having no display name";
    Sleep(kSettleMs);
    EXPECT_TRUE(corvane.dialogs().empty()) << "the offer declined";
    EXPECT_EQ(std::tuple(defaultOf(u"CVTEST2"), systemIp(u"CVTEST2"), profileIp(u"Default")),
              std::tuple(u"Office", u"10.2.0.1", u"(none)"));
}

// The store's export as the dialog's Export writes it.
std::vector<unsigned char> exportedStore(Registry& registry) {
    std::vector<unsigned char> file;
    EXPECT_TRUE(exportProfiles(registry, [&](std::span<const unsigned char> bytes) {
                    file.assign(bytes.begin(), bytes.end());
                    return true;
                }).written);
    return file;
}

// Alone, without an icon: a switch, two mistakes and an export. Then in the running instance, its
// dialog open at the start and asking whether to make a default: a command refused meanwhile, then
// one shown in the dialog; and told by it, a switch, an import in place of the stored profiles and
// two failures.
TEST_F(CorvaneProcessTest, TheCommandLineRunsAloneOrInTheRunningInstance) {
    addProfile(u"Office", u"10.2.0.1");
    EXPECT_EQ(Corvane(L" -switch office -quiet").exitCode(), 0u);
    Corvane unknown(L" -switch Lab -quiet");
    EXPECT_EQ(unknown.answer(), L"There is no network profile \"Lab\".") << "failures are told";
    EXPECT_EQ(unknown.exitCode(), 4u);
    Corvane usage(L" -switch");
    EXPECT_EQ(usage.answer().substr(0, 22), L"Usage:\ncorvane [-nod]\n");
    EXPECT_EQ(usage.exitCode(), 1u);
    EXPECT_EQ(std::tuple(defaultOf(u"CVTEST1"), systemIp(u"CVTEST1")),
              std::tuple(u"Office", u"10.2.0.1"))
        << "switched, and the mistakes changed nothing";
    const std::vector<unsigned char> store = exportedStore(registry);
    EXPECT_EQ(Corvane(L" -export cvtest.prf -quiet").exitCode(), 0u);  // the caller's directory
    EXPECT_EQ(test::fileBytes(L"cvtest.prf"), store);

    registry.deleteTree(kCurrentUser, std::u16string(kAppKeyPath) + u"\\CVTEST1");
    Corvane first(L"");
    first.answer(IDNO, [&](HWND) {
        EXPECT_EQ(first.dialogs().size(), 2u) << "asked over the dialog, already shown";
        Corvane meanwhile(L" -switch Office -quiet");
        EXPECT_EQ(meanwhile.answer().substr(0, 17), L"Corvane is busy. ");
        EXPECT_EQ(meanwhile.exitCode(), 9u);
    });
    EXPECT_EQ(defaultOf(u"CVTEST1"), u"(none)");
    EXPECT_EQ(Corvane(L" -switch Office -quiet").exitCode(), 0u);
    EXPECT_EQ(windowText(GetDlgItem(first.dialogs().at(0), IDC_PROFILE_LIST)), L"Office");

    addProfile(u"Home", u"10.9.0.9");
    addProfile(u"Extra");
    Corvane second(L" -switch Home");
    EXPECT_EQ(first.answer().substr(0, 40), L"The next time the adapter is used it wil");
    EXPECT_EQ(second.exitCode(), 0u);
    EXPECT_EQ(std::tuple(defaultOf(u"CVTEST1"), systemIp(u"CVTEST1")),
              std::tuple(u"Home", u"10.9.0.9"));
    EXPECT_EQ(Corvane(L" -import cvtest.prf -replace -quiet").exitCode(), 0u);
    EXPECT_EQ(exportedStore(registry), store);
    EXPECT_EQ(systemIp(u"CVTEST1"), u"10.1.0.1") << "the default profile applied again";
    DeleteFileW(L"cvtest.prf");
    Corvane missing(L" -import cvtest.prf -quiet");
    EXPECT_EQ(first.answer().substr(0, 24), L"Unable to open file \"Z:\\")
        << "named by its full path";
    EXPECT_EQ(missing.exitCode(), 6u);
    Corvane corrupt(L" -import \"" + test::onDriveZ(CORVANE_EXE) + L"\"");  // no profile file
    EXPECT_EQ(first.answer().substr(0, 26), L"Unable to import profiles:");
    EXPECT_EQ(corrupt.exitCode(), 7u);
    EXPECT_EQ(exportedStore(registry), store);
}

// The adapter as a user sees it: its addresses, servers, logon and proxy, and its default.
std::string seenOf(test::Handheld& device, std::u16string_view key) {
    NetSettings now;
    readSettings(device.registry, now,
                 systemKeys(u"Comm\\" + std::u16string(key) + u"\\Parms\\TcpIp"));
    std::string seen;
    for (const char16_t* field :
         {now.ipAddress, now.subnetMask, now.defaultGateway, now.dns1, now.dns2, now.wins1,
          now.wins2, now.userName, now.password, now.domain, now.proxyServer}) {
        seen += toUtf8(std::u16string_view(field)) + "|";
    }
    return seen + std::to_string(now.dhcpEnabled) + std::to_string(now.useProxy) + ":" +
           std::to_string(now.proxyPort) + " " + toUtf8(device.defaultOf(key));
}

// Alone, then through the running instance after a restart: a switch, its undo, the redo; an
// adapter never switched has nothing to undo; the record is no profile.
TEST_F(CorvaneProcessTest, UndoGivesBackWhatASwitchReplacedAloneOrInTheRunningInstance) {
    addAdapter(u"CVTEST2", u"Card Two", u"10.0.0.2");
    putMulti(registry, kLocalMachine, u"Comm\\CVTEST1\\Parms\\TcpIp", u"DNS",
             {u"192.168.1.53", u"192.168.1.54"});
    putMulti(registry, kLocalMachine, u"Comm\\CVTEST1\\Parms\\TcpIp", u"WINS", {u"192.168.1.9"});
    for (const auto& [name, value] :
         {std::pair{u"Username", u"kdurand"}, {u"Domain", u"HOME"}, {u"Password", u"secret"}}) {
        putString(registry, kLocalMachine, kIdentityKeyPath, name, value);
    }
    putString(registry, kCurrentUser, kProxyKeyPath, u"ProxyServer", u"cache.lan");
    putDword(registry, kCurrentUser, kProxyKeyPath, u"ProxyHttpPort", 3128);
    putDword(registry, kCurrentUser, kProxyKeyPath, u"UseProxy", 1);
    addProfile(u"Office", u"10.2.0.1");
    putString(registry, kCurrentUser, profilePath(u"Office"), u"Username", u"office");
    putDword(registry, kCurrentUser, kAppKeyPath, kShowStartOption, 0);
    const std::vector<unsigned char> store = exportedStore(registry);
    const std::string home = seenOf(*this, u"CVTEST1");

    EXPECT_EQ(Corvane(L" -switch Office -quiet").exitCode(), 0u);
    const std::string office = seenOf(*this, u"CVTEST1");
    ASSERT_NE(office, home);
    EXPECT_EQ(Corvane(L" -undo -quiet").exitCode(), 0u);
    EXPECT_EQ(seenOf(*this, u"CVTEST1"), home);
    EXPECT_EQ(Corvane(L" -undo -adapter cvtest1 -quiet").exitCode(), 0u);
    EXPECT_EQ(seenOf(*this, u"CVTEST1"), office) << "a second undo is a redo";
    const std::string both = seenOf(*this, u"CVTEST1") + seenOf(*this, u"CVTEST2");
    Corvane never(L" -undo -adapter CVTEST2 -quiet");
    EXPECT_EQ(never.answer(), L"There is no switch of \"Card Two\" to undo.") << "always told";
    EXPECT_EQ(never.exitCode(), 11u);
    EXPECT_EQ(seenOf(*this, u"CVTEST1") + seenOf(*this, u"CVTEST2"), both);
    EXPECT_FALSE(
        keyExists(registry, kCurrentUser, std::u16string(kAppKeyPath) + u"\\CVTEST2\\LastSwitch"));

    {
        Corvane before(L"");
        ASSERT_TRUE(before.started());
        PostMessageW(mainWindow(), WM_COMMAND, IDM_EXIT, 0);
        EXPECT_EQ(before.exitCode(), 0u);
    }
    Corvane running(L"");
    ASSERT_TRUE(running.started());
    EXPECT_EQ(Corvane(L" -undo -quiet").exitCode(), 0u) << "the record outlived the restart";
    EXPECT_EQ(seenOf(*this, u"CVTEST1"), home);
    Corvane redo(L" -undo");
    EXPECT_EQ(running.answer().substr(0, 40), L"The next time the adapter is used it wil");
    EXPECT_EQ(running.answer().substr(0, 36), L"Proxy Server settings have been chan")
        << "the proxy came back, and no shell is there to be told";
    EXPECT_EQ(redo.exitCode(), 0u);
    EXPECT_EQ(seenOf(*this, u"CVTEST1"), office);
    Corvane nothing(L" -undo -adapter CVTEST2 -quiet");
    EXPECT_EQ(running.answer(), L"There is no switch of \"Card Two\" to undo.");
    EXPECT_EQ(nothing.exitCode(), 11u);

    EXPECT_EQ(listProfileNames(registry), (std::vector<std::u16string>{u"Home", u"Office"}));
    EXPECT_EQ(Corvane(L" -export cvundo.prf -quiet").exitCode(), 0u);
    EXPECT_EQ(test::fileBytes(L"cvundo.prf"), store) << "the export holds no trace of it";
    DeleteFileW(L"cvundo.prf");
    PostMessageW(mainWindow(), WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(running.exitCode(), 0u);
}

}  // namespace
}  // namespace corvane
