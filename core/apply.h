// Making a settings record an adapter's live configuration.
#pragma once

#include "core/adapter_list.h"
#include "core/net_settings.h"

namespace corvane {

class AppState;

// Writes `record` into the adapter's system keys and reads them back, tells the shell when the
// browser's proxy changed and, with `showMessages`, tells the user the outcome.
bool applyToSystem(AppState& state, AdapterInfo& adapter, const NetSettings& record,
                   bool showMessages);

}  // namespace corvane
