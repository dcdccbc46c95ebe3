#include "core/adapter_list.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/device.h"

namespace corvane {
namespace {

void addAdapter(Registry& registry, std::u16string_view key, std::u16string_view group = u"NDIS") {
    const std::u16string path = u"Comm\\" + std::u16string(key);
    putString(registry, kLocalMachine, path, u"Group", group);
    putKey(registry, kLocalMachine, path + u"\\Parms\\TcpIp");
}

// The entries as "key name: display name".
std::vector<std::string> entries(const AdapterList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.count(); ++i) {
        out.push_back(toUtf8(textOf(list.at(i)->keyName)) + ": " +
                      toUtf8(textOf(list.at(i)->displayName)));
    }
    return out;
}

TEST(AdapterListTest, ListsOnlyNdisAdaptersWithParmsAndReadsTheirSettings) {
    Device device;  // with the identity, which is read before the TCP/IP key
    MemoryRegistry& registry = device.registry;
    device.addAdapter(u"A_Plain", u"Plain Card", u"10.0.0.5");
    putString(registry, kLocalMachine, u"Comm\\B_Cased", u"Group", u"ndis");
    putKey(registry, kLocalMachine, u"Comm\\B_Cased\\PARMS");  // listed without a TCP/IP key
    addAdapter(registry, u"C_OtherGroup", u"TDI");
    putKey(registry, kLocalMachine, u"Comm\\D_NoGroup\\Parms");
    putString(registry, kLocalMachine, u"Comm\\E_NoParms", u"Group", u"NDIS");
    putKey(registry, kLocalMachine, u"Comm\\E_NoParms\\Linkage");

    AdapterList list;
    ASSERT_EQ(list.enumerate(registry), 2);
    EXPECT_EQ(entries(list), (std::vector<std::string>{"A_Plain: Plain Card", "B_Cased: ndis"}))
        << "without a DisplayName, the group text as stored";
    EXPECT_EQ(textOf(list.at(0)->settings.ipAddress), u"10.0.0.5") << "read as the entry is made";
    EXPECT_EQ(list.at(-1), nullptr);
    EXPECT_EQ(list.at(2), nullptr);
}

TEST(AdapterListTest, LeavesOutWhatItCannotHoldWhole) {
    MemoryRegistry registry;
    for (int i = 0; i < 60; ++i) {
        addAdapter(registry, fromUtf8("N" + std::to_string(100 + i)));
    }
    AdapterList list;
    EXPECT_EQ(list.enumerate(registry), AdapterList::MaxAdapters);
    EXPECT_EQ(textOf(list.at(49)->keyName), u"N149");
    // No memory for an entry: it is left out and the scan goes on.
    static int made = 0;
    const auto failSecond = [](auto... args) -> std::unique_ptr<AdapterInfo> {
        return ++made == 2 ? nullptr : std::make_unique<AdapterInfo>(args...);
    };
    EXPECT_EQ(list.enumerate(registry, failSecond), AdapterList::MaxAdapters);
    EXPECT_EQ(textOf(list.at(1)->keyName), u"N102");

    MemoryRegistry longNames;
    const std::u16string longest(241, u'K');  // "\Comm\" + 241 + "\Parms\TcpIp" fills 259
    addAdapter(longNames, longest);
    putString(longNames, kLocalMachine, u"Comm\\" + longest, u"DisplayName",
              std::u16string(200, u'D'));
    addAdapter(longNames, std::u16string(242, u'L'));  // a cut path would name another key
    ASSERT_EQ(list.enumerate(longNames), 1);
    EXPECT_EQ(textOf(list.at(0)->tcpipKeyPath).size(), 259u);
    // "DisplayName" is read with 260 bytes: a longer one falls back to the group text.
    EXPECT_EQ(textOf(list.at(0)->displayName), u"NDIS");

    MemoryRegistry noComm;
    EXPECT_EQ(list.enumerate(noComm), 0);
    EXPECT_EQ(list.at(0), nullptr) << "the earlier entries are gone";
}

}  // namespace
}  // namespace corvane
