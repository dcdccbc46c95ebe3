#include "app/startup_win32.h"

#include "app/command_line_win32.h"
#include "app/main_window.h"
#include "app/main_window_win32.h"
#include "core/text.h"
#include "platform/registry_win32.h"
#include "platform/system_win32.h"
#include "platform/wide_text_win32.h"
#include "resources/resource.h"
#include "ui/ui_support_win32.h"
#include "ui/window_handles_win32.h"

namespace corvane {
namespace {

// Icon resource 107 at the given size; null when it cannot be loaded.
OwnedIcon loadAppIcon(HINSTANCE instance, int size) {
    return OwnedIcon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_CORVANE), IMAGE_ICON, size, size, 0)));
}

void setWindowIcons(HWND window, const OwnedIcon& small, const OwnedIcon& large) {
    if (small.get() != nullptr) {
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    }
    if (large.get() != nullptr) {
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.get()));
    }
}

int runMessageLoop(const WindowState& windows) {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            break;
        }
        if (!IsDialogMessageW(windows.hwndCurrent, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

// Hands over to a running instance: bring it forward and ask it for its dialog.
bool handOverToRunningInstance(HINSTANCE instance) {
    const HWND running = findRunningInstance(instance);
    if (running == nullptr) {
        return false;
    }
    SetForegroundWindow(running);
    SetActiveWindow(running);
    PostMessageW(running, UM_SHOWPROFILES, 0, 0);
    return true;
}

}  // namespace

int runCorvane(HINSTANCE instance, const wchar_t* commandLine) {
    Win32Registry registry;
    Win32System system;
    Session session{registry, system};
    readOptions(session);
    WindowState windows(session, instance);
    const std::u16string_view arguments =
        commandLine != nullptr ? utf16(std::wstring_view(commandLine)) : std::u16string_view();
    const CommandRequest request = parseCommandLine(arguments);
    if (request.kind != CommandRequest::Kind::None) {
        return runCommandLine(windows, request);
    }
    if (handOverToRunningInstance(instance)) {
        return 0;
    }
    windows.boldFont = createBoldFont();
    deleteOldVersionKeys(registry);
    if (!registerMainWindowClass(instance) || createMainWindow(windows) == nullptr) {
        return 0;
    }
    const OwnedIcon smallIcon = loadAppIcon(instance, 16);
    const OwnedIcon largeIcon = loadAppIcon(instance, 32);
    setWindowIcons(windows.hwndMain, smallIcon, largeIcon);

    if (opensProfilesAtStart(arguments, session.showAtStartup)) {
        PostMessageW(windows.hwndMain, UM_SHOWPROFILES, 0, 0);
    }
    return runMessageLoop(windows);
}

}  // namespace corvane
