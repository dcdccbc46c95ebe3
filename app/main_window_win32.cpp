#include "app/main_window_win32.h"

#include "app/command_line_win32.h"
#include "app/main_window.h"
#include "platform/wide_text_win32.h"
#include "profiles_dialog/profiles_dialog_win32.h"
#include "resources/resource.h"
#include "tray/tray_menu.h"
#include "tray/tray_win32.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

constexpr int kStateSlot = 0;
constexpr int kWindowNameChars = 128;

// WM_CREATE: 0 when the window may live, -1 when the user was told why the start failed.
LRESULT runCreationSteps(WindowState& windows, HWND window) {
    windows.hwndMain = window;
    windows.hwndCurrent = window;
    addTrayIcon(windows);
    if (const auto stop = findAdapters(windows.session)) {
        showMessage(windows, window, *stop);
        return -1;
    }
    rebuildTrayMenu(windows);
    return 0;
}

void runDestructionSteps(WindowState& windows) {
    windows.menuItems.clear();
    windows.session.adapters.clear();
    writeOptions(windows.session);
    removeTrayIcon(windows);
    PostQuitMessage(0);
}

// A profile of the icon's menu: switch, tell the outcome, then refresh on the main window, which
// offers a default profile to the first adapter when it has none and moves the menu's mark.
void switchProfile(WindowState& windows, HWND window, std::uint32_t commandId) {
    Messages messages;
    if (!switchFromMenu(windows.session, windows.menuItems, commandId, messages)) {
        return;
    }
    const BusyScope busy(windows);
    SetForegroundWindow(window);
    showMessages(windows, window, messages);
    refreshProfileList(windows, window);
}

// "Undo Last Switch" of the icon's menu: undone and told as a switch, then the same refresh.
void undoSwitch(WindowState& windows, HWND window, std::uint32_t commandId) {
    Messages messages;
    if (!undoFromMenu(windows.session, commandId, messages)) {
        return;
    }
    const BusyScope busy(windows);
    SetForegroundWindow(window);
    showMessages(windows, window, messages);
    refreshProfileList(windows, window);
}

LRESULT onCommand(WindowState& windows, HWND window, std::uint32_t commandId) {
    switch (commandId) {
        case IDM_SHOW_PROFILES:
            PostMessageW(window, UM_SHOWPROFILES, 0, 0);
            break;
        case IDM_EXIT:
            PostMessageW(window, WM_CLOSE, 0, 0);
            break;
        default:
            if (commandId >= IDM_FIRST_PROFILE) {
                switchProfile(windows, window, commandId);
            } else {
                undoSwitch(windows, window, commandId);
            }
            break;
    }
    return 0;
}

LRESULT onShowProfiles(WindowState& windows, HWND window) {
    if (windows.dialogOpen) {
        return 0;
    }
    windows.dialogOpen = true;
    SetForegroundWindow(window);
    SetActiveWindow(window);
    runProfilesDialog(windows);
    windows.dialogOpen = false;
    return 0;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto* created =
            static_cast<WindowState*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (created == nullptr) {
            return -1;
        }
        SetWindowLongPtrW(window, kStateSlot, reinterpret_cast<LONG_PTR>(created));
        const LRESULT result = runCreationSteps(*created, window);
        if (result != 0) {
            // Not every platform sends WM_DESTROY to a window whose creation failed (Wine does
            // not), so the destruction steps run here, once: the emptied slot keeps a later
            // WM_DESTROY from repeating them.
            runDestructionSteps(*created);
            SetWindowLongPtrW(window, kStateSlot, 0);
        }
        return result;
    }
    auto* windows = reinterpret_cast<WindowState*>(GetWindowLongPtrW(window, kStateSlot));
    if (windows == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_DESTROY:
            runDestructionSteps(*windows);
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_COMMAND:
            return onCommand(*windows, window, LOWORD(wParam));
        case UM_SHOWPROFILES:
            return onShowProfiles(*windows, window);
        case WM_COPYDATA:
            return onCommandRequest(*windows, *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case UM_TRAYNOTIFY:
            onTrayNotify(*windows, lParam);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

bool registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.cbWndExtra = sizeof(WindowState*);  // slot 0: the window state
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_CORVANE));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kMainClassName;
    return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND createMainWindow(WindowState& windows) {
    char16_t name[kWindowNameChars] = {};
    loadAppString(windows.instance, IDS_PRODUCT_NAME, name, kWindowNameChars);
    const HWND window = CreateWindowExW(0, kMainClassName, wide(name), WS_POPUP, 0, 0, 0, 0,
                                        nullptr, nullptr, windows.instance, &windows);
    if (window != nullptr) {
        windows.hwndMain = window;
    }
    return window;
}

HWND findRunningInstance(HINSTANCE instance) {
    char16_t name[kWindowNameChars] = {};
    loadAppString(instance, IDS_PRODUCT_NAME, name, kWindowNameChars);
    return FindWindowW(kMainClassName, wide(name));
}

}  // namespace corvane
