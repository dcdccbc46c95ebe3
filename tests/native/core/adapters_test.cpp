// The adapters: listed from the registry, and a record applied to one. A failed write is the
// fault sweep's (profiles_dialog_test); a key that cannot be opened again after a write, and a
// changed UseProxy, are the import's (profiles_test).
#include <gtest/gtest.h>

#include "core/adapter_list.h"
#include "core/apply.h"
#include "resources/resource.h"
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
    // No memory for an entry, or a name that cannot be read: left out, and the scan goes on.
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
}

TEST(ApplyTest, OnlyAChangedProxyIsToldOnlyFrom211WithTheShellsWindow) {
    Device device(1);
    device.system.shell = true;
    NetSettings record = device.adapter(0).settings;
    const auto apply = [&] {
        return applyToSystem(device.registry, device.system, device.adapter(0), record);
    };
    copyText(record.proxyServer, u"Proxy.Example");
    EXPECT_EQ(apply(), ApplyOutcome::ShellNotified);
    copyText(record.proxyServer, u"proxy.example");
    EXPECT_EQ(apply(), ApplyOutcome::ShellNotified) << "the server's letter case counts";
    record.proxyPort = 8080;
    EXPECT_EQ(apply(), ApplyOutcome::ShellNotified);

    // 3.0 has a minor version below 11: it does not qualify even with the window there. An
    // unknown version, or 2.11 without the window, needs a reset too.
    for (const auto& [version, shell] : {std::tuple{std::optional(PlatformVersion{3, 0}), true},
                                         {std::nullopt, true},
                                         {PlatformVersion{2, 11}, false}}) {
        device.system.version = version;
        device.system.shell = shell;
        ++record.proxyPort;
        EXPECT_EQ(apply(), ApplyOutcome::ResetNeeded) << version.has_value() << " " << shell;
    }
    EXPECT_EQ(device.system.told, 3) << "each notified once";
}

// A run's other messages (settings not put back, the outcome once, a reset when needed) are
// proven by the runs that make them: the import, the last switch and the fault sweep.
TEST(ApplyMessagesTest, AFailureIsToldByItsAdapterWhenNamedAndAloneTellsNothingDone) {
    const AdapterApply failed{u"A3", ApplyOutcome::Failed};
    EXPECT_EQ(applyMessages({&failed, 1}, false), Messages{failure(IDS_APPLY_FAILED)});
    EXPECT_EQ(applyMessages({&failed, 1}, true), Messages{failure(IDS_APPLY_FAILED_FOR, u"A3")});
}

}  // namespace
}  // namespace corvane
