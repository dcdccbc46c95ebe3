// Switching profiles: from a profile command of the icon's menu and from the "&Set!" button.
#pragma once

#include <cstdint>

#include "core/ui.h"

namespace corvane {

class AppState;

// Makes the profile of menu command `commandId` the default of its adapter (of every adapter
// with applyToAll) and applies it. False when no entry carries the id.
bool switchFromMenu(AppState& state, std::uint32_t commandId);

// The "&Set!" button of the Network Profiles dialog.
void switchFromDialog(AppState& state, WindowRef dialog);

}  // namespace corvane
