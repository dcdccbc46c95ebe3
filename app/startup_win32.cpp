#include "app/startup_win32.h"

#include "app/command_line_win32.h"
#include "app/main_window.h"
#include "app/main_window_win32.h"
#include "core/text.h"
#include "platform/handles_win32.h"
#include "platform/owned_handle_win32.h"
#include "platform/registry_win32.h"
#include "platform/system_win32.h"
#include "resources/resource.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

// Icon resource 107 at the given size; null when it cannot be loaded.
OwnedIcon loadAppIcon(HINSTANCE instance, int size) {
    return OwnedIcon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_CORVANE), IMAGE_ICON, size, size, 0)));
}

void setWindowIcons(const AppState& state, const OwnedIcon& small, const OwnedIcon& large) {
    if (small.get() != nullptr) {
        SendMessageW(toHwnd(state.hwndCurrent), WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(small.get()));
    }
    if (large.get() != nullptr) {
        SendMessageW(toHwnd(state.hwndCurrent), WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(large.get()));
    }
}

int runMessageLoop(const AppState& state) {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            break;
        }
        if (!IsDialogMessageW(toHwnd(state.hwndCurrent), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

// Hands over to a running instance: bring it forward and ask it for its dialog.
bool handOverToRunningInstance(const AppState& state) {
    const HWND running = findRunningInstance(state);
    if (running == nullptr) {
        return false;
    }
    SetForegroundWindow(running);
    SetActiveWindow(running);
    PostMessageW(running, UM_SHOWPROFILES, 0, 0);
    return true;
}

}  // namespace

int runCorvane(HINSTANCE instance, HINSTANCE previous, const wchar_t* commandLine) {
    static Win32Registry registry;
    static Win32System system;
    AppState& state = appState();
    state.registry = &registry;
    state.system = &system;

    initAppState(state);
    state.hInstance = toRef(instance);
    const std::u16string_view arguments =
        commandLine != nullptr ? utf16(std::wstring_view(commandLine)) : std::u16string_view();
    const CommandRequest request = parseCommandLine(arguments);
    if (request.kind != CommandRequest::Kind::None) {
        return runCommandLine(state, request);
    }
    createBoldFont(state);
    if (handOverToRunningInstance(state)) {
        return 0;
    }
    deleteOldVersionKeys(registry);
    if (previous == nullptr && !registerMainWindowClass(instance)) {
        return 0;
    }
    if (createMainWindow(state) == nullptr) {
        return 0;
    }
    const OwnedIcon smallIcon = loadAppIcon(instance, 16);
    const OwnedIcon largeIcon = loadAppIcon(instance, 32);
    setWindowIcons(state, smallIcon, largeIcon);

    if (opensProfilesAtStart(arguments, state.showAtStartup)) {
        PostMessageW(toHwnd(state.hwndMain), UM_SHOWPROFILES, 0, 0);
    }
    const int exitCode = runMessageLoop(state);
    // The menu, the icon and the font go before the process does.
    state.trayMenu.reset();
    state.trayIcon.reset();
    state.boldFont.reset();
    return exitCode;
}

}  // namespace corvane
