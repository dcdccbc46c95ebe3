// Drives a running Corvane from outside for run.sh's scripted tour:
//   corvane-tour open CORVANE.EXE   start Corvane without its dialog, wait until its main window
//                                   and icon exist, then ask it for the Network Profiles dialog
//                                   and wait until that shows
//   corvane-tour exit               choose "E&xit", wait until Corvane has gone, and print the
//                                   options it wrote
//   corvane-tour start CORVANE.EXE  start Corvane without its dialog and wait for its icon
//   corvane-tour menu               tap the icon and wait until its popup menu shows
//   corvane-tour keys KEY...        press keys (down, up, right, left, enter, escape) in the
//                                   open menu
//   corvane-tour message            wait for a message box of Corvane and print its text
//   corvane-tour ok                 press OK in that message box and wait until it has gone
// Every wait is bounded; a step that times out ends the tour with exit code 1.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "core/app_state.h"
#include "platform/handles_win32.h"
#include "platform/owned_handle_win32.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kTimeoutMs = 15000;

HWND mainWindow() {
    return FindWindowW(corvane::wide(corvane::kMainClassName), L"Corvane");
}

// True once the icon of `window` is in the notification area: only then can it be modified.
bool iconExists(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = IDI_CORVANE;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

struct DialogSearch {
    HWND owner;
    HWND found;
};

// A visible dialog owned by Corvane's main window.
HWND profilesDialog(HWND owner) {
    DialogSearch search{owner, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<DialogSearch*>(context);
            wchar_t className[16] = {};
            GetClassNameW(window, className, 16);
            if (std::wstring(className) == L"#32770" && GetWindow(window, GW_OWNER) == s->owner &&
                IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

template <typename Condition>
bool waitFor(const char* what, Condition condition) {
    for (DWORD waited = 0; waited < kTimeoutMs; waited += 50) {
        if (condition()) {
            std::printf("  %s\n", what);
            std::fflush(stdout);
            return true;
        }
        Sleep(50);
    }
    std::printf("  timed out waiting: %s\n", what);
    return false;
}

int start(const wchar_t* program) {
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\" -nod";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::printf("  cannot start Corvane (%lu)\n", GetLastError());
        return 1;
    }
    const corvane::OwnedKernelHandle thread(process.hThread);
    const corvane::OwnedKernelHandle processHandle(process.hProcess);
    if (!waitFor("main window \"Corvane\" exists", [] { return mainWindow() != nullptr; }) ||
        !waitFor("notification icon 107 exists", [] { return iconExists(mainWindow()); })) {
        return 1;
    }
    return 0;
}

int open(const wchar_t* program) {
    if (mainWindow() == nullptr && start(program) != 0) {
        return 1;
    }
    PostMessageW(mainWindow(), UM_SHOWPROFILES, 0, 0);
    if (!waitFor("Network Profiles dialog is open",
                 [] { return profilesDialog(mainWindow()) != nullptr; })) {
        return 1;
    }
    Sleep(500);  // let it paint before the screenshot
    return 0;
}

// The icon's popup menu while it is open.
HWND openPopupMenu() {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
}

// A visible message box (a dialog captioned "Corvane" with a text) of Corvane.
HWND corvaneMessageBox() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            wchar_t className[16] = {};
            wchar_t caption[32] = {};
            GetClassNameW(window, className, 16);
            GetWindowTextW(window, caption, 32);
            if (std::wstring(className) == L"#32770" && std::wstring(caption) == L"Corvane" &&
                GetDlgItem(window, 0xFFFF) != nullptr && IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(context) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

int openMenu() {
    const HWND window = mainWindow();
    if (window == nullptr) {
        std::printf("  Corvane is not running\n");
        return 1;
    }
    // A pen-down on the icon, as the notification area reports it.
    PostMessageW(window, UM_TRAYNOTIFY, IDI_CORVANE, WM_LBUTTONDOWN);
    if (!waitFor("the icon's menu is open", [] { return openPopupMenu() != nullptr; })) {
        return 1;
    }
    Sleep(300);
    return 0;
}

int pressMenuKeys(int count, wchar_t** names) {
    const HWND menu = openPopupMenu();
    if (menu == nullptr) {
        std::printf("  no menu is open\n");
        return 1;
    }
    for (int i = 0; i < count; ++i) {
        const std::wstring name = names[i];
        const UINT key = name == L"down"    ? VK_DOWN
                         : name == L"up"    ? VK_UP
                         : name == L"right" ? VK_RIGHT
                         : name == L"left"  ? VK_LEFT
                         : name == L"enter" ? VK_RETURN
                                            : VK_ESCAPE;
        // The menu's own loop reads the keys of Corvane's thread.
        PostMessageW(menu, WM_KEYDOWN, key, 1);
        PostMessageW(menu, WM_KEYUP, key, 0xC0000001);
        Sleep(150);
    }
    std::printf("  pressed %d key(s) in the menu\n", count);
    Sleep(300);
    return 0;
}

int showMessageText() {
    if (!waitFor("a message box of Corvane shows", [] { return corvaneMessageBox() != nullptr; })) {
        return 1;
    }
    wchar_t text[1024] = {};
    GetWindowTextW(GetDlgItem(corvaneMessageBox(), 0xFFFF), text, 1024);
    std::printf("  message: %ls\n", text);
    Sleep(300);
    return 0;
}

int pressOk() {
    const HWND box = corvaneMessageBox();
    if (box == nullptr) {
        std::printf("  no message box is open\n");
        return 1;
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return waitFor("the message box has closed", [] { return corvaneMessageBox() == nullptr; }) ? 0
                                                                                                : 1;
}

void printOption(HKEY key, const wchar_t* name) {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG result =
        RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (result != ERROR_SUCCESS) {
        std::printf("    %-11ls (missing)\n", name);
    } else {
        std::printf("    %-11ls %s = %lu\n", name, type == REG_DWORD ? "REG_DWORD" : "other type",
                    value);
    }
}

int exitCorvane() {
    const HWND window = mainWindow();
    if (window == nullptr) {
        std::printf("  Corvane is not running\n");
        return 1;
    }
    PostMessageW(window, WM_COMMAND, IDM_EXIT, 0);
    if (!waitFor("Corvane has ended (E&xit)", [] { return mainWindow() == nullptr; })) {
        return 1;
    }
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Tavelorn\\Corvane\\1.2", 0, KEY_READ,
                      &opened) != ERROR_SUCCESS) {
        std::printf("  no application key\n");
        return 1;
    }
    const corvane::OwnedHandle<HKEY, RegCloseKey> key(opened);
    std::printf("  options written at exit (HKCU\\Software\\Tavelorn\\Corvane\\1.2):\n");
    printOption(key.get(), L"ShowStart");
    printOption(key.get(), L"ApplyToAll");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring step = argc > 1 ? argv[1] : L"";
    if (step == L"open" && argc > 2) {
        return open(argv[2]);
    }
    if (step == L"exit") {
        return exitCorvane();
    }
    if (step == L"start" && argc > 2) {
        return start(argv[2]);
    }
    if (step == L"menu") {
        return openMenu();
    }
    if (step == L"keys") {
        return pressMenuKeys(argc - 2, argv + 2);
    }
    if (step == L"message") {
        return showMessageText();
    }
    if (step == L"ok") {
        return pressOk();
    }
    std::printf(
        "usage: corvane-tour open CORVANE.EXE | exit | start CORVANE.EXE | menu | keys KEY... | "
        "message | ok\n");
    return 2;
}
