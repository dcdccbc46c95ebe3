// The profile store: named profiles and each adapter's default profile, kept in the registry
// under the application key. Nothing is cached; every operation opens and closes its own keys.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_state.h"
#include "core/message.h"
#include "core/net_settings.h"
#include "core/registry.h"

namespace corvane {

inline constexpr std::u16string_view kProfilesKeyPath =
    u"Software\\Tavelorn\\Corvane\\1.2\\Profiles";
inline constexpr std::u16string_view kDefaultProfileValue = u"DefProfile";
// A profile name as the lists take it from the store, zero included.
inline constexpr int kStoredNameChars = 260;
// The registry refuses longer key names.
inline constexpr std::size_t kLongestKeyNameChars = 255;
// Scans of the Profiles key stop after this many indices.
inline constexpr std::uint32_t kProfileScanLimit = 1000;

// The stored profile names in the registry's order. An index that fails (a name longer than 259
// characters) or gives an empty name is skipped; none when there is no Profiles key.
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

// Records `name` as the adapter's default; with `apply`, then loads the profile and applies it,
// adding to `messages` what the user is told: that the profile cannot be read, or, with
// `showMessages`, the outcome of the apply. True when the default was recorded.
bool setDefaultProfile(AppState& state, AdapterInfo& adapter, std::u16string_view name, bool apply,
                       bool showMessages, Messages& messages);

// Makes `name` the default of every adapter in list order and applies it; only the last adapter
// reports. Stops at the first adapter whose default cannot be recorded, with that message; false
// then.
bool switchAllAdapters(AppState& state, std::u16string_view name, Messages& messages);
// A profile chosen to be used now: the default of `adapter`, or with `everyAdapter` of all of
// them, applied, with the outcome or the failure in `messages`.
void switchToProfile(AppState& state, AdapterInfo& adapter, std::u16string_view name,
                     bool everyAdapter, Messages& messages);

// A profile's settings, read into a record reset to the defaults; false when it is not stored.
bool loadProfile(Registry& registry, std::u16string_view name, NetSettings& record);
// Writes a profile's settings, creating its key.
bool saveProfile(Registry& registry, std::u16string_view name, const NetSettings& record);
// Removes the profile's key with everything in it; default-profile values that name it stay.
bool deleteProfile(Registry& registry, std::u16string_view name);

// Stores the adapter's current system settings as profile `name` and makes it the adapter's
// default, telling in `messages` what could not be stored. The system is not touched.
bool createProfileFromSystem(AppState& state, std::u16string_view name, AdapterInfo& adapter,
                             Messages& messages);

}  // namespace corvane
