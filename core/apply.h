// Making a settings record an adapter's live configuration.
#pragma once

#include <span>
#include <string>

#include "core/adapter_list.h"
#include "core/message.h"
#include "core/net_settings.h"
#include "core/registry.h"
#include "core/system.h"

namespace corvane {

enum class ApplyOutcome {
    Failed,         // not written, or not read back: the system's values are as they were
    NotPutBack,     // a write failed, and what was written before it could not all be put back
    Applied,        // written and read back; the browser's proxy did not change
    ShellNotified,  // written, and the shell was told of the changed proxy
    ResetNeeded,    // written, but the shell cannot be told: the device must be reset
};

inline bool isFailure(ApplyOutcome outcome) {
    return outcome == ApplyOutcome::Failed || outcome == ApplyOutcome::NotPutBack;
}

// Writes `record` into the adapter's system keys whole or not at all and reads them back into the
// adapter's settings, then, when the browser's proxy changed, tells the shell if it can.
ApplyOutcome applyToSystem(Registry& registry, System& system, AdapterInfo& adapter,
                           const NetSettings& record);

// One adapter's apply, as a run of applies reports it.
struct AdapterApply {
    std::u16string adapterName;  // the adapter's display name
    ApplyOutcome outcome = ApplyOutcome::Failed;
};

// What a run of applies tells, in order: each failure (naming its adapter when `nameAdapters`,
// as when several adapters were switched at once), then, with `tellCompletion` and when any was
// written, the next-use notice once, and the reset notice after it when any needs a reset.
Messages applyMessages(std::span<const AdapterApply> applies, bool nameAdapters,
                       bool tellCompletion = true);

}  // namespace corvane
