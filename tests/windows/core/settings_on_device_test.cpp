// The reader, writer and adapter list over the real registry, laid out as on the handheld.
#include <gtest/gtest.h>

#include "core/adapter_list.h"
#include "core/settings_io.h"
#include "core/text.h"
#include "platform/registry_win32.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

class SettingsOnDeviceTest : public ::testing::Test {
  protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        registry.deleteTree(kLocalMachine, u"Comm");
        registry.deleteTree(kCurrentUser, kProxyKeyPath);
    }
    Win32Registry registry;
};

TEST_F(SettingsOnDeviceTest, ListsAdaptersAndWritesTheirSettingsBack) {
    putString(registry, kLocalMachine, u"Comm\\NE2000", u"Group", u"NDIS");
    putKey(registry, kLocalMachine, u"Comm\\NE2000\\Linkage");  // no Parms: not listed
    putString(registry, kLocalMachine, u"Comm\\NE20001", u"Group", u"NDIS");
    putString(registry, kLocalMachine, u"Comm\\NE20001", u"DisplayName", u"NE2000 Card");
    putMulti(registry, kLocalMachine, u"Comm\\NE20001\\Parms\\TcpIp", u"DNS",
             {u"10.0.0.2", u"10.0.0.3"});
    putDword(registry, kLocalMachine, u"Comm\\NE20001\\Parms\\TcpIp", u"EnableDHCP", 1);
    putString(registry, kLocalMachine, u"Comm\\xirc1", u"Group", u"ndis");
    putKey(registry, kLocalMachine, u"Comm\\xirc1\\PARMS");
    putString(registry, kLocalMachine, u"Comm\\Ident", u"Username", u"kd");
    putDword(registry, kCurrentUser, kProxyKeyPath, u"ProxyHttpPort", 8080);

    AdapterList list;
    ASSERT_EQ(list.enumerate(registry), 2);
    AdapterInfo& card = *list.at(0);
    EXPECT_EQ(textOf(card.tcpipKeyPath), u"\\Comm\\NE20001\\Parms\\TcpIp");
    EXPECT_EQ(textOf(card.settings.dns2), u"10.0.0.3");
    EXPECT_EQ(card.settings.proxyPort, 8080);
    EXPECT_EQ(textOf(list.at(1)->displayName), u"ndis");

    NetSettings record = card.settings;
    record.dhcpEnabled = 0;
    copyText(record.ipAddress, u"10.0.0.25");
    ASSERT_TRUE(card.writeToSystem(registry, record));
    const RawValue ip =
        getRaw(registry, kLocalMachine, u"Comm\\NE20001\\Parms\\TcpIp", u"IpAddress");
    EXPECT_EQ(ip.type, regtype::kMultiString);
    EXPECT_EQ(ip.chars(), withZero(u"10.0.0.25") + withZero(u""));
}

}  // namespace
}  // namespace corvane
