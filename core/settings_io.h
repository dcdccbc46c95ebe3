// Reading and writing a NetSettings record in the registry: the system's keys of one adapter
// or a stored profile's key, in one layout.
#pragma once

#include <string_view>

#include "core/net_settings.h"
#include "core/registry.h"

namespace corvane {

inline constexpr std::u16string_view kIdentityKeyPath = u"Comm\\Ident";
inline constexpr std::u16string_view kProxyKeyPath = u"Software\\Apps\\PocketIE";

// Fills `record` from the three keys; the proxy key is always read under HKEY_CURRENT_USER.
// False when the identity or TCP/IP key cannot be opened; the record then holds what was read
// before that point.
bool readSettings(Registry& registry, NetSettings& record, KeyHandle root,
                  std::u16string_view tcpipKeyPath, std::u16string_view identityKeyPath,
                  std::u16string_view proxyKeyPath);

// Defaults plus the logon identity of the system.
bool readSystemIdentity(Registry& registry, NetSettings& record);

// Stores every value of `record`, creating missing keys; the proxy key always under
// HKEY_CURRENT_USER. Stops at the first failure; what was written stays written.
bool writeSettings(Registry& registry, const NetSettings& record, KeyHandle root,
                   std::u16string_view tcpipKeyPath, std::u16string_view identityKeyPath,
                   std::u16string_view proxyKeyPath);

}  // namespace corvane
