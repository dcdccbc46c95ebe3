// corvane.exe started as real processes in the test prefix: hand-over to a running instance,
// the dialog at start, the message without adapters, the options at exit and the old keys.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr DWORD kWaitMs = 10000;
constexpr DWORD kSettleMs = 700;  // long enough for a posted request to have opened the dialog
constexpr UINT kExitCommand = 40007;
const wchar_t* const kAppKey = L"Software\\Tavelorn\\Corvane\\1.2";

// The build tree's path as Wine's Z: drive sees it.
std::wstring programPath() {
    std::wstring path = L"Z:";
    for (const char* c = CORVANE_EXE; *c != '\0'; ++c) {
        path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
    }
    return path;
}

bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
        if (condition()) {
            return true;
        }
        Sleep(20);
    }
    return condition();
}

// One started corvane.exe; a process left running at the end is ended.
class Corvane {
  public:
    explicit Corvane(const std::wstring& arguments) {
        const std::wstring program = programPath();
        std::wstring commandLine = L"\"" + program + L"\"" + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startup, &process_) != FALSE;
    }
    Corvane(const Corvane&) = delete;
    Corvane& operator=(const Corvane&) = delete;
    ~Corvane() {
        if (!started_) {
            return;
        }
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, kWaitMs);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    bool started() const { return started_; }
    DWORD id() const { return process_.dwProcessId; }
    // The exit code, or STILL_ACTIVE when it did not end in time.
    DWORD exitCode(DWORD timeoutMs = kWaitMs) const {
        DWORD code = STILL_ACTIVE;
        WaitForSingleObject(process_.hProcess, timeoutMs);
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

  private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

HWND mainWindow() {
    return FindWindowW(L"CorvaneClass", L"Corvane");
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

std::wstring textOf(HWND window) {
    wchar_t text[512] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        kWaitMs, &copied);
    return text;
}

bool iconExists(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 107;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void putValue(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const void* data,
              DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void putDword(HKEY root, const wchar_t* path, const wchar_t* name, DWORD value) {
    putValue(root, path, name, REG_DWORD, &value, sizeof value);
}

struct Stored {
    LONG result = ERROR_FILE_NOT_FOUND;
    DWORD type = 0;
    DWORD size = 0;
    DWORD value = 0;
};

Stored stored(const wchar_t* name) {
    Stored out;
    out.size = sizeof out.value;
    out.result = RegGetValueW(HKEY_CURRENT_USER, kAppKey, name, RRF_RT_ANY, &out.type, &out.value,
                              &out.size);
    return out;
}

bool keyExists(const wchar_t* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

class StartupProcessTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(mainWindow(), nullptr) << "a Corvane from elsewhere is running";
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Comm");
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tavelorn");
        const wchar_t ndis[] = L"NDIS";
        putValue(HKEY_LOCAL_MACHINE, L"Comm\\CVTEST1", L"Group", REG_SZ, ndis, sizeof ndis);
        putDword(HKEY_LOCAL_MACHINE, L"Comm\\CVTEST1\\Parms\\TcpIp", L"EnableDHCP", 1);
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Comm");
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tavelorn");
    }

    // Ends a running Corvane with its "E&xit" command; true when it ended with code 0.
    static bool exitWithCommand(const Corvane& corvane) {
        const HWND window = mainWindow();
        return window != nullptr && PostMessageW(window, WM_COMMAND, kExitCommand, 0) &&
               corvane.exitCode() == 0;
    }
};

TEST_F(StartupProcessTest, ASecondStartHandsOverToTheFirstAndOldKeysGo) {
    putDword(HKEY_CURRENT_USER, L"Software\\Tavelorn\\Corvane\\1.0\\Profiles\\Home", L"X", 1);
    putDword(HKEY_CURRENT_USER, L"Software\\Tavelorn\\Corvane\\1.1\\Profiles\\Work", L"X", 1);
    putDword(HKEY_CURRENT_USER, L"Software\\Tavelorn\\Corvane\\1.2\\Profiles\\Keep", L"X", 1);

    Corvane first(L" -nod");
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(waitFor([] { return mainWindow() != nullptr; }));
    EXPECT_TRUE(waitFor([] { return iconExists(mainWindow()); }));
    EXPECT_FALSE(keyExists(L"Software\\Tavelorn\\Corvane\\1.0"));
    EXPECT_FALSE(keyExists(L"Software\\Tavelorn\\Corvane\\1.1"));
    EXPECT_TRUE(keyExists(L"Software\\Tavelorn\\Corvane\\1.2\\Profiles\\Keep"));
    Sleep(kSettleMs);
    EXPECT_TRUE(dialogsOf(first.id()).empty()) << "-nod keeps the dialog closed";

    {
        Corvane second(L"");
        ASSERT_TRUE(second.started());
        EXPECT_EQ(second.exitCode(), 0u);
    }
    ASSERT_TRUE(waitFor([&] { return dialogsOf(first.id()).size() == 1; }));
    {
        // With the dialog already open a further start only brings it forward.
        Corvane third(L"");
        EXPECT_EQ(third.exitCode(), 0u);
    }
    Sleep(kSettleMs);
    EXPECT_EQ(dialogsOf(first.id()).size(), 1u);

    EXPECT_TRUE(exitWithCommand(first));
    const Stored showStart = stored(L"ShowStart");
    const Stored applyToAll = stored(L"ApplyToAll");
    EXPECT_EQ(showStart.result, ERROR_SUCCESS);
    EXPECT_EQ(showStart.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(showStart.size, 4u);
    EXPECT_EQ(showStart.value, 1u);
    EXPECT_EQ(applyToAll.result, ERROR_SUCCESS);
    EXPECT_EQ(applyToAll.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(applyToAll.value, 0u);
}

TEST_F(StartupProcessTest, ShowStartOffKeepsTheDialogClosedAndABadValueCountsAsMissing) {
    putDword(HKEY_CURRENT_USER, kAppKey, L"ShowStart", 0);
    putDword(HKEY_CURRENT_USER, kAppKey, L"ApplyToAll", 1);
    {
        Corvane corvane(L"");
        ASSERT_TRUE(waitFor([] { return mainWindow() != nullptr; }));
        Sleep(kSettleMs);
        EXPECT_TRUE(dialogsOf(corvane.id()).empty());
        EXPECT_TRUE(exitWithCommand(corvane));
    }
    EXPECT_EQ(stored(L"ShowStart").value, 0u);
    EXPECT_EQ(stored(L"ApplyToAll").value, 1u);

    const wchar_t zeroText[] = L"0";
    const WORD shortZero = 0;
    const struct {
        const char* what;
        DWORD type;
        const void* data;
        DWORD size;
    } badValues[] = {{"REG_SZ", REG_SZ, zeroText, sizeof zeroText},
                     {"2-byte REG_DWORD", REG_DWORD, &shortZero, sizeof shortZero}};
    for (const auto& bad : badValues) {
        SCOPED_TRACE(bad.what);
        putValue(HKEY_CURRENT_USER, kAppKey, L"ShowStart", bad.type, bad.data, bad.size);
        Corvane corvane(L"");
        ASSERT_TRUE(waitFor([&] { return dialogsOf(corvane.id()).size() == 1; }));
        EXPECT_TRUE(exitWithCommand(corvane));  // with the dialog open
        const Stored showStart = stored(L"ShowStart");
        EXPECT_EQ(showStart.type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(showStart.size, 4u);
        EXPECT_EQ(showStart.value, 1u);
    }
}

TEST_F(StartupProcessTest, NoAdapterShowsOneMessageLeavesNoIconAndExitsWithZero) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Comm");
    Corvane corvane(L"");
    ASSERT_TRUE(corvane.started());
    ASSERT_TRUE(waitFor([&] { return dialogsOf(corvane.id()).size() == 1; }));
    const HWND box = dialogsOf(corvane.id()).front();
    EXPECT_EQ(textOf(box), L"Corvane");
    EXPECT_EQ(textOf(GetDlgItem(box, 0xFFFF)),
              L"Unable to find network adapter(s). Please make sure that at least one network "
              L"adapter is installed and properly configured.");
    const HWND owner = GetWindow(box, GW_OWNER);
    EXPECT_TRUE(iconExists(owner)) << "the icon is added before the adapters are looked for";

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(corvane.exitCode(), 0u);
    EXPECT_FALSE(iconExists(owner));
    EXPECT_EQ(mainWindow(), nullptr);
}

}  // namespace
