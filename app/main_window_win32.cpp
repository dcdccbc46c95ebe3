#include "app/main_window_win32.h"

#include <new>

#include "app/command_line_win32.h"
#include "app/main_window.h"
#include "platform/handles_win32.h"
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
LRESULT runCreationSteps(AppState& state, HWND window) {
    state.hwndMain = toRef(window);
    state.hwndCurrent = toRef(window);
    addTrayIcon(state);
    if (const auto stop =
            takeAdapters(state, std::unique_ptr<AdapterList>(new (std::nothrow) AdapterList))) {
        showMessage(state, window, *stop);
        return -1;
    }
    rebuildTrayMenu(state);
    return 0;
}

void runDestructionSteps(AppState& state) {
    // The menu's entries point at adapters: they go first, so none is left dangling.
    state.menuItems.clear();
    state.adapters.reset();
    writeDwordOption(*state.registry, kApplyToAllOption, state.applyToAll);
    writeDwordOption(*state.registry, kShowStartOption, state.showAtStartup);
    removeTrayIcon(state);
    PostQuitMessage(0);
}

// A profile of the icon's menu: switch, tell the outcome, then refresh on the main window, which
// offers a default profile to the first adapter when it has none and moves the menu's mark.
void switchProfile(AppState& state, HWND window, std::uint32_t commandId) {
    Messages messages;
    if (!switchFromMenu(state, commandId, messages)) {
        return;
    }
    state.busy = true;
    SetForegroundWindow(window);
    showMessages(state, window, messages);
    refreshProfileList(state, window);
    state.busy = false;
}

LRESULT onCommand(AppState& state, HWND window, std::uint32_t commandId) {
    switch (classifyMainCommand(commandId)) {
        case MainCommand::kSwitchProfile:
            switchProfile(state, window, commandId);
            break;
        case MainCommand::kShowProfiles:
            PostMessageW(window, UM_SHOWPROFILES, 0, 0);
            break;
        case MainCommand::kExit:
            PostMessageW(window, WM_CLOSE, 0, 0);
            break;
        case MainCommand::kNone:
            break;
    }
    return 0;
}

LRESULT onShowProfiles(AppState& state, HWND window) {
    if (state.dialogOpen) {
        return 0;
    }
    state.dialogOpen = true;
    SetForegroundWindow(window);
    SetActiveWindow(window);
    showProfilesDialog(state);
    state.dialogOpen = false;
    return 0;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto* created =
            static_cast<AppState*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
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
    auto* state = reinterpret_cast<AppState*>(GetWindowLongPtrW(window, kStateSlot));
    if (state == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_DESTROY:
            runDestructionSteps(*state);
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_COMMAND:
            return onCommand(*state, window, LOWORD(wParam));
        case UM_SHOWPROFILES:
            return onShowProfiles(*state, window);
        case WM_COPYDATA:
            return onCommandRequest(*state, *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case UM_TRAYNOTIFY:
            onTrayNotify(*state, lParam);
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
    windowClass.cbClsExtra = 8;
    windowClass.cbWndExtra = 8;  // slot 0: the AppState pointer, 64 bits on the desktop
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_CORVANE), IMAGE_ICON, 8, 8, 0));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = wide(kMainClassName);
    return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND createMainWindow(AppState& state) {
    char16_t name[kWindowNameChars] = {};
    loadAppString(state, IDS_PRODUCT_NAME, name, kWindowNameChars);
    const HWND window = CreateWindowExW(0, wide(kMainClassName), wide(name), WS_POPUP, 0, 0, 0, 0,
                                        nullptr, nullptr, toHinstance(state.hInstance), &state);
    if (window != nullptr) {
        state.hwndMain = toRef(window);
    }
    return window;
}

HWND findRunningInstance(const AppState& state) {
    char16_t name[kWindowNameChars] = {};
    loadAppString(state, IDS_PRODUCT_NAME, name, kWindowNameChars);
    return FindWindowW(wide(kMainClassName), wide(name));
}

}  // namespace corvane
