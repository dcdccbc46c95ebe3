// The profile store: named profiles and each adapter's default profile, kept in the registry
// under the application key. Nothing is cached; every operation opens and closes its own keys.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/apply.h"
#include "core/message.h"
#include "core/net_settings.h"
#include "core/registry.h"
#include "core/registry_values.h"
#include "core/session.h"
#include "profiles/last_switch.h"

namespace corvane {

inline constexpr std::u16string_view kDefaultProfileValue = u"DefProfile";
// A profile name as the lists take it from the store, zero included.
inline constexpr int kStoredNameChars = 260;
// The registry refuses longer key names.
inline constexpr std::size_t kLongestKeyNameChars = 255;

// One profile command of the notification icon's menu: the profile it switches to and the
// adapter it switches, named by its place in the adapter list.
struct ProfileMenuItem {
    std::uint32_t commandId = 0;
    std::u16string profileName;
    int adapter = 0;

    bool operator==(const ProfileMenuItem&) const = default;
};

// The key of the stored profile `name`, below HKEY_CURRENT_USER.
std::u16string profilePath(std::u16string_view name);
// The adapter's own key beside "Profiles", below HKEY_CURRENT_USER: its "DefProfile" and its
// last switch.
std::u16string adapterKeyPath(const AdapterInfo& adapter);

// Every stored profile name in the registry's order, however many there are. An index that
// fails (a name longer than 259 characters) or gives an empty name is skipped; none when there
// is no Profiles key.
std::vector<std::u16string> listProfileNames(Registry& registry);

// A name that is a key of its own right below the Profiles key: not empty, no backslash, and
// no longer than the registry allows a key name.
bool isProfileKeyName(std::u16string_view name);

// A profile is stored under this name, found as the registry finds keys: without regard to
// letter case, so that "office" is taken while "Office" exists.
bool profileExists(Registry& registry, std::u16string_view name);
// The name as stored of the profile that `name` finds, letter case aside; none when no profile
// is listed under it.
std::optional<std::u16string> storedProfileName(Registry& registry, std::u16string_view name);

// The adapter's default profile name (creating the adapter's key). False, with `name` left as it
// was, when there is none that can be read whole.
bool loadDefaultProfileName(Registry& registry, const AdapterInfo& adapter, std::u16string& name);

// Records `name` as the adapter's default (creating the adapter's key), whole or not at all;
// `log` as writeWhole keeps it.
Written recordDefaultProfile(Registry& registry, const AdapterInfo& adapter,
                             std::u16string_view name, ChangeLog* log = nullptr);

// What switching one adapter to a profile came to.
struct AdapterSwitch {
    bool defaultRecorded = false;         // false: nothing changed, and the user is told why
    std::optional<ApplyOutcome> outcome;  // none when the profile was not applied
};

// Keeps `before` (the adapter as the switch found it; none: unknown) as its last switch, records
// `name` as its default, loads the profile and applies it. Nothing is changed when the last
// switch or the default cannot be written, and `messages` says which. A profile that cannot be
// loaded is told and its default stays recorded; an apply that fails puts the default and the
// last switch back as they were, so that the adapter is left as the switch found it.
AdapterSwitch switchAdapter(Registry& registry, System& system, AdapterInfo& adapter,
                            std::u16string_view name, const std::optional<AdapterState>& before,
                            Messages& messages);

// A profile chosen to be used now: the default of `adapter`, or with `everyAdapter` of every
// adapter in list order, applied. `messages` gets every failure, each adapter's own when several
// are switched, then the outcome once. Stops at the first adapter whose default cannot be
// recorded; the adapters switched before it stay switched.
void switchToProfile(Session& session, AdapterInfo& adapter, std::u16string_view name,
                     bool everyAdapter, Messages& messages);

// A profile's settings, read into a record reset to the defaults; false when it is not stored.
bool loadProfile(Registry& registry, std::u16string_view name, NetSettings& record);
// Writes a profile's settings, creating its key, whole or not at all: a profile that cannot be
// written whole is put back as it was, a new one removed.
Written saveProfile(Registry& registry, std::u16string_view name, const NetSettings& record,
                    ChangeLog* log = nullptr);
// Removes the profile's key with everything in it; default-profile values that name it stay.
bool deleteProfile(Registry& registry, std::u16string_view name);

// Stores the adapter's current system settings as profile `name` and makes it the adapter's
// default, both or neither, telling in `messages` what could not be stored. The system is not
// touched.
bool createProfileFromSystem(Registry& registry, std::u16string_view name, AdapterInfo& adapter,
                             Messages& messages);

// A profile write that failed, told: `textId` with the name, and when the profile could not be
// put back as it was, that too.
void tellUnsaved(Written written, int textId, std::u16string_view name, Messages& messages);

}  // namespace corvane
