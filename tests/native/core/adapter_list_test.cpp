#include "core/adapter_list.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/device.h"

namespace corvane {
namespace {

TEST(AdapterListTest, ListsTheNdisAdaptersWithParmsThatItCanHoldWhole) {
    Device device;  // with the identity, which is read before the TCP/IP key
    MemoryRegistry& registry = device.registry;
    device.addAdapter(u"A_Plain", u"Plain Card", u"10.0.0.5");
    putString(registry, kLocalMachine, u"Comm\\B_Cased", u"Group", u"ndis");
    putKey(registry, kLocalMachine, u"Comm\\B_Cased\\PARMS");  // listed without a TCP/IP key
    putString(registry, kLocalMachine, u"Comm\\C_OtherGroup", u"Group", u"TDI");
    putKey(registry, kLocalMachine, u"Comm\\C_OtherGroup\\Parms");
    putKey(registry, kLocalMachine, u"Comm\\D_NoGroup\\Parms");
    putString(registry, kLocalMachine, u"Comm\\E_NoParms", u"Group", u"NDIS");
    putKey(registry, kLocalMachine, u"Comm\\E_NoParms\\Linkage");
    AdapterList list;
    ASSERT_EQ(list.enumerate(registry), 2);
    // Each entry's key and shown name: without a DisplayName, the group text as stored.
    using Entry = std::pair<std::u16string_view, std::u16string_view>;
    const auto entry = [&](int i) {
        return Entry(textOf(list.at(i)->keyName), textOf(list.at(i)->displayName));
    };
    EXPECT_EQ((std::vector{entry(0), entry(1)}),
              (std::vector<Entry>{{u"A_Plain", u"Plain Card"}, {u"B_Cased", u"ndis"}}));
    EXPECT_EQ(textOf(list.at(0)->settings.ipAddress), u"10.0.0.5") << "read as the entry is made";
    EXPECT_EQ(list.at(-1), nullptr);

    // 62 others in their place, the identity kept: 50 are listed, none of them cut. "\Comm\" +
    // 241 + "\Parms\TcpIp" fills 259; a cut path would name another key.
    registry.deleteTree(kLocalMachine, u"Comm");
    putString(registry, kLocalMachine, kIdentityKeyPath, u"Username", u"kd");
    device.addAdapter(std::u16string(241, u'K'), std::u16string(200, u'D'));
    device.addAdapter(std::u16string(242, u'L'), u"");
    for (int i = 0; i < 60; ++i) {
        device.addAdapter(fromUtf8("N" + std::to_string(100 + i)), u"");
    }
    ASSERT_EQ(list.enumerate(registry), AdapterList::MaxAdapters);
    EXPECT_EQ(textOf(list.at(0)->tcpipKeyPath).size(), 259u);
    // "DisplayName" is read with 260 bytes: a longer one falls back to the group text.
    EXPECT_EQ(textOf(list.at(0)->displayName), u"NDIS");
    EXPECT_EQ(textOf(list.at(49)->keyName), u"N148");
    // No memory for an entry, or a name that cannot be read: that adapter is left out and the
    // scan goes on.
    const auto failN100 = [](auto name, auto path, auto key) -> std::unique_ptr<AdapterInfo> {
        return key == u"N100" ? nullptr : std::make_unique<AdapterInfo>(name, path, key);
    };
    ASSERT_EQ(list.enumerate(registry, failN100), AdapterList::MaxAdapters);
    EXPECT_EQ(textOf(list.at(1)->keyName), u"N101");
    registry.failSubkeyIndex(3, status::kAccessDenied);  // Ident, K..., L..., N100
    ASSERT_EQ(list.enumerate(registry), AdapterList::MaxAdapters);
    EXPECT_EQ(textOf(list.at(1)->keyName), u"N101");
    registry.clearFaults();

    registry.deleteTree(kLocalMachine, u"Comm");
    EXPECT_EQ(list.enumerate(registry), 0);
    EXPECT_EQ(list.at(0), nullptr) << "the earlier entries are gone";
}

}  // namespace
}  // namespace corvane
