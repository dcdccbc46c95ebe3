// The Network Profiles dialog (template 104), modal and owned by the main window.
#pragma once

#include "core/app_state.h"

namespace corvane {

// Shows the dialog until it ends; it fronts the application (hwndCurrent) meanwhile.
void showProfilesDialog(AppState& state);

}  // namespace corvane
