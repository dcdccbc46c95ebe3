// The Export and Import commands of the Network Profiles dialog, with the file dialogs and the
// "Import Options" dialog (template 114).
#pragma once

#include <windows.h>

#include "core/app_state.h"

namespace corvane {

// "&Export...": every stored profile into a file the user names. True when it was written.
bool exportCommand(AppState& state, HWND dialog);

// "&Import...": the profiles of a file the user chooses, on top of the stored ones or in their
// place, then the dialog's list refreshed and every adapter's default profile applied again.
// True unless the import or an apply failed; nothing happens when the user cancels.
bool importCommand(AppState& state, HWND dialog);

}  // namespace corvane
