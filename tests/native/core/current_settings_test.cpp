#include "core/current_settings.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "resources/resource.h"
#include "tests/support/memory_registry.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

constexpr std::u16string_view kTcpip = u"\\Comm\\NE20001\\Parms\\TcpIp";

using Rows = std::vector<std::string>;

// The rows from `from` on as "Label=value", ids for labels and texts: "62=10.0.0.1", "69=#74".
Rows show(const SettingsRows& rows, std::size_t from) {
    Rows out;
    for (const SettingsRow& row : std::span(rows).subspan(from)) {
        out.push_back(std::to_string(row.labelId) + "=" +
                      (row.valueId != 0 ? "#" + std::to_string(row.valueId) : toUtf8(row.value)));
    }
    return out;
}

TEST(CurrentSettingsTest, RowsShowTheSettingsTheLeaseOnlyWithDhcpAndTheProxyOnlyWhenUsed) {
    MemoryRegistry registry;
    AdapterInfo adapter(u"NE2000", kTcpip, u"NE20001");
    NetSettings& s = adapter.settings;
    s.dhcpEnabled = 0;
    copyText(s.ipAddress, u"0.0.0.0");
    copyText(s.dns2, u"10.0.0.3");
    copyText(s.wins1, u"10.0.0.4");
    copyText(s.userName, u"kd");
    copyText(s.password, u"secret");
    // From 8 on: the rows after "Use DHCP", the lease's, then the proxy's.
    const auto rows = [&](std::size_t from) {
        return show(currentSettingsRows(registry, adapter), from);
    };
    EXPECT_EQ(rows(0), (Rows{"62=", "63=", "64=", "65=, 10.0.0.3", "66=10.0.0.4", "67=kd",
                             "68=", "69=#75", "70=#75"}))
        << "no password, and 0.0.0.0 blank";

    s.dhcpEnabled = 1;
    EXPECT_EQ(rows(8), Rows{"70=#75"}) << "no TCP/IP key: no lease rows at all";
    putString(registry, kLocalMachine, kTcpip, u"DhcpIPAddress", u"0.0.0.0");
    EXPECT_EQ(rows(8), (Rows{"73=#77", "70=#75"}));
    putString(registry, kLocalMachine, kTcpip, u"DhcpIPAddress", u"192.168.1.37");
    putString(registry, kLocalMachine, kTcpip, u"DhcpSubnetmask", u"255.255.255.0");
    putMulti(registry, kLocalMachine, kTcpip, u"DhcpDNS",
             {u"192.168.1.1", u"192.168.1.254", u"192.168.1.253"});
    putMulti(registry, kLocalMachine, kTcpip, u"DhcpWINS", {u"192.168.1.5"});
    EXPECT_EQ(rows(8), (Rows{"73=#76", "62=192.168.1.37", "63=255.255.255.0",
                             "64=", "65=192.168.1.1,192.168.1.254", "66=192.168.1.5", "70=#75"}));

    s.dhcpEnabled = 0;
    s.useProxy = 1;
    copyText(s.proxyServer, u"proxy.example");
    EXPECT_EQ(rows(8), (Rows{"70=#74", "71=proxy.example", "72=80"}))
        << "a lease shows only with DHCP on";
}

}  // namespace
}  // namespace corvane
