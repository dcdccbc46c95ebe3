// The tabbed "Network Settings" editor (template 105), modal, editing one record in place.
#pragma once

#include <windows.h>

#include "core/net_settings.h"

namespace corvane {

struct WindowState;

// Lets the user change `record` in the tabbed editor owned by `owner`, which is disabled
// meanwhile; true when every page accepted its values on OK. On false the record may hold some
// pages' values: ignore it. A quit request of the application ends the editor unconfirmed and
// stays posted for the application's own loop.
bool runSettingsSheet(WindowState& windows, HWND owner, NetSettings& record);

}  // namespace corvane
