// Profile commands of the Network Profiles dialog: the refresh of its profile list with the
// default-profile offer, and turning an adapter's system settings into a profile.
#pragma once

#include <string_view>

#include "core/adapter_list.h"
#include "core/ui.h"

namespace corvane {

class AppState;

// Refills the profile list for the adapter selected in `window` (the first adapter for a window
// without an adapter list), offers to create a default profile when the adapter has none or the
// store is empty, selects the default, enables the buttons that need a selection and rebuilds
// the icon's menu.
void refreshProfileList(AppState& state, WindowRef window);

// Stores the adapter's current system settings as profile `name` and makes it the adapter's
// default. The system is not touched.
bool createProfileFromSystem(AppState& state, std::u16string_view name, AdapterInfo& adapter);

}  // namespace corvane
