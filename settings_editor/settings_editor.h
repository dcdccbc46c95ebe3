// The seam through which the profile commands open the "Network Settings" editor: the real
// sheet in the program, a script in tests.
#pragma once

#include "core/net_settings.h"
#include "core/ui.h"

namespace corvane {

class AppState;

class SettingsEditor {
  public:
    virtual ~SettingsEditor() = default;
    // Lets the user change `record` in place, owned by `owner`; true when the user confirmed and
    // every page accepted. On false the record may hold part of the edit: ignore it.
    virtual bool edit(AppState& state, WindowRef owner, NetSettings& record) = 0;
};

}  // namespace corvane
