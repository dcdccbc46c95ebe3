#include "profiles/profile_store.h"

#include <cstring>

#include "core/apply.h"
#include "core/settings_io.h"
#include "core/text.h"
#include "resources/resource.h"

namespace corvane {
namespace {

inline constexpr std::uint32_t kStoredNameBytes = kStoredNameChars * sizeof(char16_t);

bool openAdapterKey(Registry& registry, const AdapterInfo& adapter, RegKey& key) {
    return createKey(registry, kCurrentUser, adapterKeyPath(adapter), key) == status::kSuccess;
}

// Every value of a profile lives in its one key right below the Profiles key.
SettingsKeys profileKeys(const RegKey& profiles, std::u16string_view name) {
    return {profiles.handle(), name, name, profiles.handle(), name};
}

}  // namespace

std::u16string profilePath(std::u16string_view name) {
    return std::u16string(kProfilesKeyPath).append(u"\\").append(name);
}

// Built as a whole path without a fixed buffer: every adapter that is listed can hold a default.
std::u16string adapterKeyPath(const AdapterInfo& adapter) {
    std::u16string path(kAppKeyPath);
    return path.append(u"\\").append(textOf(adapter.keyName));
}

std::vector<std::u16string> listProfileNames(Registry& registry) {
    RegKey profiles;
    return openKey(registry, kCurrentUser, kProfilesKeyPath, 0, profiles) == status::kSuccess
               ? subkeyNames(registry, profiles.handle(), kStoredNameChars)
               : std::vector<std::u16string>{};
}

bool isProfileKeyName(std::u16string_view name) {
    return !name.empty() && name.size() <= kLongestKeyNameChars &&
           name.find(u'\\') == std::u16string_view::npos;
}

bool profileExists(Registry& registry, std::u16string_view name) {
    RegKey profiles;
    RegKey profile;
    return isProfileKeyName(name) &&
           openKey(registry, kCurrentUser, kProfilesKeyPath, 0, profiles) == status::kSuccess &&
           openKey(registry, profiles.handle(), name, 0, profile) == status::kSuccess;
}

std::optional<std::u16string> storedProfileName(Registry& registry, std::u16string_view name) {
    for (std::u16string& stored : listProfileNames(registry)) {
        if (equalsNoCase(stored, name)) {
            return std::move(stored);
        }
    }
    return std::nullopt;
}

bool loadDefaultProfileName(Registry& registry, const AdapterInfo& adapter, std::u16string& name) {
    RegKey key;
    if (!openAdapterKey(registry, adapter, key)) {
        return false;
    }
    const std::optional<std::u16string> stored =
        readText(registry, key.handle(), kDefaultProfileValue, kStoredNameBytes);
    if (!stored) {
        return false;
    }
    // Any type is taken, so the data may lack its zero: a name that fills the buffer without one
    // is not known whole and reads as missing.
    const std::u16string_view text = textOf(*stored);
    if (text.size() >= static_cast<std::size_t>(kStoredNameChars)) {
        return false;
    }
    name = text;
    return true;
}

Written recordDefaultProfile(Registry& registry, const AdapterInfo& adapter,
                             std::u16string_view name, ChangeLog* log) {
    std::u16string data(name);
    data.push_back(u'\0');
    RegValue value{std::u16string(kDefaultProfileValue), regtype::kString,
                   std::vector<unsigned char>(data.size() * sizeof(char16_t))};
    std::memcpy(value.data.data(), data.data(), value.data.size());
    const KeyChange change{kCurrentUser, adapterKeyPath(adapter), {std::move(value)}};
    return writeWhole(registry, std::span(&change, 1), log);
}

AdapterSwitch switchAdapter(Registry& registry, System& system, AdapterInfo& adapter,
                            std::u16string_view name, const std::optional<AdapterState>& before,
                            Messages& messages) {
    ChangeLog log;
    AdapterSwitch result;
    if (!keepBeforeSwitch(registry, adapter, before, log, messages)) {
        return result;
    }
    result.defaultRecorded = recordDefaultProfile(registry, adapter, name, &log) == Written::Whole;
    if (!result.defaultRecorded) {
        messages.push_back(failure(IDS_SET_DEFAULT_FAILED, name));
        // Nothing switched: the last switch is the one before this.
        if (!undoChanges(registry, log)) {
            messages.push_back(failure(IDS_UNDO_NOT_PUT_BACK, textOf(adapter.displayName)));
        }
        return result;
    }
    NetSettings record;
    if (!loadProfile(registry, name, record)) {
        messages.push_back(failure(IDS_LOAD_FAILED, name));
        return result;  // the default stays recorded although nothing was applied
    }
    result.outcome = applyToSystem(registry, system, adapter, record);
    // A switch that did not reach the system leaves the default and the last switch as it found
    // them.
    if (isFailure(*result.outcome) && !undoChanges(registry, log)) {
        result.outcome = ApplyOutcome::NotPutBack;
    }
    return result;
}

void switchToProfile(Session& session, AdapterInfo& adapter, std::u16string_view name,
                     bool everyAdapter, Messages& messages) {
    const std::vector<AdapterInfo*> targets =
        everyAdapter ? session.adapters.all() : std::vector<AdapterInfo*>{&adapter};
    const std::vector<std::optional<AdapterState>> before =
        adapterStates(session.registry, targets);
    std::vector<AdapterApply> applies;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        AdapterInfo* target = targets[i];
        const AdapterSwitch switched =
            switchAdapter(session.registry, session.system, *target, name, before[i], messages);
        if (!switched.defaultRecorded) {
            break;  // the adapters after it are left as they are
        }
        if (switched.outcome) {
            applies.push_back({std::u16string(textOf(target->displayName)), *switched.outcome});
        }
    }
    const Messages told = applyMessages(applies, targets.size() > 1);
    messages.insert(messages.end(), told.begin(), told.end());
}

bool loadProfile(Registry& registry, std::u16string_view name, NetSettings& record) {
    setDefaults(record);
    RegKey profiles;
    return isProfileKeyName(name) &&
           openKey(registry, kCurrentUser, kProfilesKeyPath, 0, profiles) == status::kSuccess &&
           readSettings(registry, record, profileKeys(profiles, name));
}

Written saveProfile(Registry& registry, std::u16string_view name, const NetSettings& record,
                    ChangeLog* log) {
    if (!isProfileKeyName(name)) {
        return Written::Nothing;
    }
    const std::u16string path = profilePath(name);
    return writeSettings(registry, record, {kCurrentUser, path, path, kCurrentUser, path}, log);
}

bool deleteProfile(Registry& registry, std::u16string_view name) {
    // An empty or nested name would delete the wrong key: only a key of its own is deleted.
    RegKey profiles;
    return isProfileKeyName(name) &&
           openKey(registry, kCurrentUser, kProfilesKeyPath, 0, profiles) == status::kSuccess &&
           registry.deleteTree(profiles.handle(), name) == status::kSuccess;
}

bool createProfileFromSystem(Registry& registry, std::u16string_view name, AdapterInfo& adapter,
                             Messages& messages) {
    ChangeLog log;
    const Written saved = saveProfile(registry, name, adapter.settings, &log);
    if (saved != Written::Whole) {
        tellUnsaved(saved, IDS_CREATE_FAILED, name, messages);
        return false;
    }
    if (recordDefaultProfile(registry, adapter, name) != Written::Whole) {
        messages.push_back(failure(IDS_SET_DEFAULT_FAILED, name));
        // The profile was made to be the default: without that it goes again.
        if (!undoChanges(registry, log)) {
            messages.push_back(failure(IDS_PROFILE_NOT_PUT_BACK, name));
        }
        return false;
    }
    return true;
}

void tellUnsaved(Written written, int textId, std::u16string_view name, Messages& messages) {
    if (written == Written::Whole) {
        return;
    }
    messages.push_back(failure(textId, name));
    if (written == Written::Partly) {
        messages.push_back(failure(IDS_PROFILE_NOT_PUT_BACK, name));
    }
}

}  // namespace corvane
