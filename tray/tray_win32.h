// The notification icon of the hidden main window and its popup menu.
#pragma once

#include <windows.h>

#include "ui/window_state_win32.h"

namespace corvane {

// Loads the icon (16 by 16) and adds it; results are ignored.
void addTrayIcon(WindowState& windows);
// Removes the icon; results are ignored.
void removeTrayIcon(const WindowState& windows);
// True while the icon of the main window `mainWindow` is in the notification area: only then can
// it be modified. For those who watch the program from outside: its process tests and the tour.
bool trayIconShown(HWND mainWindow);

// Builds the icon's menu and its profile commands anew from menu resource 112 and the store.
void rebuildTrayMenu(WindowState& windows);

// UM_TRAYNOTIFY: a pen-down on the icon opens the menu at the screen's bottom-right corner, or
// brings forward the window that fronts the program.
void onTrayNotify(WindowState& windows, LPARAM mouseMessage);

}  // namespace corvane
