#include "app/main_window_win32.h"

#include <string>

#include "app/main_window.h"
#include "platform/handles_win32.h"
#include "profiles_dialog/profiles_dialog_win32.h"
#include "resources/resource.h"
#include "tray/switching.h"
#include "tray/tray_icon_win32.h"
#include "tray/tray_menu.h"
#include "ui/ui_support.h"

namespace corvane {
namespace {

constexpr int kStateSlot = 0;
constexpr int kWindowNameChars = 128;

const MainWindowSteps& platformSteps() {
    static const MainWindowSteps steps = [] {
        MainWindowSteps s;
        s.addTrayIcon = addTrayIcon;
        s.removeTrayIcon = removeTrayIcon;
        s.rebuildTrayMenu = rebuildTrayMenu;
        return s;
    }();
    return steps;
}

void runDestroySteps(AppState& state) {
    runDestructionSteps(state, platformSteps());
    PostQuitMessage(0);
}

LRESULT onCommand(AppState& state, HWND window, std::uint32_t commandId) {
    switch (classifyMainCommand(commandId)) {
        case MainCommand::kSwitchProfile:
            switchFromMenu(state, commandId);
            break;
        case MainCommand::kShowProfiles:
            PostMessageW(window, kUmShowProfiles, 0, 0);
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
    state.dialogOpen = 1;
    SetForegroundWindow(window);
    SetActiveWindow(window);
    showProfilesDialog(state);
    state.dialogOpen = 0;
    return 0;
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
    windowClass.lpszClassName = wide(u"CorvaneClass");
    return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND createMainWindow(AppState& state) {
    char16_t name[kWindowNameChars] = {};
    loadAppString(state, IDS_PRODUCT_NAME, name, kWindowNameChars);
    const HWND window = CreateWindowExW(0, wide(u"CorvaneClass"), wide(name), WS_POPUP, 0, 0, 0, 0,
                                        nullptr, nullptr, toHinstance(state.hInstance), &state);
    if (window != nullptr) {
        state.hwndMain = toRef(window);
    }
    return window;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto* created =
            static_cast<AppState*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (created == nullptr) {
            return -1;
        }
        SetWindowLongPtrW(window, kStateSlot, reinterpret_cast<LONG_PTR>(created));
        const int result = runCreationSteps(*created, toRef(window), platformSteps());
        if (result != 0) {
            // Not every platform sends WM_DESTROY to a window whose creation failed (Wine does
            // not), so the destruction steps run here, once: the emptied slot keeps a later
            // WM_DESTROY from repeating them.
            runDestroySteps(*created);
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
            runDestroySteps(*state);
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_COMMAND:
            return onCommand(*state, window, LOWORD(wParam));
        case kUmShowProfiles:
            return onShowProfiles(*state, window);
        case kUmTrayNotify:
            onTrayNotify(*state, wParam, lParam);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace corvane
