// The Network Profiles dialog (template 104), modal and owned by the main window, and the refresh
// of its profile list, which a switch from the icon's menu runs on the main window too.
#pragma once

#include <windows.h>

#include "ui/command_bar_win32.h"
#include "ui/window_state_win32.h"

namespace corvane {

// How the dialog makes its command bar.
using CommandBarFactory = HWND (*)(HINSTANCE instance, HWND dialog, int id);

// Shows the dialog until it ends; it fronts the program (hwndCurrent) meanwhile. When its command
// bar cannot be made the user is told, the program is ended with exit code 3 and its options are
// not written.
void runProfilesDialog(WindowState& windows, CommandBarFactory makeBar = commandBarCreate);

// Refills the profile list for the adapter selected in `window` (the first adapter for a window
// without an adapter list), offers to create a default profile when the adapter has none or the
// store is empty, selects the default, enables the buttons that need a selection and rebuilds
// the icon's menu.
void refreshProfileList(WindowState& windows, HWND window);

}  // namespace corvane
