#include "core/current_settings.h"

#include "core/settings_io.h"
#include "core/text.h"
#include "resources/resource.h"

namespace corvane {
namespace {

// "0.0.0.0" is no address: it shows blank.
std::u16string address(std::u16string_view text) {
    return text == u"0.0.0.0" ? std::u16string() : std::u16string(text);
}

// A configured pair of servers; the secondary follows after ", " when there is one.
std::u16string servers(std::u16string_view primary, std::u16string_view secondary) {
    std::u16string text(primary);
    if (!secondary.empty()) {
        text.append(u", ").append(secondary);
    }
    return text;
}

int yesNo(std::uint32_t flag) {
    return flag != 0 ? IDS_YES : IDS_NO;
}

}  // namespace

SettingsRows currentSettingsRows(Registry& registry, const AdapterInfo& adapter) {
    const NetSettings& s = adapter.settings;
    SettingsRows rows = {
        {IDS_ROW_IP_ADDRESS, address(textOf(s.ipAddress))},
        {IDS_ROW_SUBNET_MASK, address(textOf(s.subnetMask))},
        {IDS_ROW_DEFAULT_GATEWAY, address(textOf(s.defaultGateway))},
        {IDS_ROW_DNS, servers(textOf(s.dns1), textOf(s.dns2))},
        {IDS_ROW_WINS, servers(textOf(s.wins1), textOf(s.wins2))},
        {IDS_ROW_USER_NAME, std::u16string(textOf(s.userName))},
        {IDS_ROW_DOMAIN, std::u16string(textOf(s.domain))},
        {IDS_ROW_USE_DHCP, {}, yesNo(s.dhcpEnabled)},
    };
    if (s.dhcpEnabled != 0) {
        addDhcpLeaseRows(registry, rows, kLocalMachine, textOf(adapter.tcpipKeyPath));
    }
    rows.push_back({IDS_ROW_USE_PROXY, {}, yesNo(s.useProxy)});
    if (s.useProxy != 0) {
        rows.push_back({IDS_ROW_PROXY_SERVER, std::u16string(textOf(s.proxyServer))});
        rows.push_back({IDS_ROW_PROXY_PORT, decimal(s.proxyPort)});
    }
    return rows;
}

bool addDhcpLeaseRows(Registry& registry, SettingsRows& rows, KeyHandle root,
                      std::u16string_view tcpipKeyPath) {
    RegKey key;
    if (openKey(registry, root, tcpipKeyPath, 0, key) != status::kSuccess) {
        return false;
    }
    const std::u16string leased =
        address(readTextList(registry, key.handle(), u"DhcpIPAddress").first);
    if (leased.empty()) {
        rows.push_back({IDS_ROW_DHCP, {}, IDS_NOT_LEASED});
        return true;
    }
    // The leased lists are joined by a comma alone, and only their first two servers show.
    const auto list = [&](std::u16string_view name) {
        const TextList servers = readTextList(registry, key.handle(), name);
        return servers.second.empty() ? servers.first : servers.first + u"," + servers.second;
    };
    rows.push_back({IDS_ROW_DHCP, {}, IDS_LEASED});
    rows.push_back({IDS_ROW_IP_ADDRESS, leased});
    rows.push_back(
        {IDS_ROW_SUBNET_MASK, readTextList(registry, key.handle(), u"DhcpSubnetmask").first});
    rows.push_back({IDS_ROW_DEFAULT_GATEWAY,
                    readTextList(registry, key.handle(), u"DhcpDefaultGateway").first});
    rows.push_back({IDS_ROW_DNS, list(u"DhcpDNS")});
    rows.push_back({IDS_ROW_WINS, list(u"DhcpWINS")});
    return true;
}

}  // namespace corvane
