// The notification icon's popup menu: its profile items per adapter, and the tap that opens it.
#pragma once

#include <cstdint>

namespace corvane {

class AppState;

inline constexpr std::uint32_t kTrayMessageLeftButtonDown = 0x0201;  // WM_LBUTTONDOWN
// Profile items are inserted here, between "Network &Profiles..." and its separator.
inline constexpr int kTrayProfilePosition = 2;

// The first command id of the adapter at list position `index`.
std::uint32_t firstProfileCommand(int index);

// Builds the menu and menuItems anew from menu resource 112 and the profile store.
void rebuildTrayMenu(AppState& state);

// A message from the icon: a pen-down opens the menu at the screen's bottom-right corner, or,
// while a window of the program is up or a command runs, brings that window forward instead.
void onTrayNotify(AppState& state, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace corvane
