// The "Current Network Settings" viewer (template 108) and the About box (template 143), both
// modal over the Network Profiles dialog.
#pragma once

#include <windows.h>

#include "ui/window_state_win32.h"

namespace corvane {

// Shows `adapter`'s current settings and lease until the user closes the viewer.
void showCurrentSettings(WindowState& windows, const AdapterInfo& adapter, HWND owner);

// Shows the version and the store's size and free space until the user closes the box.
void showAboutBox(WindowState& windows, HWND owner);

}  // namespace corvane
