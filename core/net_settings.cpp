#include "core/net_settings.h"

#include "core/text.h"

namespace corvane {

void setDefaults(NetSettings& record) {
    record = NetSettings{};
    record.dhcpEnabled = 1;
    record.proxyPort = kDefaultProxyPort;
    record.useProxy = 0;
}

bool differs(const NetSettings& a, const NetSettings& b) {
    // Only the text up to each field's zero counts: bytes after it are not part of the value.
    const auto same = [](const auto& x, const auto& y) { return textOf(x) == textOf(y); };
    return !(same(a.ipAddress, b.ipAddress) && same(a.subnetMask, b.subnetMask) &&
             same(a.defaultGateway, b.defaultGateway) && same(a.dns1, b.dns1) &&
             same(a.dns2, b.dns2) && same(a.wins1, b.wins1) && same(a.wins2, b.wins2) &&
             a.dhcpEnabled == b.dhcpEnabled && same(a.userName, b.userName) &&
             same(a.password, b.password) && same(a.domain, b.domain) &&
             a.proxyPort == b.proxyPort && a.useProxy == b.useProxy &&
             same(a.proxyServer, b.proxyServer));
}

}  // namespace corvane
