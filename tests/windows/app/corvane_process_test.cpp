// corvane.exe started as real processes in the test prefix: hand-over to a running instance,
// the dialog at start, the message without adapters, the options at exit, the old keys, and a
// switch from the icon's menu from the command to the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/settings_io.h"
#include "core/text.h"
#include "platform/handles_win32.h"
#include "platform/registry_win32.h"
#include "profiles/profile_store.h"
#include "resources/resource.h"
#include "tests/support/registry_helpers.h"
#include "tests/windows/harness.h"

namespace corvane {
namespace {

constexpr DWORD kWaitMs = 10000;
constexpr DWORD kSettleMs = 700;  // long enough for a posted request to have opened the dialog

// The build tree's path as Wine's Z: drive sees it.
std::wstring programPath() {
    std::wstring path = L"Z:";
    for (const char* c = CORVANE_EXE; *c != '\0'; ++c) {
        path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
    }
    return path;
}

// Waits, handling this thread's messages meanwhile (a window of the test's own may be told
// something by Corvane).
bool waitFor(const std::function<bool()>& condition) {
    for (DWORD waited = 0; !condition(); waited += 20) {
        if (waited >= kWaitMs) {
            return false;
        }
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
    return true;
}

// The shell's desktop window, as a window of the test's own that counts the setting changes it
// is told of.
int settingChanges = 0;
LRESULT CALLBACK shellProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    settingChanges += message == WM_SETTINGCHANGE && wParam == 0 && lParam == 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

// One started corvane.exe; a process left running at the end is ended.
class Corvane {
  public:
    explicit Corvane(const std::wstring& arguments) {
        const std::wstring program = programPath();
        std::wstring commandLine = L"\"" + program + L"\"" + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process_);
    }
    Corvane(const Corvane&) = delete;
    Corvane& operator=(const Corvane&) = delete;
    ~Corvane() {
        if (process_.hProcess != nullptr) {
            TerminateProcess(process_.hProcess, 99);  // fails harmlessly once it has ended
            WaitForSingleObject(process_.hProcess, kWaitMs);
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }
    bool started() const { return process_.hProcess != nullptr; }
    DWORD id() const { return process_.dwProcessId; }
    // The exit code, or STILL_ACTIVE when it did not end in time.
    DWORD exitCode() const {
        DWORD code = STILL_ACTIVE;
        WaitForSingleObject(process_.hProcess, kWaitMs);
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

  private:
    PROCESS_INFORMATION process_{};
};

HWND mainWindow() {
    return FindWindowW(wide(kMainClassName), L"Corvane");
}

// The visible dialogs and message boxes (#32770) of a process.
std::vector<HWND> dialogsOf(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t className[16] = {};
            GetClassNameW(window, className, 16);
            if (owner == s->processId && std::wstring(className) == L"#32770" &&
                IsWindowVisible(window)) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

const std::u16string kFirstAdapterKey = std::u16string(kAppKeyPath) + u"\\CVTEST1";

class CorvaneProcessTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(mainWindow(), nullptr) << "a Corvane from elsewhere is running";
        TearDown();
        putString(registry, kLocalMachine, u"Comm\\CVTEST1", u"Group", u"NDIS");
        putDword(registry, kLocalMachine, u"Comm\\CVTEST1\\Parms\\TcpIp", u"EnableDHCP", 1);
        addProfile(u"Home", u"10.1.0.1");
        putString(registry, kCurrentUser, kFirstAdapterKey, u"DefProfile", u"Home");
    }
    void addProfile(std::u16string_view name, std::u16string_view address) {
        NetSettings record;
        setDefaults(record);
        record.dhcpEnabled = 0;
        copyText(record.ipAddress, address);
        ASSERT_TRUE(saveProfile(registry, name, record));
    }
    void TearDown() override {
        registry.deleteTree(kLocalMachine, u"Comm");
        registry.deleteTree(kCurrentUser, u"Software\\Tavelorn");
    }
    // The option as the exiting program left it: a 4-byte REG_DWORD holding `value`.
    void expectOption(std::u16string_view name, std::uint32_t value) {
        const RawValue option = getRaw(registry, kCurrentUser, kAppKeyPath, name);
        EXPECT_EQ(option.type, regtype::kDword);
        EXPECT_EQ(option.data.size(), 4u);
        EXPECT_EQ(option.dword(), value);
    }
    // Ends a running Corvane with its "E&xit" command; true when it ended with code 0.
    static bool exitWithCommand(const Corvane& corvane) {
        const HWND window = mainWindow();
        return window != nullptr && PostMessageW(window, WM_COMMAND, IDM_EXIT, 0) &&
               corvane.exitCode() == 0;
    }

    Win32Registry registry;
};

TEST_F(CorvaneProcessTest, ASecondStartHandsOverToTheFirstAndOldKeysGo) {
    putKey(registry, kCurrentUser, u"Software\\Tavelorn\\Corvane\\1.0\\Profiles\\Home");
    putKey(registry, kCurrentUser, u"Software\\Tavelorn\\Corvane\\1.1\\Profiles\\Work");
    putKey(registry, kCurrentUser, u"Software\\Tavelorn\\Corvane\\1.2\\Profiles\\Keep");

    Corvane first(L" -nod");
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(waitFor([] { return test::iconExists(mainWindow()); }));
    EXPECT_FALSE(keyExists(registry, kCurrentUser, u"Software\\Tavelorn\\Corvane\\1.0"));
    EXPECT_FALSE(keyExists(registry, kCurrentUser, u"Software\\Tavelorn\\Corvane\\1.1"));
    EXPECT_TRUE(
        keyExists(registry, kCurrentUser, u"Software\\Tavelorn\\Corvane\\1.2\\Profiles\\Keep"));
    Sleep(kSettleMs);
    EXPECT_TRUE(dialogsOf(first.id()).empty()) << "-nod keeps the dialog closed";

    EXPECT_EQ(Corvane(L"").exitCode(), 0u);
    ASSERT_TRUE(waitFor([&] { return dialogsOf(first.id()).size() == 1; }));
    // With the dialog already open a further start only brings it forward.
    EXPECT_EQ(Corvane(L"").exitCode(), 0u);
    Sleep(kSettleMs);
    ASSERT_EQ(dialogsOf(first.id()).size(), 1u);
    // Closing the dialog leaves the program in the notification area.
    PostMessageW(dialogsOf(first.id()).front(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitFor([&] { return dialogsOf(first.id()).empty(); }));
    EXPECT_TRUE(test::iconExists(mainWindow()));

    EXPECT_TRUE(exitWithCommand(first));
    expectOption(u"ShowStart", 1);
    expectOption(u"ApplyToAll", 0);
}

TEST_F(CorvaneProcessTest, ShowStartOffKeepsTheDialogClosedAndABadValueCountsAsMissing) {
    putDword(registry, kCurrentUser, kAppKeyPath, u"ShowStart", 0);
    putDword(registry, kCurrentUser, kAppKeyPath, u"ApplyToAll", 1);
    {
        Corvane corvane(L"");
        ASSERT_TRUE(waitFor([] { return mainWindow() != nullptr; }));
        Sleep(kSettleMs);
        EXPECT_TRUE(dialogsOf(corvane.id()).empty());
        EXPECT_TRUE(exitWithCommand(corvane));
    }
    expectOption(u"ShowStart", 0);
    expectOption(u"ApplyToAll", 1);

    const std::uint16_t shortZero = 0;
    for (const bool asText : {true, false}) {
        SCOPED_TRACE(asText ? "REG_SZ" : "2-byte REG_DWORD");
        if (asText) {
            putString(registry, kCurrentUser, kAppKeyPath, u"ShowStart", u"0");
        } else {
            RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Tavelorn\\Corvane\\1.2", L"ShowStart",
                            REG_DWORD, &shortZero, 2);
        }
        Corvane corvane(L"");
        ASSERT_TRUE(waitFor([&] { return dialogsOf(corvane.id()).size() == 1; }));
        EXPECT_TRUE(exitWithCommand(corvane));  // with the dialog open
        expectOption(u"ShowStart", 1);
        expectOption(u"ApplyToAll", 0);  // the dialog turned it off: there is only one adapter
    }
}

TEST_F(CorvaneProcessTest, NoAdapterShowsOneMessageLeavesNoIconAndExitsWithZero) {
    registry.deleteTree(kLocalMachine, u"Comm");
    Corvane corvane(L"");
    ASSERT_TRUE(corvane.started());
    ASSERT_TRUE(waitFor([&] { return dialogsOf(corvane.id()).size() == 1; }));
    const HWND box = dialogsOf(corvane.id()).front();
    EXPECT_EQ(test::windowText(box), L"Corvane");
    EXPECT_EQ(test::windowText(GetDlgItem(box, 0xFFFF)),
              L"Unable to find network adapter(s). Please make sure that at least one network "
              L"adapter is installed and properly configured.");
    const HWND owner = GetWindow(box, GW_OWNER);
    EXPECT_TRUE(test::iconExists(owner)) << "the icon is added before the adapters are looked for";

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(corvane.exitCode(), 0u);
    EXPECT_FALSE(test::iconExists(owner));
    EXPECT_EQ(mainWindow(), nullptr);
}

// The text of a message box, or empty for another window.
std::wstring boxText(HWND box) {
    return test::windowText(GetDlgItem(box, 0xFFFF));
}

// The one visible message box of the process once it shows; null when none shows in time.
HWND waitForBox(const Corvane& corvane) {
    HWND box = nullptr;
    waitFor([&] {
        const std::vector<HWND> shown = dialogsOf(corvane.id());
        box = shown.size() == 1 && GetDlgItem(shown[0], 0xFFFF) != nullptr ? shown[0] : nullptr;
        return box != nullptr;
    });
    return box;
}

std::wstring loadedText(int id) {
    wchar_t text[520] = {};
    LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), text, 520);
    return text;
}

// Choosing "Office" in the second adapter's submenu: the adapter's system settings written, the
// shell's window told of the changed proxy, the user told, and the refresh that rebuilds the
// menu offering the first adapter a default. (Wine keeps a menu to its process, so its marks are
// read in the tray's own tests and the tour.)
TEST_F(CorvaneProcessTest, AProfileChosenFromTheIconsMenuIsAppliedAndToldThenTheListRefreshed) {
    putString(registry, kLocalMachine, u"Comm\\CVTEST2", u"Group", u"NDIS");
    putString(registry, kLocalMachine, u"Comm\\CVTEST2", u"DisplayName", u"Card Two");
    putDword(registry, kLocalMachine, u"Comm\\CVTEST2\\Parms\\TcpIp", u"EnableDHCP", 1);
    addProfile(u"Office", u"10.2.0.1");
    putDword(registry, kCurrentUser, std::u16string(kProfilesKeyPath) + u"\\Office", u"UseProxy",
             1);
    registry.deleteTree(kCurrentUser, kFirstAdapterKey);  // the first adapter without a default
    const WNDCLASSW shellClass{0,       shellProc, 0,       0,       GetModuleHandleW(nullptr),
                               nullptr, nullptr,   nullptr, nullptr, L"DesktopExplorerWindow"};
    RegisterClassW(&shellClass);
    const HWND shell = CreateWindowExW(0, L"DesktopExplorerWindow", L"", WS_POPUP, 0, 0, 0, 0,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    putString(registry, kCurrentUser, std::u16string(kAppKeyPath) + u"\\CVTEST2", u"DefProfile",
              u"Home");

    Corvane corvane(L" -nod");
    ASSERT_TRUE(waitFor([] { return test::iconExists(mainWindow()); }));
    // The second adapter's ids start at 10300: Home, then Office.
    PostMessageW(mainWindow(), WM_COMMAND, IDM_FIRST_PROFILE + IDM_PROFILES_PER_ADAPTER + 1, 0);
    HWND box = waitForBox(corvane);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(boxText(box), loadedText(IDS_NEXT_USE));
    EXPECT_EQ(GetWindow(box, GW_OWNER), mainWindow());
    EXPECT_EQ(settingChanges, 1) << "the shell was told, so no reset is asked for";
    DestroyWindow(shell);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(box); }));

    box = waitForBox(corvane);
    ASSERT_NE(box, nullptr);
    std::wstring offer = loadedText(IDS_OFFER_DEFAULT);
    offer.replace(offer.find(L"%s"), 2, L"NDIS");  // named by its group, having no display name
    EXPECT_EQ(boxText(box), offer);
    PostMessageW(box, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(waitFor([&] { return dialogsOf(corvane.id()).empty(); }));

    EXPECT_EQ(
        getRaw(registry, kCurrentUser, std::u16string(kAppKeyPath) + u"\\CVTEST2", u"DefProfile")
            .chars(),
        withZero(u"Office"));
    EXPECT_EQ(getRaw(registry, kLocalMachine, u"Comm\\CVTEST2\\Parms\\TcpIp", u"IpAddress").chars(),
              withZero(u"10.2.0.1") + withZero(u""));
    EXPECT_FALSE(keyExists(registry, kCurrentUser, std::u16string(kProfilesKeyPath) + u"\\Default"))
        << "the offer was declined";

    EXPECT_TRUE(exitWithCommand(corvane));
}

}  // namespace
}  // namespace corvane
