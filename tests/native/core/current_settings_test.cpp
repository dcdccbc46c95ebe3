#include "core/current_settings.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "resources/resource.h"
#include "tests/support/memory_registry.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

constexpr std::u16string_view kTcpip = u"\\Comm\\NE20001\\Parms\\TcpIp";

// The rows as "Label=value" with the labels' and texts' ids: "62=10.0.0.1", "69=#74".
std::vector<std::string> show(const SettingsRows& rows) {
    std::vector<std::string> out;
    for (const SettingsRow& row : rows) {
        out.push_back(std::to_string(row.labelId) + "=" +
                      (row.valueId != 0 ? "#" + std::to_string(row.valueId) : toUtf8(row.value)));
    }
    return out;
}

struct CurrentSettingsTest : testing::Test {
    CurrentSettingsTest() : adapter(u"NE2000", kTcpip, u"NE20001") {
        setDefaults(adapter.settings);
        adapter.settings.dhcpEnabled = 0;
        copyText(adapter.settings.ipAddress, u"0.0.0.0");
        copyText(adapter.settings.dns2, u"10.0.0.3");
        copyText(adapter.settings.wins1, u"10.0.0.4");
        copyText(adapter.settings.wins2, u"10.0.0.5");
        copyText(adapter.settings.userName, u"kd");
        copyText(adapter.settings.password, u"secret");
    }
    std::vector<std::string> rows() { return show(currentSettingsRows(registry, adapter)); }

    MemoryRegistry registry;
    AdapterInfo adapter;
};

TEST_F(CurrentSettingsTest, FixedAddressesShowNineRowsAndAProxyTwoMore) {
    EXPECT_EQ(rows(), (std::vector<std::string>{"62=", "63=", "64=", "65=, 10.0.0.3",
                                                "66=10.0.0.4, 10.0.0.5", "67=kd", "68=", "69=#75",
                                                "70=#75"}))
        << "no password, and 0.0.0.0 blank";
    putString(registry, kLocalMachine, kTcpip, u"DhcpIPAddress", u"192.168.1.37");
    adapter.settings.useProxy = 1;
    copyText(adapter.settings.proxyServer, u"proxy.example");
    const auto withProxy = rows();
    ASSERT_EQ(withProxy.size(), 11u) << "a lease shows only with DHCP on";
    EXPECT_EQ(std::vector<std::string>(withProxy.begin() + 8, withProxy.end()),
              (std::vector<std::string>{"70=#74", "71=proxy.example", "72=80"}));
}

TEST_F(CurrentSettingsTest, TheLeaseRowsFollowUseDhcpAsTheKeyHoldsThem) {
    adapter.settings.dhcpEnabled = 1;
    const auto leaseRows = [&] {
        const auto all = rows();
        return std::vector<std::string>(all.begin() + 8, all.end() - 1);
    };
    EXPECT_TRUE(leaseRows().empty()) << "no TCP/IP key: no lease rows at all";

    putString(registry, kLocalMachine, kTcpip, u"DhcpIPAddress", u"0.0.0.0");
    EXPECT_EQ(leaseRows(), std::vector<std::string>{"73=#77"});

    putString(registry, kLocalMachine, kTcpip, u"DhcpIPAddress", u"192.168.1.37");
    putString(registry, kLocalMachine, kTcpip, u"DhcpSubnetmask", u"255.255.255.0");
    putMulti(registry, kLocalMachine, kTcpip, u"DhcpDNS",
             {u"192.168.1.1", u"192.168.1.254", u"192.168.1.253"});
    putMulti(registry, kLocalMachine, kTcpip, u"DhcpWINS", {u"192.168.1.5"});
    EXPECT_EQ(leaseRows(),
              (std::vector<std::string>{"73=#76", "62=192.168.1.37", "63=255.255.255.0",
                                        "64=", "65=192.168.1.1,192.168.1.254", "66=192.168.1.5"}));
}

}  // namespace
}  // namespace corvane
