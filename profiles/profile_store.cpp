#include "profiles/profile_store.h"

#include "core/apply.h"
#include "core/settings_io.h"
#include "core/text.h"
#include "resources/resource.h"

namespace corvane {
namespace {

inline constexpr std::uint32_t kStoredNameBytes = kStoredNameChars * sizeof(char16_t);

// The adapter's own key beside "Profiles", which holds its "DefProfile". Built as a whole path
// without a fixed buffer: every adapter that is listed can hold a default.
bool openAdapterKey(Registry& registry, const AdapterInfo& adapter, RegKey& key) {
    std::u16string path(kAppKeyPath);
    path.append(u"\\").append(textOf(adapter.keyName));
    return createKey(registry, kCurrentUser, path, key) == status::kSuccess;
}

// Every value of a profile lives in its one key right below the Profiles key.
SettingsKeys profileKeys(const RegKey& profiles, std::u16string_view name) {
    return {profiles.handle(), name, name, profiles.handle(), name};
}

}  // namespace

std::vector<std::u16string> listProfileNames(Registry& registry) {
    std::vector<std::u16string> names;
    RegKey profiles;
    if (openKey(registry, kCurrentUser, kProfilesKeyPath, 0, profiles) != status::kSuccess) {
        return names;
    }
    for (std::uint32_t index = 0; index < kProfileScanLimit; ++index) {
        char16_t name[kStoredNameChars] = {};
        std::uint32_t nameChars = kStoredNameChars;
        const long result = registry.enumKey(profiles.handle(), index, name, nameChars);
        if (result == status::kNoMoreItems) {
            break;
        }
        if (result == status::kSuccess && !textOf(name).empty()) {
            names.emplace_back(textOf(name));
        }
    }
    return names;
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
    char16_t stored[kStoredNameChars] = {};
    std::uint32_t size = kStoredNameBytes;
    if (registry.queryValue(key.handle(), kDefaultProfileValue, nullptr, stored, &size) !=
            status::kSuccess ||
        size > kStoredNameBytes) {
        return false;
    }
    // Any type is taken, so the data may lack its zero: a name that fills the buffer without one
    // is not known whole and reads as missing.
    const std::u16string_view text =
        textOf(std::span<const char16_t>(stored, size / sizeof(char16_t)));
    if (text.size() >= static_cast<std::size_t>(kStoredNameChars)) {
        return false;
    }
    name = text;
    return true;
}

bool setDefaultProfile(AppState& state, AdapterInfo& adapter, std::u16string_view name, bool apply,
                       bool showMessages, Messages& messages) {
    RegKey key;
    if (!openAdapterKey(*state.registry, adapter, key)) {
        return false;
    }
    std::u16string data(name);
    data.push_back(u'\0');
    if (state.registry->setValue(key.handle(), kDefaultProfileValue, regtype::kString, data.data(),
                                 static_cast<std::uint32_t>(data.size() * sizeof(char16_t))) !=
        status::kSuccess) {
        return false;
    }
    key.close();
    if (!apply) {
        return true;
    }
    NetSettings record;
    if (!loadProfile(*state.registry, name, record)) {
        messages.push_back(failure(IDS_LOAD_FAILED, name));
        return true;
    }
    const ApplyOutcome outcome = applyToSystem(*state.registry, *state.system, adapter, record);
    if (showMessages) {
        const Messages told = applyMessages(outcome);
        messages.insert(messages.end(), told.begin(), told.end());
    }
    return true;
}

bool switchAllAdapters(AppState& state, std::u16string_view name, Messages& messages) {
    const int count = state.adapters ? state.adapters->count() : 0;
    for (int index = 0; index < count; ++index) {
        if (!setDefaultProfile(state, *state.adapters->at(index), name, true, index == count - 1,
                               messages)) {
            messages.push_back(failure(IDS_SET_DEFAULT_FAILED, name));
            return false;
        }
    }
    return true;
}

void switchToProfile(AppState& state, AdapterInfo& adapter, std::u16string_view name,
                     bool everyAdapter, Messages& messages) {
    if (everyAdapter) {
        switchAllAdapters(state, name, messages);
    } else if (!setDefaultProfile(state, adapter, name, true, true, messages)) {
        messages.push_back(failure(IDS_SET_DEFAULT_FAILED, name));
    }
}

bool loadProfile(Registry& registry, std::u16string_view name, NetSettings& record) {
    setDefaults(record);
    RegKey profiles;
    return isProfileKeyName(name) &&
           openKey(registry, kCurrentUser, kProfilesKeyPath, 0, profiles) == status::kSuccess &&
           readSettings(registry, record, profileKeys(profiles, name));
}

bool saveProfile(Registry& registry, std::u16string_view name, const NetSettings& record) {
    RegKey profiles;
    return isProfileKeyName(name) &&
           createKey(registry, kCurrentUser, kProfilesKeyPath, profiles) == status::kSuccess &&
           writeSettings(registry, record, profileKeys(profiles, name));
}

bool deleteProfile(Registry& registry, std::u16string_view name) {
    // An empty or nested name would delete the wrong key: only a key of its own is deleted.
    RegKey profiles;
    return isProfileKeyName(name) &&
           openKey(registry, kCurrentUser, kProfilesKeyPath, 0, profiles) == status::kSuccess &&
           registry.deleteTree(profiles.handle(), name) == status::kSuccess;
}

bool createProfileFromSystem(AppState& state, std::u16string_view name, AdapterInfo& adapter,
                             Messages& messages) {
    if (!saveProfile(*state.registry, name, adapter.settings)) {
        messages.push_back(failure(IDS_CREATE_FAILED, name));
        return false;
    }
    if (!setDefaultProfile(state, adapter, name, false, true, messages)) {
        messages.push_back(failure(IDS_SET_DEFAULT_FAILED, name));
        return false;
    }
    return true;
}

}  // namespace corvane
