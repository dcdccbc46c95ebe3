#include <gtest/gtest.h>

#include <string>

#include "core/adapter_list.h"
#include "core/settings_io.h"
#include "core/text.h"
#include "tests/support/memory_registry.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

std::u16string comm(std::u16string_view key) {
    return u"Comm\\" + std::u16string(key);
}

void addAdapter(Registry& registry, std::u16string_view key, std::u16string_view group = u"NDIS",
                std::u16string_view parms = u"Parms") {
    putString(registry, kLocalMachine, comm(key), u"Group", group);
    putKey(registry, kLocalMachine, comm(key) + u"\\" + std::u16string(parms) + u"\\TcpIp");
}

std::u16string nameAt(const AdapterList& list, int index) {
    return std::u16string(textOf(list.at(index)->keyName));
}

TEST(AdapterListTest, ListsOnlyNdisAdaptersWithParms) {
    MemoryRegistry registry;
    addAdapter(registry, u"A_Plain");
    putString(registry, kLocalMachine, comm(u"A_Plain"), u"DisplayName", u"Plain Card");
    addAdapter(registry, u"B_Cased", u"ndis", u"PARMS");
    addAdapter(registry, u"C_OtherGroup", u"TDI");
    putKey(registry, kLocalMachine, comm(u"D_NoGroup\\Parms"));
    putString(registry, kLocalMachine, comm(u"E_NoParms"), u"Group", u"NDIS");
    putKey(registry, kLocalMachine, comm(u"E_NoParms\\Linkage"));
    putString(registry, kLocalMachine, comm(u"F_NoTcpip"), u"Group", u"NdIs");
    putKey(registry, kLocalMachine, comm(u"F_NoTcpip\\Parms"));
    putString(registry, kLocalMachine, kIdentityKeyPath, u"Username", u"kd");
    putDword(registry, kLocalMachine, comm(u"A_Plain\\Parms\\TcpIp"), u"EnableDHCP", 1);

    AdapterList list;
    ASSERT_EQ(list.enumerate(registry), 3);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(nameAt(list, 0), u"A_Plain");
    EXPECT_EQ(textOf(list.at(0)->displayName), u"Plain Card");
    EXPECT_EQ(textOf(list.at(0)->tcpipKeyPath), u"\\Comm\\A_Plain\\Parms\\TcpIp");
    EXPECT_EQ(list.at(0)->settings.dhcpEnabled, 1u) << "settings read when the entry is made";
    EXPECT_EQ(nameAt(list, 1), u"B_Cased");
    EXPECT_EQ(textOf(list.at(1)->displayName), u"ndis") << "the group text as stored";
    EXPECT_EQ(nameAt(list, 2), u"F_NoTcpip") << "a missing TCP/IP key is still listed";
    EXPECT_EQ(textOf(list.at(2)->settings.userName), u"kd");
    EXPECT_EQ(list.at(2)->settings.dhcpEnabled, 1u) << "left at its default";

    EXPECT_EQ(list.at(-1), nullptr);
    EXPECT_EQ(list.at(3), nullptr);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.at(0), nullptr);
    EXPECT_EQ(registry.openHandleCount(), 0);
}

TEST(AdapterListTest, StopsAtFiftyAndAtTheScanLimit) {
    MemoryRegistry registry;
    for (int i = 0; i < 60; ++i) {
        addAdapter(registry, fromUtf8("N" + std::to_string(100 + i)));
    }
    AdapterList list;
    EXPECT_EQ(list.enumerate(registry), AdapterList::MaxAdapters);
    EXPECT_EQ(nameAt(list, 49), u"N149");
    EXPECT_EQ(list.at(50), nullptr);

    MemoryRegistry crowded;
    for (int i = 0; i < 1000; ++i) {
        putKey(crowded, kLocalMachine, comm(fromUtf8("A" + std::to_string(1000 + i))));
    }
    addAdapter(crowded, u"Z_Late");  // index 1000: beyond the scan
    EXPECT_EQ(list.enumerate(crowded), 0);
    EXPECT_EQ(crowded.openHandleCount(), 0);
}

TEST(AdapterListTest, NoCommKeyOrNoMemoryLeavesAdaptersOut) {
    MemoryRegistry registry;
    AdapterList list;
    EXPECT_EQ(list.enumerate(registry), 0);

    addAdapter(registry, u"A");
    addAdapter(registry, u"B");
    addAdapter(registry, u"C");
    static int made = 0;
    made = 0;
    const auto failSecond = [](std::u16string_view display, std::u16string_view path,
                               std::u16string_view key) -> std::unique_ptr<AdapterInfo> {
        if (++made == 2) {
            return nullptr;
        }
        return std::make_unique<AdapterInfo>(display, path, key);
    };
    ASSERT_EQ(list.enumerate(registry, failSecond), 2);
    EXPECT_EQ(nameAt(list, 0), u"A");
    EXPECT_EQ(nameAt(list, 1), u"C");
}

TEST(AdapterListTest, LongNamesAreBoundedAndPathsNeverCut) {
    MemoryRegistry registry;
    const std::u16string longest(241, u'K');  // "\Comm\" + 241 + "\Parms\TcpIp" fills 259
    addAdapter(registry, longest);
    putString(registry, kLocalMachine, comm(longest), u"DisplayName", std::u16string(200, u'D'));
    addAdapter(registry, std::u16string(242, u'L'));  // its path would not fit: left out
    AdapterList list;
    ASSERT_EQ(list.enumerate(registry), 1);
    EXPECT_EQ(textOf(list.at(0)->keyName), longest);
    EXPECT_EQ(textOf(list.at(0)->tcpipKeyPath).size(), 259u);
    // "DisplayName" is read with 260 bytes: a longer one falls back to the group text.
    EXPECT_EQ(textOf(list.at(0)->displayName), u"NDIS");
}

}  // namespace
}  // namespace corvane
