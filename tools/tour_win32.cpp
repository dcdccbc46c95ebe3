// Drives a running Corvane from outside, for run.sh's scripted tour. Each verb does one thing a
// person would and waits (at most 15 s; a step that times out ends with exit code 1):
//   start CORVANE.EXE     start Corvane without its dialog and wait for its icon
//   open                  ask Corvane for the Network Profiles dialog and wait until it shows
//   menu                  tap the icon and wait until its menu shows
//   keys KEY...           press keys (down, up, right, left, enter, escape) in the open menu
//   choose ID             choose the icon menu's command ID, as a tap on its item does
//   barmenu               click the dialog's "&Corvane" button and wait until its menu shows
//   command ID            the Network Profiles dialog's command ID, as its button or menu sends it
//   select ID TEXT        choose TEXT in the dialog's list ID (1017 adapters, 1018 profiles)
//   wait TITLE            wait until Corvane shows a window titled TITLE
//   type TITLE ID TEXT    put TEXT into the edit ID of window TITLE (or of one of its pages)
//   address TITLE ID IP   put the address IP into the address control ID of window TITLE
//   click TITLE ID        click the button ID of window TITLE (or of one of its pages)
//   end TITLE ID          press End in control ID of window TITLE (a list scrolls to its end)
//   tab N                 bring tab N of the "Network Settings" editor to the front
//   close TITLE ID        send window TITLE the command ID (1 OK, 2 close) and wait until it has
//   gone message               wait for a message box of Corvane and print its text answer
//   ok|yes|no      answer that message box and wait until it has gone exit                  choose
//   "E&xit", wait until Corvane has gone and print its options
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/main_window_win32.h"
#include "core/text.h"
#include "platform/owned_handle_win32.h"
#include "platform/wide_text_win32.h"
#include "resources/resource.h"
#include "tray/tray_win32.h"

namespace {

constexpr DWORD kTimeoutMs = 15000;
constexpr DWORD kSettleMs = 400;  // lets a window paint before the next screenshot

HWND mainWindow() {
    return FindWindowW(corvane::kMainClassName, L"Corvane");
}

template <typename Condition>
bool waitFor(const std::string& what, Condition condition) {
    for (DWORD waited = 0; waited < kTimeoutMs; waited += 50) {
        if (condition()) {
            std::printf("  %s\n", what.c_str());
            std::fflush(stdout);
            Sleep(kSettleMs);
            return true;
        }
        Sleep(50);
    }
    std::printf("  timed out waiting: %s\n", what.c_str());
    return false;
}

std::string narrow(const std::wstring& text) {
    return corvane::toUtf8(corvane::utf16(text));
}

// "TITLE" and what happened to it. (Built by appending: GCC 12 at -O3 warns falsely on
// `literal + string`.)
std::string quoted(const wchar_t* title, const char* what) {
    std::string text("\"");
    return text.append(narrow(title)).append("\" ").append(what);
}

std::wstring textOf(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

bool isMessageBox(HWND window) {
    wchar_t textClass[16] = {};
    GetClassNameW(GetDlgItem(window, 0xFFFF), textClass, 16);
    return std::wstring(textClass) == L"Static" && textOf(window) == L"Corvane";
}

struct Search {
    DWORD process;
    const wchar_t* title;  // null: a message box
    HWND found;
};

// Window enumeration callbacks are stdcall functions: a lambda converts only where there is one
// calling convention (64 bits).
BOOL CALLBACK findCorvaneWindow(HWND window, LPARAM context) {
    auto* s = reinterpret_cast<Search*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process == s->process && std::wstring(className) == L"#32770" && IsWindowVisible(window) &&
        (s->title != nullptr ? textOf(window) == s->title && !isMessageBox(window)
                             : isMessageBox(window))) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog of Corvane's titled `title`, or with a null title a message box of Corvane.
HWND corvaneWindow(const wchar_t* title) {
    Search search{0, title, nullptr};
    GetWindowThreadProcessId(mainWindow(), &search.process);
    EnumWindows(findCorvaneWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND profilesDialog() {
    return corvaneWindow(L"Corvane");
}

BOOL CALLBACK findNestedControl(HWND child, LPARAM context) {
    auto* s = reinterpret_cast<std::pair<int, HWND>*>(context);
    if (GetDlgCtrlID(child) == s->first && GetParent(child) != nullptr &&
        GetParent(GetParent(child)) != nullptr) {
        s->second = child;
        return FALSE;
    }
    return TRUE;
}

// Control `id` of `window` or of any window inside it (the editor's pages).
HWND control(HWND window, int id) {
    if (window == nullptr) {
        return nullptr;
    }
    if (const HWND direct = GetDlgItem(window, id)) {
        return direct;
    }
    std::pair<int, HWND> search{id, nullptr};
    EnumChildWindows(window, findNestedControl, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HWND openPopupMenu() {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
}

int fail(const char* why) {
    std::printf("  %s\n", why);
    return 1;
}

int start(const wchar_t* program) {
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\" -nod";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return fail("cannot start Corvane");
    }
    const corvane::OwnedKernelHandle thread(process.hThread);
    const corvane::OwnedKernelHandle processHandle(process.hProcess);
    return waitFor("Corvane runs with its icon",
                   [] { return corvane::trayIconShown(mainWindow()); })
               ? 0
               : 1;
}

int open() {
    PostMessageW(mainWindow(), UM_SHOWPROFILES, 0, 0);
    return waitFor("the Network Profiles dialog shows", [] { return profilesDialog() != nullptr; })
               ? 0
               : 1;
}

int openMenu() {
    // A pen-down on the icon, as the notification area reports it.
    PostMessageW(mainWindow(), UM_TRAYNOTIFY, IDI_CORVANE, WM_LBUTTONDOWN);
    return waitFor("the icon's menu shows", [] { return openPopupMenu() != nullptr; }) ? 0 : 1;
}

int pressMenuKeys(int count, wchar_t** names) {
    const HWND menu = openPopupMenu();
    if (menu == nullptr) {
        return fail("no menu is open");
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
    Sleep(kSettleMs);
    return 0;
}

int choose(int id) {
    PostMessageW(mainWindow(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    std::printf("  chose command %d of the icon's menu\n", id);
    return 0;
}

int barMenu() {
    // The bar stands to the dialog as a button titled "&Corvane"; a click drops its menu down.
    const HWND bar = FindWindowExW(profilesDialog(), nullptr, L"CorvaneCommandBar", nullptr);
    if (bar == nullptr) {
        return fail("no command bar");
    }
    PostMessageW(bar, BM_CLICK, 0, 0);
    return waitFor("the command bar's menu shows", [] { return openPopupMenu() != nullptr; }) ? 0
                                                                                              : 1;
}

int command(int id) {
    PostMessageW(profilesDialog(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    std::printf("  command %d\n", id);
    Sleep(kSettleMs);
    return 0;
}

int select(int id, const wchar_t* text) {
    const HWND dialog = profilesDialog();
    const HWND list = GetDlgItem(dialog, id);
    if (SendMessageW(list, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(text)) == CB_ERR) {
        return fail("no such item");
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    std::printf("  selected \"%s\"\n", narrow(text).c_str());
    Sleep(kSettleMs);
    return 0;
}

int waitForWindow(const wchar_t* title) {
    return waitFor(quoted(title, "shows"), [title] { return corvaneWindow(title) != nullptr; }) ? 0
                                                                                                : 1;
}

int type(const wchar_t* title, int id, const wchar_t* text) {
    const HWND edit = control(corvaneWindow(title), id);
    if (edit == nullptr || !SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text))) {
        return fail("no such field");
    }
    std::printf("  typed \"%s\"\n", narrow(text).c_str());
    return 0;
}

int address(const wchar_t* title, int id, const wchar_t* text) {
    unsigned parts[4] = {};
    if (std::swscanf(text, L"%u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]) != 4) {
        return fail("not an address");
    }
    const LPARAM value =
        static_cast<LPARAM>((parts[0] << 24) | (parts[1] << 16) | (parts[2] << 8) | parts[3]);
    const HWND field = control(corvaneWindow(title), id);
    if (field == nullptr || !SendMessageW(field, IPM_SETADDRESS, 0, value)) {
        return fail("no such address control");
    }
    std::printf("  entered %s\n", narrow(text).c_str());
    return 0;
}

int click(const wchar_t* title, int id) {
    const HWND button = control(corvaneWindow(title), id);
    if (button == nullptr) {
        return fail("no such button");
    }
    SendMessageW(button, BM_CLICK, 0, 0);
    std::printf("  clicked %d\n", id);
    Sleep(kSettleMs);
    return 0;
}

int pressEnd(const wchar_t* title, int id) {
    const HWND target = control(corvaneWindow(title), id);
    if (target == nullptr) {
        return fail("no such control");
    }
    SendMessageW(target, WM_KEYDOWN, VK_END, 1);
    SendMessageW(target, WM_KEYUP, VK_END, 0xC0000001);
    Sleep(kSettleMs);
    return 0;
}

int showTab(int index) {
    const HWND tabs = control(corvaneWindow(L"Network Settings"), IDC_TABS);
    if (tabs == nullptr) {
        return fail("no settings editor");
    }
    SendMessageW(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
    std::printf("  tab %d\n", index);
    Sleep(kSettleMs);
    return 0;
}

int close(const wchar_t* title, int id) {
    const HWND window = corvaneWindow(title);
    PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    return waitFor(quoted(title, "has closed"), [window] { return !IsWindow(window); }) ? 0 : 1;
}

int showMessageText() {
    if (!waitFor("a message box of Corvane shows",
                 [] { return corvaneWindow(nullptr) != nullptr; })) {
        return 1;
    }
    std::printf("  message: %s\n",
                narrow(textOf(GetDlgItem(corvaneWindow(nullptr), 0xFFFF))).c_str());
    return 0;
}

int answer(const std::wstring& button) {
    const HWND box = corvaneWindow(nullptr);
    if (box == nullptr) {
        return fail("no message box is open");
    }
    const WPARAM id = button == L"yes" ? IDYES : button == L"no" ? IDNO : IDOK;
    PostMessageW(box, WM_COMMAND, id, 0);
    return waitFor(std::string("answered ").append(narrow(button)),
                   [box] { return !IsWindow(box); })
               ? 0
               : 1;
}

void printOption(HKEY key, const wchar_t* name) {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS) {
        std::printf("    %-11ls (missing)\n", name);
    } else {
        std::printf("    %-11ls %s = %lu\n", name, type == REG_DWORD ? "REG_DWORD" : "other type",
                    value);
    }
}

int exitCorvane() {
    PostMessageW(mainWindow(), WM_COMMAND, IDM_EXIT, 0);
    if (!waitFor("Corvane has ended (E&xit)", [] { return mainWindow() == nullptr; })) {
        return 1;
    }
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Tavelorn\\Corvane\\1.2", 0, KEY_READ,
                      &opened) != ERROR_SUCCESS) {
        return fail("no application key");
    }
    const corvane::OwnedHandle<HKEY, RegCloseKey> key(opened);
    std::printf("  options written at exit (HKCU\\Software\\Tavelorn\\Corvane\\1.2):\n");
    printOption(key.get(), L"ShowStart");
    printOption(key.get(), L"ApplyToAll");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    const auto number = [&](int i) { return argc > i ? std::wcstol(argv[i], nullptr, 10) : 0; };
    if (verb == L"start" && argc > 2) {
        return start(argv[2]);
    }
    if (verb != L"start" && mainWindow() == nullptr) {
        return fail("Corvane is not running");
    }
    if (verb == L"open") {
        return open();
    }
    if (verb == L"menu") {
        return openMenu();
    }
    if (verb == L"keys") {
        return pressMenuKeys(argc - 2, argv + 2);
    }
    if (verb == L"choose" && argc > 2) {
        return choose(static_cast<int>(number(2)));
    }
    if (verb == L"barmenu") {
        return barMenu();
    }
    if (verb == L"command" && argc > 2) {
        return command(static_cast<int>(number(2)));
    }
    if (verb == L"select" && argc > 3) {
        return select(static_cast<int>(number(2)), argv[3]);
    }
    if (verb == L"wait" && argc > 2) {
        return waitForWindow(argv[2]);
    }
    if (verb == L"type" && argc > 4) {
        return type(argv[2], static_cast<int>(number(3)), argv[4]);
    }
    if (verb == L"address" && argc > 4) {
        return address(argv[2], static_cast<int>(number(3)), argv[4]);
    }
    if (verb == L"click" && argc > 3) {
        return click(argv[2], static_cast<int>(number(3)));
    }
    if (verb == L"end" && argc > 3) {
        return pressEnd(argv[2], static_cast<int>(number(3)));
    }
    if (verb == L"tab" && argc > 2) {
        return showTab(static_cast<int>(number(2)));
    }
    if (verb == L"close" && argc > 3) {
        return close(argv[2], static_cast<int>(number(3)));
    }
    if (verb == L"message") {
        return showMessageText();
    }
    if (verb == L"answer" && argc > 2) {
        return answer(argv[2]);
    }
    if (verb == L"exit") {
        return exitCorvane();
    }
    std::printf(
        "usage: corvane-tour start CORVANE.EXE | open | menu | keys KEY... | choose ID | barmenu "
        "|\n"
        "  command ID | select ID TEXT | wait TITLE | type TITLE ID TEXT |\n"
        "  address TITLE ID IP | click TITLE ID | end TITLE ID | tab N | close TITLE ID |\n"
        "  message |"
        " answer ok|yes|no | exit\n");
    return 2;
}
