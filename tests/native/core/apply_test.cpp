#include "core/apply.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "resources/resource.h"
#include "tests/support/device.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

constexpr std::u16string_view kTcpip = u"\\Comm\\NE20001\\Parms\\TcpIp";
constexpr WindowRef kShell = 0x5151;

struct ApplyTest : testing::Test {
    ApplyTest() : adapter(u"NE2000 Card", kTcpip, u"NE20001") {
        putKey(registry, kLocalMachine, kTcpip);
        putKey(registry, kLocalMachine, u"Comm\\Ident");
        setDefaults(record);
        copyText(record.ipAddress, u"10.0.0.7");
        record.dhcpEnabled = 0;
    }
    ApplyOutcome apply() { return applyToSystem(registry, system, adapter, record); }

    MemoryRegistry registry;
    FakeSystem system;
    AdapterInfo adapter;
    NetSettings record{};
};

TEST_F(ApplyTest, AChangedProxyIsToldToTheShellOnlyFromPlatform211WithItsWindow) {
    system.windows[u"DesktopExplorerWindow"] = kShell;
    copyText(record.proxyServer, u"proxy.example");
    EXPECT_EQ(apply(), ApplyOutcome::ShellNotified);
    EXPECT_EQ(system.told, std::vector<WindowRef>{kShell});
    // Written and read back: the adapter now holds the system's values.
    EXPECT_EQ(textOf(adapter.settings.ipAddress), u"10.0.0.7");
    EXPECT_EQ(textOf(adapter.settings.proxyServer), u"proxy.example");

    // 3.0 has a minor version below 11: it does not qualify even with the window there. An
    // unknown version, or 2.11 without the window, needs a reset too.
    struct Case {
        PlatformVersion version;
        bool known;
        bool window;
        const char16_t* server;
    };
    for (const Case& c :
         {Case{{3, 0}, true, true, u"b.example"}, Case{{2, 11}, false, true, u"c.example"},
          Case{{2, 11}, true, false, u"d.example"}}) {
        system.version = c.version;
        system.versionKnown = c.known;
        system.windows.clear();
        if (c.window) {
            system.windows[u"DesktopExplorerWindow"] = kShell;
        }
        copyText(record.proxyServer, c.server);
        EXPECT_EQ(apply(), ApplyOutcome::ResetNeeded) << toUtf8(c.server);
    }
    EXPECT_EQ(system.told.size(), 1u);
}

TEST_F(ApplyTest, OnlyTheThreeProxyFieldsCountAndTheServersLetterCaseDoes) {
    system.windows[u"DesktopExplorerWindow"] = kShell;
    copyText(adapter.settings.proxyServer, u"Proxy.Example");
    putString(registry, kCurrentUser, u"Software\\Apps\\PocketIE", u"ProxyServer",
              u"Proxy.Example");
    copyText(record.proxyServer, u"Proxy.Example");
    copyText(record.dns1, u"10.0.0.1");  // everything else differs
    copyText(record.userName, u"kd");
    EXPECT_EQ(apply(), ApplyOutcome::Applied);
    copyText(record.proxyServer, u"proxy.example");
    EXPECT_EQ(apply(), ApplyOutcome::ShellNotified);
    record.proxyPort = 8080;
    EXPECT_EQ(apply(), ApplyOutcome::ShellNotified);
    record.useProxy = 1;
    EXPECT_EQ(apply(), ApplyOutcome::ShellNotified);
    EXPECT_EQ(system.told.size(), 3u);
}

TEST_F(ApplyTest, AWriteOrReadBackThatFailsLeavesTheAdapterAsItWas) {
    const NetSettings before = adapter.settings;
    registry.failValue(u"Password", status::kAccessDenied);
    EXPECT_EQ(apply(), ApplyOutcome::Failed);
    EXPECT_FALSE(differs(adapter.settings, before));

    registry.clearFaults();
    registry.failKey(kLocalMachine, u"Comm\\NE20001\\Parms\\TcpIp", status::kAccessDenied, false);
    EXPECT_EQ(apply(), ApplyOutcome::Failed) << "the read-back cannot open the TCP/IP key";
    EXPECT_EQ(registry.openHandleCount(), 0);
}

TEST(ApplyMessagesTest, EachOutcomeTellsItsMessagesInOrder) {
    EXPECT_EQ(applyMessages(ApplyOutcome::Failed), Messages{failure(IDS_APPLY_FAILED)});
    EXPECT_EQ(applyMessages(ApplyOutcome::Applied), Messages{notice(IDS_NEXT_USE)});
    EXPECT_EQ(applyMessages(ApplyOutcome::ShellNotified), Messages{notice(IDS_NEXT_USE)});
    EXPECT_EQ(applyMessages(ApplyOutcome::ResetNeeded),
              (Messages{notice(IDS_NEXT_USE), notice(IDS_RESET_FOR_PROXY)}));
    EXPECT_EQ(failure(IDS_APPLY_FAILED).style, 0x30u);
    EXPECT_EQ(notice(IDS_NEXT_USE).style, 0x40u);
    EXPECT_EQ(question(IDS_OFFER_DEFAULT).style, 0x24u);
}

}  // namespace
}  // namespace corvane
