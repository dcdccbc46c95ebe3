// The rows of the "Current Network Settings" viewer: one adapter's configured settings as the
// system holds them and, for an adapter on DHCP, what its lease is. The viewer's Win32 half only
// puts them into its list view.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/adapter_list.h"
#include "core/registry.h"

namespace corvane {

struct SettingsRow {
    int labelId = 0;       // the label's text in the string table
    std::u16string value;  // the value as it stands, unless
    int valueId = 0;       // a text of the string table ("YES", "Leased!") stands instead

    bool operator==(const SettingsRow&) const = default;
};
using SettingsRows = std::vector<SettingsRow>;

// Every row in order: the configured values from the adapter's settings (the password never),
// the lease rows after "Use DHCP" when the adapter is on DHCP, and the proxy's server and port
// only when it is used.
SettingsRows currentSettingsRows(Registry& registry, const AdapterInfo& adapter);

// Adds ">> DHCP" and, when an address is leased, the lease's address, mask, gateway and first two
// DNS and WINS servers, read from the TCP/IP key at `tcpipKeyPath` below `root`. False, with no
// row added, when that key cannot be opened.
bool addDhcpLeaseRows(Registry& registry, SettingsRows& rows, KeyHandle root,
                      std::u16string_view tcpipKeyPath);

}  // namespace corvane
