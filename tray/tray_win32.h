// The notification icon of the hidden main window and its popup menu.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/app_state.h"

namespace corvane {

// Loads trayIcon (16 by 16) and adds the icon; results are ignored.
void addTrayIcon(AppState& state);
// Removes the icon; results are ignored.
void removeTrayIcon(const AppState& state);

// Builds trayMenu and menuItems anew from menu resource 112 and the profile store.
void rebuildTrayMenu(AppState& state);

// UM_TRAYNOTIFY: a pen-down on the icon opens the menu at the screen's bottom-right corner, or
// brings forward the window that fronts the program.
void onTrayNotify(AppState& state, LPARAM mouseMessage);

}  // namespace corvane
