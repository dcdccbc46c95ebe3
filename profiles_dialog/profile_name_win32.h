// The Profile Name dialog (template 106), modal.
#pragma once

#include <windows.h>

#include <string>

#include "core/app_state.h"

namespace corvane {

inline constexpr int kNameAccepted = 1;
inline constexpr int kNameCancelled = 2;
inline constexpr int kNameWithoutAdapter = 3;

// Asks for a profile name for `adapter`, starting from the text in `name`; on OK `name` holds the
// accepted name. Returns kNameAccepted, kNameCancelled, or kNameWithoutAdapter when there is no
// adapter to name a profile for.
int runProfileNameDialog(AppState& state, HWND owner, const AdapterInfo* adapter,
                         std::u16string& name);

}  // namespace corvane
