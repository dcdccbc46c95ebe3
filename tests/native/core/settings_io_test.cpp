#include <gtest/gtest.h>

#include "core/current_settings.h"
#include "core/settings_io.h"
#include "core/text.h"
#include "resources/resource.h"
#include "tests/support/memory_registry.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

constexpr std::u16string_view kTcpip = u"\\Comm\\NE20001\\Parms\\TcpIp";
constexpr std::u16string_view kProfile = u"Software\\Tavelorn\\Corvane\\1.2\\Profiles\\Office";
constexpr SettingsKeys kProfileKeys{kCurrentUser, kProfile, kProfile, kCurrentUser, kProfile};
const SettingsKeys kSystemKeys = systemKeys(kTcpip);

// The text fields as read: address, mask, gateway, DNS, WINS, user, password, domain, proxy.
std::vector<std::u16string_view> texts(const NetSettings& r) {
    return {textOf(r.ipAddress), textOf(r.subnetMask), textOf(r.defaultGateway), textOf(r.dns1),
            textOf(r.dns2),      textOf(r.wins1),      textOf(r.wins2),          textOf(r.userName),
            textOf(r.password),  textOf(r.domain),     textOf(r.proxyServer)};
}

// A new profile starts from the system's identity alone (readSystemIdentity).
TEST(SettingsIoTest, MissingKeysEndTheReadAndAFieldIsReadWholeOrNotAtAllNeverPastItsEnd) {
    MemoryRegistry registry;
    NetSettings record;
    copyText(record.userName, u"stale");
    EXPECT_FALSE(readSettings(registry, record, kProfileKeys));
    NetSettings expected;
    setDefaults(expected);
    EXPECT_FALSE(differs(record, expected)) << "a missing profile reads as defaults";
    EXPECT_FALSE(readSystemIdentity(registry, record)) << "no identity key";

    putString(registry, kLocalMachine, kIdentityKeyPath, u"Username", u"kd");
    EXPECT_FALSE(readSettings(registry, record, kSystemKeys)) << "no TCP/IP key";
    EXPECT_EQ(textOf(record.userName), u"kd");

    putMulti(registry, kLocalMachine, kTcpip, u"IpAddress", {u"10.0.0.25"});
    EXPECT_TRUE(readSettings(registry, record, kSystemKeys)) << "a missing proxy key is no failure";
    EXPECT_EQ(record.dhcpEnabled, 0u) << "no EnableDHCP means fixed addresses";
    copyText(expected.userName, u"kd");
    ASSERT_TRUE(readSystemIdentity(registry, record));
    EXPECT_FALSE(differs(record, expected)) << "defaults and the identity, not the address";

    putString(registry, kLocalMachine, kIdentityKeyPath, u"Domain", u"FIELDOPS");
    putString(registry, kLocalMachine, kIdentityKeyPath, u"Username",
              u"abcdefghijklmnopqrstuvwxyz1234");  // 30 characters: too long for 60 bytes
    putString(registry, kLocalMachine, kIdentityKeyPath, u"Password",
              u"abcdefghijklmnopqrstuvwxyz123");  // 29 characters: fits exactly
    putMulti(registry, kLocalMachine, kTcpip, u"DNS", {u"10.0.0.2", u"10.0.0.3", u"10.0.0.4"});
    putString(registry, kLocalMachine, kTcpip, u"Subnetmask", u"255.255.255.0");  // REG_SZ
    putMulti(registry, kLocalMachine, kTcpip, u"DefaultGateway",
             {u"10.0.0.1.this.is.not.an.address.at.all"});  // too long: left out, not cut
    putDword(registry, kLocalMachine, kTcpip, u"EnableDHCP", 5);
    const std::u16string bare(29, u'1');  // fits, but has no terminator
    putValue(registry, kLocalMachine, kTcpip, u"IpAddress", regtype::kMultiString, bare.data(), 58);
    const std::u16string proxy(259, u'p');
    putString(registry, kCurrentUser, kProxyKeyPath, u"ProxyServer", proxy);
    putDword(registry, kCurrentUser, kProxyKeyPath, u"UseProxy", 7);

    ASSERT_TRUE(readSettings(registry, record, kSystemKeys));
    EXPECT_EQ(texts(record), (std::vector<std::u16string_view>{
                                 bare, u"255.255.255.0", u"", u"10.0.0.2", u"10.0.0.3", u"", u"",
                                 u"", u"abcdefghijklmnopqrstuvwxyz123", u"FIELDOPS", proxy}));
    EXPECT_EQ(std::tuple(record.dhcpEnabled, record.useProxy, record.proxyPort),
              std::tuple(1u, 1u, 80))
        << "DHCP and the proxy on; no port stored";
}

// Whole or not at all is writeWhole's, proven in registry_values_test.
TEST(SettingsIoTest, WritesTheExactLayoutThatReadsBackWithEveryFieldCounted) {
    using namespace std::string_literals;
    MemoryRegistry registry;
    const auto raw = [&](std::u16string_view path, std::u16string_view name) {
        return getRaw(registry, kLocalMachine, path, name).chars();
    };
    NetSettings record{};
    copyText(record.dns1, u"10.1.2.3");
    copyText(record.wins2, u"10.0.0.9");
    copyText(record.ipAddress, u"10.0.0.25");
    copyText(record.domain, u"FIELDOPS");
    record.dhcpEnabled = 0;
    record.proxyPort = 8080;
    ASSERT_EQ(writeSettings(registry, record, kSystemKeys), Written::Whole);

    EXPECT_EQ((std::vector{raw(kTcpip, u"DNS"), raw(kTcpip, u"WINS"), raw(kTcpip, u"IpAddress"),
                           raw(kTcpip, u"DhcpIPAddress")}),
              (std::vector{u"10.1.2.3\0\0\0"s, u"10.0.0.9\0\0"s, u"10.0.0.25\0\0"s, u"0.0.0.0\0"s}))
        << "a lone primary, a lone secondary";
    EXPECT_EQ(getRaw(registry, kLocalMachine, kTcpip, u"Subnetmask").type, regtype::kMultiString);
    EXPECT_EQ(getRaw(registry, kCurrentUser, kProxyKeyPath, u"ProxyServer").type, regtype::kString);

    copyText(record.dns2, u"10.1.2.4");
    copyText(record.wins1, u"10.0.0.8");
    ASSERT_EQ(writeSettings(registry, record, kProfileKeys), Written::Whole);
    EXPECT_EQ(getRaw(registry, kCurrentUser, kProfile, u"DNS").chars(),
              withZero(u"10.1.2.3") + withZero(u"10.1.2.4") + u'\0');
    NetSettings back;
    ASSERT_TRUE(readSettings(registry, back, kProfileKeys));
    back.domain[10] = u'Z';  // after the text's zero: not part of it
    EXPECT_FALSE(differs(back, record));
    // Every field's text counts, its letter case and the password (never shown) too.
    for (const auto change : {+[](NetSettings& r) { copyText(r.domain, u"FIELDOPs"); },
                              +[](NetSettings& r) { copyText(r.password, u"x"); },
                              +[](NetSettings& r) { copyText(r.dns2, u"10.0.0.1"); },
                              +[](NetSettings& r) { r.proxyPort = 8081; }}) {
        NetSettings changed = back;
        change(changed);
        EXPECT_TRUE(differs(changed, record));
    }
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
    // The rows from `from` on as "Label=value", ids for labels and texts: "62=10.0.0.1", "69=#74";
    // from 8 on, the rows after "Use DHCP": the lease's, then the proxy's.
    using Rows = std::vector<std::string>;
    const auto rows = [&](std::size_t from) {
        const SettingsRows all = currentSettingsRows(registry, adapter);
        Rows out;
        for (const SettingsRow& row : std::span(all).subspan(from)) {
            out.push_back(
                std::to_string(row.labelId) + "=" +
                (row.valueId != 0 ? "#" + std::to_string(row.valueId) : toUtf8(row.value)));
        }
        return out;
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
