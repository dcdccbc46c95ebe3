// Undo Last Switch: before anything writes a profile into an adapter's system settings, what the
// adapter had is kept, so that one step can give it back; the undo keeps what it replaces, so a
// second undo is a redo.
//
// The record is the key "LastSwitch" of the adapter's own key (the one that holds its
// "DefProfile"), below HKEY_CURRENT_USER:
//   - the thirteen values writeSettings writes for a profile, so that readSettings reads the
//     adapter's settings back from it;
//   - "PreviousDefProfile": the adapter's "DefProfile" as it was stored (type and bytes), left
//     out when the adapter had none.
// It holds nothing else. It is never below "Profiles": no list, menu, export or import sees it.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/adapter_list.h"
#include "core/apply.h"
#include "core/message.h"
#include "core/net_settings.h"
#include "core/registry.h"
#include "core/registry_values.h"
#include "core/session.h"
#include "core/system.h"

namespace corvane {

inline constexpr std::u16string_view kLastSwitchKey = u"LastSwitch";
inline constexpr std::u16string_view kPreviousDefaultValue = u"PreviousDefProfile";

// An adapter as a switch finds it.
struct AdapterState {
    NetSettings settings{};
    std::optional<RegValue> defaultProfile;  // its "DefProfile" whole; none when it has none
};

// What the adapter has now: its system settings as they stand (its entry's copy when they cannot
// be read; an empty logon without "Comm\Ident") and its "DefProfile". None when that is there but
// cannot be read whole: then nothing can be kept for an undo.
std::optional<AdapterState> adapterState(Registry& registry, const AdapterInfo& adapter);
// The state of each of `adapters`, all read before a run writes any: the logon and proxy that
// adapters share are then kept for each one's undo as they stood before the whole run.
std::vector<std::optional<AdapterState>> adapterStates(Registry& registry,
                                                       const std::vector<AdapterInfo*>& adapters);

// The adapter has a switch to undo.
bool hasLastSwitch(Registry& registry, const AdapterInfo& adapter);

// Keeps `state` as the adapter's last switch in place of the one before, whole or not at all;
// `log` as writeWhole keeps it.
Written keepLastSwitch(Registry& registry, const AdapterInfo& adapter, const AdapterState& state,
                       ChangeLog* log = nullptr);

// Keeps `before` (none: unknown) as the adapter's last switch, what it replaced going into `log`,
// before a switch writes anything else. False, told in `messages`, when it cannot be kept: then
// nothing may be changed.
bool keepBeforeSwitch(Registry& registry, const AdapterInfo& adapter,
                      const std::optional<AdapterState>& before, ChangeLog& log,
                      Messages& messages);

// Applies `record` as applyToSystem does once `before` (none: unknown) is kept as the adapter's
// last switch; an apply that fails puts the last switch back too. None when `before` cannot be
// kept: the adapter is left alone and `messages` says so.
std::optional<ApplyOutcome> applyKeepingLastSwitch(Registry& registry, System& system,
                                                   AdapterInfo& adapter, const NetSettings& record,
                                                   const std::optional<AdapterState>& before,
                                                   Messages& messages);

// Undo Last Switch for `adapter`, or with `everyAdapter` for every adapter that has one: each
// adapter's settings and default profile put back as they were before its last switch, applied
// as a switch applies a profile, and what they replaced kept in their place. Each adapter's undo
// is whole or nothing; the first that cannot be made ends the run. `messages` gets what the user
// is told, the outcome once. False, with its message, when there is nothing to undo.
bool undoLastSwitch(Session& session, AdapterInfo& adapter, bool everyAdapter, Messages& messages);

}  // namespace corvane
