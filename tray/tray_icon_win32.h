// The notification-area icon of the hidden main window.
#pragma once

#include "core/app_state.h"

namespace corvane {

inline constexpr unsigned kTrayIconId = 107;

// Loads trayIcon (16 by 16) if needed and adds the icon; results are ignored.
void addTrayIcon(AppState& state);
// Removes the icon; results are ignored.
void removeTrayIcon(AppState& state);

}  // namespace corvane
