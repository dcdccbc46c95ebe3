// corvane.exe as real processes in the test prefix: start-up, the hand-over to a running instance,
// the options, the message without adapters, and a switch from the icon's menu.
#include "tests/windows/harness.h"
// After windows.h.
#include <shellapi.h>

#include "core/app_state.h"
#include "profiles/profile_file.h"
#include "resources/resource.h"
#include "tests/support/memory_stream.h"

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
    return FindWindowW(wide(kMainClassName), L"Corvane");
}

// An icon can be modified only while it is in the notification area.
bool iconExists(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = IDI_CORVANE;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// One corvane.exe started from the build tree, as Wine's Z: drive sees it.
struct Corvane : test::Process {
    explicit Corvane(const wchar_t* arguments)
        : Process(L"\"" + test::onDriveZ(CORVANE_EXE) + L"\"" + arguments) {}
    std::vector<HWND> dialogs() const {
        std::vector<HWND> found;
        for (HWND window = nullptr;
             (window = FindWindowExW(nullptr, window, L"#32770", nullptr));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == info.dwProcessId && IsWindowVisible(window)) {
                found.push_back(window);
            }
        }
        return found;
    }
    std::pair<HWND, std::wstring> messageBox() const {
        HWND box = nullptr;
        waitFor([&] {
            const std::vector<HWND> shown = dialogs();
            box = shown.size() == 1 && GetDlgItem(shown[0], 0xFFFF) ? shown[0] : nullptr;
            return box != nullptr;
        });
        return {box, windowText(GetDlgItem(box, 0xFFFF))};
    }
    bool exitWithCommand() const {
        const HWND window = mainWindow();
        return window && PostMessageW(window, WM_COMMAND, IDM_EXIT, 0) && exitCode() == 0;
    }
};

// One adapter, named by its group, on DHCP, with its default profile "Home".
class CorvaneProcessTest : public testing::Test, public test::Handheld {
  protected:
    void SetUp() override {
        ASSERT_EQ(mainWindow(), nullptr) << "a Corvane from elsewhere is running";
        addAdapter(u"CVTEST1", u"");
        addProfile(u"Home");
        setDefault(u"CVTEST1", u"Home");
    }
    void putOptions(std::uint32_t showStart, std::uint32_t applyToAll) {
        putDword(registry, kCurrentUser, kAppKeyPath, u"ShowStart", showStart);
        putDword(registry, kCurrentUser, kAppKeyPath, u"ApplyToAll", applyToAll);
    }
    // The options as the exiting program left them: 4-byte REG_DWORDs.
    void expectOptions(std::uint32_t showStart, std::uint32_t applyToAll) {
        for (const auto& [name, value] :
             {std::pair{u"ShowStart", showStart}, std::pair{u"ApplyToAll", applyToAll}}) {
            const RawValue option = getRaw(registry, kCurrentUser, kAppKeyPath, name);
            EXPECT_EQ(option.type, regtype::kDword);
            EXPECT_EQ(option.data.size(), 4u);
            EXPECT_EQ(option.dword(), value) << toUtf8(name);
        }
    }
};

TEST_F(CorvaneProcessTest, StartsIntoTheTrayHandsOverToTheFirstAndWritesItsOptionsAtExit) {
    const std::u16string old = u"Software\\Tavelorn\\Corvane\\1.";
    for (const char16_t* key : {u"0\\Profiles\\Home", u"1\\Profiles\\Work", u"2\\Profiles\\Keep"}) {
        putKey(registry, kCurrentUser, old + key);
    }
    putOptions(1, 1);
    {
        Corvane first(L" -nod");
        ASSERT_TRUE(waitFor([] { return iconExists(mainWindow()); }));
        EXPECT_FALSE(keyExists(registry, kCurrentUser, old + u"0"));
        EXPECT_FALSE(keyExists(registry, kCurrentUser, old + u"1"));
        EXPECT_TRUE(keyExists(registry, kCurrentUser, old + u"2\\Profiles\\Keep"));
        Sleep(kSettleMs);
        EXPECT_TRUE(first.dialogs().empty()) << "-nod keeps the dialog closed";

        EXPECT_EQ(Corvane(L"").exitCode(), 0u);
        ASSERT_TRUE(waitFor([&] { return first.dialogs().size() == 1; }));
        // With the dialog already open a further start only brings it forward.
        EXPECT_EQ(Corvane(L"").exitCode(), 0u);
        Sleep(kSettleMs);
        ASSERT_EQ(first.dialogs().size(), 1u);
        // Closing the dialog leaves the program in the notification area.
        PostMessageW(first.dialogs().front(), WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(waitFor([&] { return first.dialogs().empty(); }));
        EXPECT_TRUE(iconExists(mainWindow()));
        EXPECT_EQ(Corvane(L"").exitCode(), 0u);
        ASSERT_TRUE(waitFor([&] { return first.dialogs().size() == 1; }));
        EXPECT_TRUE(first.exitWithCommand()) << "with the dialog open";
    }
    expectOptions(1, 0);  // the dialog turned ApplyToAll off: there is only one adapter

    putOptions(0, 1);
    Corvane corvane(L"");
    ASSERT_TRUE(waitFor([] { return mainWindow() != nullptr; }));
    Sleep(kSettleMs);
    EXPECT_TRUE(corvane.dialogs().empty()) << "ShowStart 0 keeps the dialog closed";
    EXPECT_TRUE(corvane.exitWithCommand());
    expectOptions(0, 1);
}

TEST_F(CorvaneProcessTest, NoAdapterShowsOneMessageLeavesNoIconAndExitsWithZero) {
    registry.deleteTree(kLocalMachine, u"Comm");
    Corvane corvane(L"");
    const auto [box, text] = corvane.messageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(windowText(box), L"Corvane");
    EXPECT_EQ(text,
              L"Unable to find network adapter(s). Please make sure that at least one network "
              L"adapter is installed and properly configured.");
    const HWND owner = GetWindow(box, GW_OWNER);
    EXPECT_TRUE(iconExists(owner)) << "the icon is added before the adapters are looked for";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(corvane.exitCode(), 0u);
    EXPECT_FALSE(iconExists(owner));
    EXPECT_EQ(mainWindow(), nullptr);
}

// Counts the setting changes the shell's window (one of the test's own) is told of.
int settingChanges = 0;
LRESULT CALLBACK shellProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    settingChanges += message == WM_SETTINGCHANGE && wParam == 0 && lParam == 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

// "Office" from the second adapter's submenu: the system settings written, the shell told of the
// changed proxy, the user told, then the refresh offering the first adapter a default. (Wine keeps
// a menu to its process: the menu itself is read in the tray's own test.)
TEST_F(CorvaneProcessTest, AProfileChosenFromTheIconsMenuIsAppliedAndToldThenTheListRefreshed) {
    addAdapter(u"CVTEST2", u"Card Two");
    addProfile(u"Office", u"10.2.0.1");
    putDword(registry, kCurrentUser, profilePath(u"Office"), u"UseProxy", 1);
    registry.deleteTree(kCurrentUser, std::u16string(kAppKeyPath) + u"\\CVTEST1");
    setDefault(u"CVTEST2", u"Home");
    const WNDCLASSW shellClass{0,       shellProc, 0,       0,       GetModuleHandleW(nullptr),
                               nullptr, nullptr,   nullptr, nullptr, L"DesktopExplorerWindow"};
    RegisterClassW(&shellClass);
    const HWND shell = CreateWindowExW(0, L"DesktopExplorerWindow", L"", WS_POPUP, 0, 0, 0, 0,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);

    Corvane corvane(L" -nod");
    ASSERT_TRUE(waitFor([] { return iconExists(mainWindow()); }));
    // The second adapter's ids start at 10300: Home, then Office.
    PostMessageW(mainWindow(), WM_COMMAND, IDM_FIRST_PROFILE + IDM_PROFILES_PER_ADAPTER + 1, 0);
    const auto [told, next] = corvane.messageBox();
    ASSERT_NE(told, nullptr);
    EXPECT_EQ(next.substr(0, 40), L"The next time the adapter is used it wil");
    EXPECT_EQ(GetWindow(told, GW_OWNER), mainWindow());
    EXPECT_EQ(settingChanges, 1) << "the shell was told, so no reset is asked for";
    DestroyWindow(shell);
    PostMessageW(told, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(told); }));

    const auto [offer, question] = corvane.messageBox();
    ASSERT_NE(offer, nullptr);
    EXPECT_EQ(question.substr(0, 68),
              L"No profiles are associated with the selected network adapter \"NDIS\".")
        << "named by its group, having no display name";
    PostMessageW(offer, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(waitFor([&] { return corvane.dialogs().empty(); }));

    EXPECT_EQ(
        getRaw(registry, kCurrentUser, std::u16string(kAppKeyPath) + u"\\CVTEST2", u"DefProfile")
            .chars(),
        withZero(u"Office"));
    EXPECT_EQ(getRaw(registry, kLocalMachine, u"Comm\\CVTEST2\\Parms\\TcpIp", u"IpAddress").chars(),
              withZero(u"10.2.0.1") + withZero(u""));
    EXPECT_FALSE(keyExists(registry, kCurrentUser, profilePath(u"Default")))
        << "the offer was declined";
    EXPECT_TRUE(corvane.exitWithCommand());
}

// Answers the one message box `corvane` shows and returns its text.
std::wstring answer(const Corvane& corvane) {
    const auto [box, text] = corvane.messageBox();
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(waitFor([&] { return corvane.dialogs().empty(); })) << "no box, or more";
    return text;
}

TEST_F(CorvaneProcessTest, ASwitchFromTheCommandLineRunsAloneOrInTheRunningInstance) {
    addProfile(u"Office", u"10.2.0.1");
    {
        Corvane alone(L" -switch office -quiet");
        EXPECT_EQ(alone.exitCode(), 0u);
        EXPECT_EQ(mainWindow(), nullptr);
        EXPECT_EQ(defaultOf(u"CVTEST1"), u"Office");
        EXPECT_EQ(systemIp(u"CVTEST1"), u"10.2.0.1");
    }
    {
        Corvane unknown(L" -switch Lab -quiet");
        EXPECT_EQ(answer(unknown), L"There is no network profile \"Lab\".") << "failures are told";
        EXPECT_EQ(unknown.exitCode(), 4u);
        Corvane usage(L" -switch");
        EXPECT_EQ(answer(usage).substr(0, 22), L"Usage:\ncorvane [-nod]\n");
        EXPECT_EQ(usage.exitCode(), 1u);
    }
    EXPECT_EQ(defaultOf(u"CVTEST1"), u"Office") << "a mistake changes nothing";

    Corvane first(L" -nod");
    ASSERT_TRUE(waitFor([] { return iconExists(mainWindow()); }));
    {
        Corvane second(L" -switch Home");
        EXPECT_EQ(answer(first).substr(0, 40), L"The next time the adapter is used it wil")
            << "the running instance tells";
        EXPECT_EQ(second.exitCode(), 0u);
        EXPECT_TRUE(second.dialogs().empty());
        EXPECT_EQ(defaultOf(u"CVTEST1"), u"Home");
        EXPECT_EQ(systemIp(u"CVTEST1"), u"10.1.0.1");
    }
    EXPECT_TRUE(first.exitWithCommand());

    // While the dialog asks whether to make a default profile, a command waits its turn.
    registry.deleteTree(kCurrentUser, std::u16string(kAppKeyPath) + u"\\CVTEST1");
    putDword(registry, kCurrentUser, kAppKeyPath, u"ShowStart", 1);
    Corvane asking(L"");
    const auto [question, text] = asking.messageBox();
    ASSERT_NE(question, nullptr);
    {
        Corvane meanwhile(L" -switch Office -quiet");
        EXPECT_EQ(answer(meanwhile).substr(0, 17), L"Corvane is busy. ");
        EXPECT_EQ(meanwhile.exitCode(), 9u);
    }
    PostMessageW(question, WM_COMMAND, IDNO, 0);
    EXPECT_TRUE(asking.exitWithCommand());
    EXPECT_EQ(defaultOf(u"CVTEST1"), u"(none)");
}

// The files the dialog's Export writes, as the store's export makes them.
std::vector<unsigned char> exportedStore(Registry& registry) {
    MemoryStream stream;
    EXPECT_TRUE(exportProfiles(registry, stream).written);
    return stream.bytes;
}

TEST_F(CorvaneProcessTest, ExportThenImportWithReplaceGivesBackTheStoreByteForByte) {
    addProfile(u"Office", u"10.2.0.1");
    putString(registry, kCurrentUser, profilePath(u"Office"), u"ProxyServer", u"proxy:8080");
    const std::vector<unsigned char> store = exportedStore(registry);
    {
        Corvane alone(L" -export cvtest.prf -quiet");  // relative to the caller's directory
        ASSERT_EQ(alone.exitCode(), 0u);
        EXPECT_EQ(test::fileBytes(L"cvtest.prf"), store);
    }
    ASSERT_TRUE(deleteProfile(registry, u"Office"));
    putString(registry, kCurrentUser, profilePath(u"Extra"), u"IpAddress", u"1.2.3.4");
    putString(registry, kLocalMachine, u"Comm\\CVTEST1\\Parms\\TcpIp", u"IpAddress", u"9.9.9.9");

    Corvane first(L" -nod");
    ASSERT_TRUE(waitFor([] { return iconExists(mainWindow()); }));
    {
        Corvane import(L" -import cvtest.prf -replace -quiet");
        EXPECT_EQ(import.exitCode(), 0u);
        EXPECT_EQ(exportedStore(registry), store);
        EXPECT_EQ(systemIp(u"CVTEST1"), u"10.1.0.1") << "the default profile applied again";

        FileStream bad(u"cvbad.prf", FileStream::Mode::Create);
        ASSERT_TRUE(bad.write(store.data(), 30));
        bad.close();
        Corvane corrupt(L" -import cvbad.prf");
        EXPECT_EQ(answer(first).substr(0, 36), L"Unable to import profiles: file \"Z:\\")
            << "named by its full path";
        EXPECT_EQ(corrupt.exitCode(), 7u);
        Corvane missing(L" -import cvnone.prf -quiet");
        EXPECT_EQ(answer(first).substr(0, 19), L"Unable to open file");
        EXPECT_EQ(missing.exitCode(), 6u);
        EXPECT_EQ(exportedStore(registry), store);
    }
    EXPECT_TRUE(first.exitWithCommand());
    DeleteFileW(L"cvtest.prf");
    DeleteFileW(L"cvbad.prf");
}

}  // namespace
}  // namespace corvane
