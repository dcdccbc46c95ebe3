// Reading and writing a NetSettings record in the registry: the system's keys of one adapter
// or a stored profile's key, in one layout.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/net_settings.h"
#include "core/registry.h"
#include "core/registry_values.h"

namespace corvane {

inline constexpr std::u16string_view kIdentityKeyPath = u"Comm\\Ident";
inline constexpr std::u16string_view kProxyKeyPath = u"Software\\Apps\\PocketIE";

// Where a record lives: its TCP/IP and identity keys below one root, its proxy key below another.
struct SettingsKeys {
    KeyHandle root = 0;
    std::u16string_view tcpipPath;
    std::u16string_view identityPath;
    KeyHandle proxyRoot = 0;
    std::u16string_view proxyPath;
};

// An adapter's system keys: its TCP/IP key and "Comm\Ident" under HKEY_LOCAL_MACHINE, and the
// browser's proxy key, which lives under HKEY_CURRENT_USER.
SettingsKeys systemKeys(std::u16string_view tcpipKeyPath);

// Fills `record` from the three keys. False when the identity or TCP/IP key cannot be opened;
// the record then holds its defaults and what was read before that point.
bool readSettings(Registry& registry, NetSettings& record, const SettingsKeys& keys);

// Defaults plus the logon identity of the system.
bool readSystemIdentity(Registry& registry, NetSettings& record);

// The first two strings of a text or list value in the open key `key`, read as the reader reads
// them (at most 520 bytes); empty when the value is missing or longer.
struct TextList {
    std::u16string first;
    std::u16string second;
};
TextList readTextList(Registry& registry, KeyHandle key, std::u16string_view name);

// The values that store `record`, key by key and in the order they are written.
std::vector<KeyChange> settingsChanges(const NetSettings& record, const SettingsKeys& keys);

// Stores every value of `record`, creating missing keys, whole or not at all; `log` as
// writeWhole keeps it.
Written writeSettings(Registry& registry, const NetSettings& record, const SettingsKeys& keys,
                      ChangeLog* log = nullptr);

}  // namespace corvane
