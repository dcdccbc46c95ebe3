// The program's windows and what belongs to them: the hidden main window, the window that fronts
// the program, the icon and its menu, the bold font, and the flags that keep one command from
// running into another. The session it works for is the logic's.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "core/session.h"
#include "profiles/profile_store.h"
#include "ui/window_handles_win32.h"

namespace corvane {

struct WindowState {
    WindowState(Session& session, HINSTANCE instance) : session(session), instance(instance) {}
    WindowState(const WindowState&) = delete;
    WindowState& operator=(const WindowState&) = delete;

    Session& session;
    HINSTANCE instance = nullptr;
    HWND hwndMain = nullptr;
    HWND hwndCurrent = nullptr;  // the main window, or the Network Profiles dialog while open
    OwnedFont boldFont;
    OwnedIcon trayIcon;
    OwnedMenu trayMenu;
    std::vector<ProfileMenuItem> menuItems;  // the profile commands of the icon's menu
    bool busy = false;                       // a command runs: a tap on the icon opens no menu
    bool dialogOpen = false;
    int messageBoxesUp = 0;  // message boxes of the program on the screen now
};

// The program is busy while this lives; it then stands as it was found.
class BusyScope {
  public:
    explicit BusyScope(WindowState& windows)
        : windows_(windows), was_(std::exchange(windows.busy, true)) {}
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    ~BusyScope() { windows_.busy = was_; }

  private:
    WindowState& windows_;
    bool was_;
};

}  // namespace corvane
