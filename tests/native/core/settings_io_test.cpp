#include <gtest/gtest.h>

#include "core/adapter_list.h"
#include "core/settings_io.h"
#include "core/text.h"
#include "tests/support/memory_registry.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

constexpr std::u16string_view kTcpip = u"\\Comm\\NE20001\\Parms\\TcpIp";
constexpr std::u16string_view kProfile = u"Software\\Tavelorn\\Corvane\\1.2\\Profiles\\Office";

class SettingsIoTest : public ::testing::Test {
  protected:
    void TearDown() override { EXPECT_EQ(registry.openHandleCount(), 0) << "a key was left open"; }

    static constexpr SettingsKeys kProfileKeys{kCurrentUser, kProfile, kProfile, kCurrentUser,
                                               kProfile};
    bool readSystem(NetSettings& record) {
        return readSettings(registry, record, systemKeys(kTcpip));
    }
    bool readProfile(NetSettings& record) { return readSettings(registry, record, kProfileKeys); }
    bool writeSystem(const NetSettings& record) {
        return writeSettings(registry, record, systemKeys(kTcpip));
    }
    std::u16string raw(std::u16string_view path, std::u16string_view name,
                       KeyHandle root = kLocalMachine) {
        return getRaw(registry, root, path, name).chars();
    }

    MemoryRegistry registry;
};

NetSettings defaults() {
    NetSettings record;
    setDefaults(record);
    return record;
}

TEST(NetSettingsTest, DefaultsCopyAndDiffers) {
    NetSettings a = defaults();
    EXPECT_EQ(a.dhcpEnabled, 1u);
    EXPECT_EQ(a.proxyPort, 80);
    EXPECT_EQ(a.useProxy, 0u);
    EXPECT_TRUE(textOf(a.ipAddress).empty() && textOf(a.proxyServer).empty());
    EXPECT_FALSE(differs(a, defaults()));

    copyText(a.domain, u"Office");
    copyText(a.dns1, u"10.0.0.1");
    copyText(a.dns2, u"10.0.0.2");
    const NetSettings copy = a;
    EXPECT_FALSE(differs(a, copy));

    NetSettings b = a;
    copyText(b.domain, u"OFFICE");
    EXPECT_TRUE(differs(a, b)) << "letter case counts";
    b = a;
    copyText(b.password, u"x");
    EXPECT_TRUE(differs(a, b)) << "the password counts although no dialog shows it";
    b = a;
    copyText(b.dns1, u"10.0.0.2");
    copyText(b.dns2, u"10.0.0.1");
    EXPECT_TRUE(differs(a, b)) << "servers compare position by position";
    b = a;
    b.proxyPort = 8080;
    EXPECT_TRUE(differs(a, b));

    // Bytes after a field's terminator are not part of its value.
    b = a;
    b.domain[10] = u'Z';
    EXPECT_FALSE(differs(a, b));
}

TEST_F(SettingsIoTest, MissingKeysEndTheReadAsTheLayoutSays) {
    NetSettings record;
    copyText(record.userName, u"stale");
    EXPECT_FALSE(readProfile(record));
    EXPECT_FALSE(differs(record, defaults())) << "a missing profile reads as defaults";

    putString(registry, kLocalMachine, kIdentityKeyPath, u"Username", u"kd");
    EXPECT_FALSE(readSystem(record)) << "no TCP/IP key";
    EXPECT_EQ(textOf(record.userName), u"kd");
    EXPECT_EQ(record.dhcpEnabled, 1u);

    putKey(registry, kLocalMachine, kTcpip);
    EXPECT_TRUE(readSystem(record)) << "a missing proxy key is no failure";
    EXPECT_EQ(record.dhcpEnabled, 0u) << "no EnableDHCP means fixed addresses";
    EXPECT_EQ(record.proxyPort, 80);
    EXPECT_EQ(record.useProxy, 0u);
}

TEST_F(SettingsIoTest, ReadsEveryFieldAndItsEdgeCases) {
    putString(registry, kLocalMachine, kIdentityKeyPath, u"Domain", u"FIELDOPS");
    putString(registry, kLocalMachine, kIdentityKeyPath, u"Username",
              u"abcdefghijklmnopqrstuvwxyz1234");  // 30 characters: too long for 60 bytes
    putString(registry, kLocalMachine, kIdentityKeyPath, u"Password",
              u"abcdefghijklmnopqrstuvwxyz123");  // 29 characters: fits exactly
    putMulti(registry, kLocalMachine, kTcpip, u"DNS", {u"10.0.0.2", u"10.0.0.3", u"10.0.0.4"});
    putMulti(registry, kLocalMachine, kTcpip, u"WINS", {u"10.0.0.5"});
    putString(registry, kLocalMachine, kTcpip, u"IpAddress", u"10.0.0.25");  // REG_SZ
    putMulti(registry, kLocalMachine, kTcpip, u"Subnetmask", {u"255.255.255.0"});
    putMulti(registry, kLocalMachine, kTcpip, u"DefaultGateway",
             {u"10.0.0.1.this.is.not.an.address.at.all"});
    putDword(registry, kLocalMachine, kTcpip, u"EnableDHCP", 5);
    putString(registry, kCurrentUser, kProxyKeyPath, u"ProxyServer", u"proxy.example");
    putDword(registry, kCurrentUser, kProxyKeyPath, u"UseProxy", 7);
    // The system's proxy lives under HKEY_CURRENT_USER only.
    putDword(registry, kLocalMachine, kProxyKeyPath, u"ProxyHttpPort", 3128);

    NetSettings record;
    ASSERT_TRUE(readSystem(record));
    EXPECT_EQ(textOf(record.domain), u"FIELDOPS");
    EXPECT_EQ(textOf(record.userName), u"");
    EXPECT_EQ(textOf(record.password), u"abcdefghijklmnopqrstuvwxyz123");
    EXPECT_EQ(textOf(record.dns1), u"10.0.0.2");
    EXPECT_EQ(textOf(record.dns2), u"10.0.0.3");
    EXPECT_EQ(textOf(record.wins1), u"10.0.0.5");
    EXPECT_EQ(textOf(record.wins2), u"");
    EXPECT_EQ(textOf(record.ipAddress), u"10.0.0.25");
    EXPECT_EQ(textOf(record.subnetMask), u"255.255.255.0");
    EXPECT_EQ(textOf(record.defaultGateway), u"") << "too long for its field: left out, not cut";
    EXPECT_EQ(record.dhcpEnabled, 1u);
    EXPECT_EQ(textOf(record.proxyServer), u"proxy.example");
    EXPECT_EQ(record.useProxy, 1u);
    EXPECT_EQ(record.proxyPort, 80) << "no port under HKEY_CURRENT_USER";
}

TEST_F(SettingsIoTest, UnterminatedAndOversizedDataNeverOverrunAField) {
    RegKey key;
    ASSERT_EQ(createKey(registry, kLocalMachine, kTcpip, key), status::kSuccess);
    // 29 characters without any terminator, and a list of 260 characters with none.
    const std::u16string bare(29, u'1');
    registry.setValue(key.handle(), u"IpAddress", regtype::kMultiString, bare.data(), 58);
    const std::u16string full(260, u'2');
    registry.setValue(key.handle(), u"DNS", regtype::kMultiString, full.data(), 520);
    key.close();
    putKey(registry, kLocalMachine, kIdentityKeyPath);
    putString(registry, kCurrentUser, kProxyKeyPath, u"ProxyServer", std::u16string(259, u'p'));

    NetSettings record;
    ASSERT_TRUE(readSystem(record));
    EXPECT_EQ(textOf(record.ipAddress), bare);
    EXPECT_EQ(textOf(record.dns1), u"");
    EXPECT_EQ(textOf(record.dns2), u"");
    EXPECT_EQ(textOf(record.proxyServer).size(), 259u) << "the longest name that fits";
}

TEST_F(SettingsIoTest, WritesTheExactLayout) {
    NetSettings record = defaults();
    copyText(record.dns1, u"10.1.2.3");  // 8 characters
    copyText(record.wins2, u"10.0.0.9");
    copyText(record.ipAddress, u"10.0.0.25");
    copyText(record.domain, u"FIELDOPS");
    record.dhcpEnabled = 0;
    record.proxyPort = 8080;
    ASSERT_TRUE(writeSystem(record));

    EXPECT_EQ(raw(kTcpip, u"DNS"), std::u16string(u"10.1.2.3\0\0\0", 11));
    EXPECT_EQ(getRaw(registry, kLocalMachine, kTcpip, u"DNS").data.size(), 22u);
    EXPECT_EQ(raw(kTcpip, u"WINS"), std::u16string(u"10.0.0.9\0\0", 10)) << "a lone secondary";
    EXPECT_EQ(raw(kTcpip, u"IpAddress"), std::u16string(u"10.0.0.25\0\0", 11));
    EXPECT_EQ(raw(kTcpip, u"Subnetmask"), std::u16string(u"\0\0", 2));
    EXPECT_EQ(getRaw(registry, kLocalMachine, kTcpip, u"Subnetmask").type, regtype::kMultiString);
    EXPECT_EQ(raw(kTcpip, u"DhcpIPAddress"), withZero(u"0.0.0.0"));
    EXPECT_EQ(getRaw(registry, kLocalMachine, kTcpip, u"EnableDHCP").dword(), 0u);
    EXPECT_EQ(raw(kIdentityKeyPath, u"Domain"), withZero(u"FIELDOPS"));
    EXPECT_EQ(raw(kIdentityKeyPath, u"Username"), withZero(u""));
    EXPECT_EQ(getRaw(registry, kCurrentUser, kProxyKeyPath, u"ProxyHttpPort").dword(), 8080u);
    EXPECT_EQ(getRaw(registry, kCurrentUser, kProxyKeyPath, u"ProxyServer").type, regtype::kString);
    EXPECT_FALSE(keyExists(registry, kLocalMachine, kProxyKeyPath))
        << "the proxy is always written under HKEY_CURRENT_USER";

    copyText(record.dns2, u"10.1.2.4");
    copyText(record.wins1, u"10.0.0.8");
    const int writes = registry.setValueCount();
    ASSERT_TRUE(writeSettings(registry, record, kProfileKeys));
    EXPECT_EQ(registry.setValueCount() - writes, 13) << "a profile key holds all thirteen values";
    EXPECT_EQ(raw(kProfile, u"DNS", kCurrentUser),
              withZero(u"10.1.2.3") + withZero(u"10.1.2.4") + withZero(u""));
    EXPECT_EQ(raw(kProfile, u"WINS", kCurrentUser),
              withZero(u"10.0.0.8") + withZero(u"10.0.0.9") + withZero(u""));
    NetSettings back;
    ASSERT_TRUE(readProfile(back));
    EXPECT_FALSE(differs(back, record)) << "what is written reads back unchanged";
}

TEST_F(SettingsIoTest, StopsAtTheFirstFailureAndKeepsWhatWasWritten) {
    NetSettings record = defaults();
    copyText(record.domain, u"NEW");
    copyText(record.userName, u"new");
    copyText(record.password, u"new");
    copyText(record.ipAddress, u"10.0.0.25");
    putString(registry, kLocalMachine, kIdentityKeyPath, u"Password", u"old");

    registry.failValue(u"Password", status::kAccessDenied);
    EXPECT_FALSE(writeSystem(record));
    EXPECT_EQ(raw(kIdentityKeyPath, u"Domain"), withZero(u"NEW"));
    EXPECT_EQ(raw(kIdentityKeyPath, u"Username"), withZero(u"new"));
    EXPECT_EQ(raw(kIdentityKeyPath, u"Password"), withZero(u"old"));
    EXPECT_FALSE(keyExists(registry, kLocalMachine, kTcpip)) << "nothing after the failure";

    registry.clearFaults();
    registry.failKey(kCurrentUser, kProxyKeyPath, status::kAccessDenied);
    EXPECT_FALSE(writeSystem(record));
    EXPECT_EQ(raw(kTcpip, u"IpAddress"), std::u16string(u"10.0.0.25\0\0", 11));
}

TEST_F(SettingsIoTest, WriteToSystemReadsTheSystemBack) {
    putKey(registry, kLocalMachine, kTcpip);
    putKey(registry, kLocalMachine, kIdentityKeyPath);
    AdapterInfo adapter(u"NE2000", kTcpip, u"NE20001");
    NetSettings record = defaults();
    copyText(record.wins2, u"10.0.0.9");
    record.useProxy = 1;
    ASSERT_TRUE(adapter.writeToSystem(registry, record));
    EXPECT_EQ(textOf(adapter.settings.wins1), u"10.0.0.9") << "a lone secondary reads as primary";
    EXPECT_EQ(textOf(adapter.settings.wins2), u"");
    EXPECT_EQ(adapter.settings.useProxy, 1u);

    // A failed write leaves the adapter's settings as they were.
    const NetSettings before = adapter.settings;
    registry.failValue(u"UseProxy", status::kAccessDenied);
    record.useProxy = 0;
    copyText(record.ipAddress, u"10.9.9.9");
    EXPECT_FALSE(adapter.writeToSystem(registry, record));
    EXPECT_FALSE(differs(adapter.settings, before));
    EXPECT_EQ(raw(kTcpip, u"IpAddress"), std::u16string(u"10.9.9.9\0\0", 10));
}

TEST_F(SettingsIoTest, SystemIdentitySeedsANewProfile) {
    NetSettings record;
    EXPECT_FALSE(readSystemIdentity(registry, record));
    EXPECT_FALSE(differs(record, defaults()));
    putString(registry, kLocalMachine, kIdentityKeyPath, u"Username", u"kd");
    putString(registry, kLocalMachine, kIdentityKeyPath, u"Password", u"pw");
    putMulti(registry, kLocalMachine, kTcpip, u"IpAddress", {u"10.0.0.25"});
    ASSERT_TRUE(readSystemIdentity(registry, record));
    EXPECT_EQ(textOf(record.userName), u"kd");
    EXPECT_EQ(textOf(record.password), u"pw");
    EXPECT_EQ(textOf(record.ipAddress), u"");
    EXPECT_EQ(record.dhcpEnabled, 1u);
}

}  // namespace
}  // namespace corvane
