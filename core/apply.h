// Making a settings record an adapter's live configuration.
#pragma once

#include "core/adapter_list.h"
#include "core/message.h"
#include "core/net_settings.h"
#include "core/registry.h"
#include "core/system.h"

namespace corvane {

enum class ApplyOutcome {
    Failed,         // the system's values could not be written, or not read back
    Applied,        // written and read back; the browser's proxy did not change
    ShellNotified,  // written, and the shell was told of the changed proxy
    ResetNeeded,    // written, but the shell cannot be told: the device must be reset
};

// Writes `record` into the adapter's system keys and reads them back into the adapter's settings,
// then, when the browser's proxy changed, tells the shell if it can.
ApplyOutcome applyToSystem(Registry& registry, System& system, AdapterInfo& adapter,
                           const NetSettings& record);

// What an apply that reports tells the user, in order: the failure, or the next-use notice and,
// when the device must be reset, the reset notice after it.
Messages applyMessages(ApplyOutcome outcome);

}  // namespace corvane
