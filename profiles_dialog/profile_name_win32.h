// The Profile Name dialog (template 106), modal.
#pragma once

#include <windows.h>

#include <string>

#include "ui/window_state_win32.h"

namespace corvane {

inline constexpr int kNameAccepted = 1;
inline constexpr int kNameCancelled = 2;

// Asks for a profile name, starting from the text in `name`; on OK `name` holds the accepted
// name. Returns kNameAccepted or kNameCancelled.
int runProfileNameDialog(WindowState& windows, HWND owner, std::u16string& name);

}  // namespace corvane
