#include "profiles/last_switch.h"

#include <iterator>
#include <vector>

#include "core/settings_io.h"
#include "core/text.h"
#include "profiles/profile_store.h"
#include "resources/resource.h"

namespace corvane {
namespace {

std::u16string lastSwitchPath(const AdapterInfo& adapter) {
    return adapterKeyPath(adapter).append(u"\\").append(kLastSwitchKey);
}

// The record read as a profile is: all three of its keys are the one key.
SettingsKeys recordKeys(std::u16string_view path) {
    return {kCurrentUser, path, path, kCurrentUser, path};
}

// The value `name` of the key at `path` below HKEY_CURRENT_USER, whole, named `as`: 0, 2 when it
// or its key is missing, or the failure.
long readNamed(Registry& registry, std::u16string_view path, std::u16string_view name,
               std::u16string_view as, RegValue& value) {
    RegKey key;
    long result = openKey(registry, kCurrentUser, path, 0, key);
    if (result == status::kSuccess) {
        result = readValue(registry, key.handle(), name, value);
        value.name = as;
    }
    return result;
}

// Takes `value` when it was read, nothing when it is missing; false when it cannot be read.
bool takeOptional(long result, RegValue& value, std::optional<RegValue>& into) {
    if (result == status::kSuccess) {
        into = std::move(value);
    }
    return result == status::kSuccess || result == status::kFileNotFound;
}

enum class Record { None, Read, Unreadable };

Record readLastSwitch(Registry& registry, const AdapterInfo& adapter, AdapterState& state) {
    const std::u16string path = lastSwitchPath(adapter);
    RegKey key;
    const long opened = openKey(registry, kCurrentUser, path, 0, key);
    if (opened == status::kFileNotFound) {
        return Record::None;
    }
    RegValue value;
    return opened == status::kSuccess && readSettings(registry, state.settings, recordKeys(path)) &&
                   takeOptional(readNamed(registry, path, kPreviousDefaultValue,
                                          kDefaultProfileValue, value),
                                value, state.defaultProfile)
               ? Record::Read
               : Record::Unreadable;
}

// Gives the adapter the default `value` as it was stored, or takes its default away; what it
// replaced goes into `log`.
Written restoreDefault(Registry& registry, const AdapterInfo& adapter,
                       const std::optional<RegValue>& value, ChangeLog& log) {
    const std::u16string path = adapterKeyPath(adapter);
    if (value) {
        const KeyChange change{kCurrentUser, path, {*value}};
        return writeWhole(registry, std::span(&change, 1), &log);
    }
    RegKey key;
    RegValue before;
    const long opened = openKey(registry, kCurrentUser, path, 0, key);
    const long read = opened == status::kSuccess
                          ? readValue(registry, key.handle(), kDefaultProfileValue, before)
                          : opened;
    if (read == status::kFileNotFound) {
        return Written::Whole;  // it has none already
    }
    if (read != status::kSuccess ||
        registry.deleteValue(key.handle(), kDefaultProfileValue) != status::kSuccess) {
        return Written::Nothing;
    }
    log.values.push_back(
        {kCurrentUser, path, std::u16string(kDefaultProfileValue), std::move(before)});
    return Written::Whole;
}

// One adapter's undo, keeping `now` in place of its last switch: the outcome of its apply, or
// none when it could not be made (told in `messages`).
std::optional<ApplyOutcome> undoAdapter(Registry& registry, System& system, AdapterInfo& adapter,
                                        const std::optional<AdapterState>& now,
                                        Messages& messages) {
    AdapterState kept;
    ChangeLog log;
    Written written = Written::Nothing;
    if (now && readLastSwitch(registry, adapter, kept) == Record::Read) {
        written = keepLastSwitch(registry, adapter, *now, &log);
    }
    if (written == Written::Whole) {
        const Written restored = restoreDefault(registry, adapter, kept.defaultProfile, log);
        if (restored != Written::Whole) {
            const bool putBack = undoChanges(registry, log);
            written = restored == Written::Nothing && putBack ? Written::Nothing : Written::Partly;
        }
    }
    if (written != Written::Whole) {
        const std::u16string_view name = textOf(adapter.displayName);
        messages.push_back(failure(IDS_UNDO_FAILED, name));
        if (written == Written::Partly) {
            messages.push_back(failure(IDS_UNDO_NOT_PUT_BACK, name));
        }
        return std::nullopt;
    }
    ApplyOutcome outcome = applyToSystem(registry, system, adapter, kept.settings);
    // An undo that did not reach the system leaves the record and the default as they were.
    if (isFailure(outcome) && !undoChanges(registry, log)) {
        outcome = ApplyOutcome::NotPutBack;
    }
    return outcome;
}

}  // namespace

std::optional<AdapterState> adapterState(Registry& registry, const AdapterInfo& adapter) {
    AdapterState state;
    SettingsKeys keys = systemKeys(textOf(adapter.tcpipKeyPath));
    if (!readSettings(registry, state.settings, keys)) {
        // Without "Comm\Ident" the reader stops before the addresses: read them with no logon.
        keys.identityPath = keys.tcpipPath;
        if (!readSettings(registry, state.settings, keys)) {
            state.settings = adapter.settings;
        }
    }
    RegValue value;
    if (!takeOptional(readNamed(registry, adapterKeyPath(adapter), kDefaultProfileValue,
                                kDefaultProfileValue, value),
                      value, state.defaultProfile)) {
        return std::nullopt;
    }
    return state;
}

std::vector<std::optional<AdapterState>> adapterStates(Registry& registry,
                                                       const std::vector<AdapterInfo*>& adapters) {
    std::vector<std::optional<AdapterState>> states;
    for (const AdapterInfo* adapter : adapters) {
        states.push_back(adapterState(registry, *adapter));
    }
    return states;
}

bool hasLastSwitch(Registry& registry, const AdapterInfo& adapter) {
    RegKey key;
    return openKey(registry, kCurrentUser, lastSwitchPath(adapter), 0, key) == status::kSuccess;
}

Written keepLastSwitch(Registry& registry, const AdapterInfo& adapter, const AdapterState& state,
                       ChangeLog* log) {
    // An adapter whose key is "Profiles" shares it with the profiles: its record would be listed.
    if (equalsNoCase(textOf(adapter.keyName), u"Profiles")) {
        return Written::Nothing;
    }
    const std::u16string path = lastSwitchPath(adapter);
    KeyChange record{kCurrentUser, path, {}, true};  // exactly these values
    for (KeyChange& key : settingsChanges(state.settings, recordKeys(path))) {
        record.set.insert(record.set.end(), std::make_move_iterator(key.set.begin()),
                          std::make_move_iterator(key.set.end()));
    }
    if (state.defaultProfile) {
        record.set.push_back(*state.defaultProfile);
        record.set.back().name = kPreviousDefaultValue;
    }
    return writeWhole(registry, std::span(&record, 1), log);
}

bool keepBeforeSwitch(Registry& registry, const AdapterInfo& adapter,
                      const std::optional<AdapterState>& before, ChangeLog& log,
                      Messages& messages) {
    const Written kept =
        before ? keepLastSwitch(registry, adapter, *before, &log) : Written::Nothing;
    if (kept != Written::Whole) {
        const std::u16string_view name = textOf(adapter.displayName);
        messages.push_back(failure(IDS_NOT_KEPT_FOR_UNDO, name));
        if (kept == Written::Partly) {
            messages.push_back(failure(IDS_UNDO_NOT_PUT_BACK, name));
        }
    }
    return kept == Written::Whole;
}

std::optional<ApplyOutcome> applyKeepingLastSwitch(Registry& registry, System& system,
                                                   AdapterInfo& adapter, const NetSettings& record,
                                                   const std::optional<AdapterState>& before,
                                                   Messages& messages) {
    ChangeLog log;
    if (!keepBeforeSwitch(registry, adapter, before, log, messages)) {
        return std::nullopt;
    }
    ApplyOutcome outcome = applyToSystem(registry, system, adapter, record);
    if (isFailure(outcome) && !undoChanges(registry, log)) {
        outcome = ApplyOutcome::NotPutBack;
    }
    return outcome;
}

bool undoLastSwitch(Session& session, AdapterInfo& adapter, bool everyAdapter, Messages& messages) {
    std::vector<AdapterInfo*> targets;
    for (int index = 0; index < session.adapters.count(); ++index) {
        AdapterInfo* candidate = session.adapters.at(index);
        if ((everyAdapter || candidate == &adapter) &&
            hasLastSwitch(session.registry, *candidate)) {
            targets.push_back(candidate);
        }
    }
    if (targets.empty()) {
        messages.push_back(failure(IDS_NOTHING_TO_UNDO, textOf(adapter.displayName)));
        return false;
    }
    const std::vector<std::optional<AdapterState>> now = adapterStates(session.registry, targets);
    std::vector<AdapterApply> applies;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const std::optional<ApplyOutcome> outcome =
            undoAdapter(session.registry, session.system, *targets[i], now[i], messages);
        if (!outcome) {
            break;  // the adapters after it are left as they are
        }
        applies.push_back({std::u16string(textOf(targets[i]->displayName)), *outcome});
    }
    const Messages told = applyMessages(applies, targets.size() > 1);
    messages.insert(messages.end(), told.begin(), told.end());
    return true;
}

}  // namespace corvane
