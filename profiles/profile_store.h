// The profile store: named profiles and each adapter's default profile, kept in the registry
// under the application key. Nothing is cached; every operation opens and closes its own keys.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/adapter_list.h"
#include "core/net_settings.h"
#include "core/ui.h"

namespace corvane {

class AppState;

inline constexpr std::u16string_view kProfilesKeyPath =
    u"Software\\Tavelorn\\Corvane\\1.2\\Profiles";
inline constexpr std::u16string_view kDefaultProfileValue = u"DefProfile";
// "DefProfile" is read into 256 bytes: a default name holds at most 127 characters.
inline constexpr int kDefaultNameChars = 128;
inline constexpr int kProfilePathChars = 260;
// Scans of the Profiles key stop after this many indices.
inline constexpr std::uint32_t kProfileScanLimit = 1000;

// The profile's key path below HKEY_CURRENT_USER. False, with `path` empty, for a name that
// cannot be a key of its own: empty, holding a backslash, or too long for the path buffer.
bool profileKeyPath(std::u16string_view name, std::span<char16_t, kProfilePathChars> path);

// Lists the profiles. With a menu: one item per profile with consecutive ids from `firstId`,
// inserted at `position` (appended when it is negative), a ProfileMenuItem each in menuItems,
// and the radio mark on the adapter's default. Without one (menu 0): refills the profile list
// of hwndCurrent. Returns the number listed.
int enumerateProfiles(AppState& state, AdapterInfo& adapter, MenuRef menu, std::uint32_t firstId,
                      int position);

// A profile of exactly this name, letter case included, is listed in the store.
bool profileExists(AppState& state, AdapterInfo* adapter, std::u16string_view name);
// Storing a profile of this name would reach an existing profile key: the registry finds keys
// without regard to case, so "office" reaches "Office".
bool profileKeyExists(AppState& state, std::u16string_view name);

// Reads the adapter's default profile name (creating the adapter's key). On failure, or when
// the stored name is longer than the buffer holds, `name` is left as it was.
bool loadDefaultProfileName(AppState& state, const AdapterInfo& adapter,
                            char16_t (&name)[kDefaultNameChars]);

// Records `name` as the adapter's default; with `apply`, then loads the profile and applies it
// to the adapter (`showMessages` goes to applyToSystem). True when the default was recorded. A
// name that could not be read back as a default (longer than 127 characters) or cannot be a
// profile key is refused.
bool setDefaultProfile(AppState& state, AdapterInfo& adapter, std::u16string_view name, bool apply,
                       bool showMessages);

// The "&Delete" button: asks, then deletes the selected profile with its key. True once the
// user confirmed, whether or not the deletion succeeded.
bool deleteSelectedProfile(AppState& state, WindowRef dialog);

// A profile's settings, read into a record reset to the defaults; false when its key is missing.
bool loadProfile(AppState& state, std::u16string_view name, NetSettings& record);
// Writes a profile's settings, creating its key.
bool saveProfile(AppState& state, std::u16string_view name, const NetSettings& record);

}  // namespace corvane
