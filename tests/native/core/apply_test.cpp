#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/apply.h"
#include "core/text.h"
#include "resources/resource.h"
#include "tests/support/fakes.h"
#include "tests/support/memory_registry.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

constexpr std::u16string_view kTcpip = u"\\Comm\\NE20001\\Parms\\TcpIp";
constexpr WindowRef kShell = 0x5151;
constexpr WindowRef kDialog = 0x4242;

struct ApplyFixture : testing::Test {
    ApplyFixture() : adapter(u"NE2000 Card", kTcpip, u"NE20001") {
        state.registry = &registry;
        state.ui = &ui;
        state.system = &system;
        state.hwndCurrent = kDialog;
        putKey(registry, kLocalMachine, kTcpip);
        putKey(registry, kLocalMachine, u"Comm\\Ident");
        setDefaults(record);
        copyText(record.ipAddress, u"10.0.0.7");
        record.dhcpEnabled = 0;
    }

    // The texts of the boxes shown, in order.
    std::vector<std::u16string> texts() const {
        std::vector<std::u16string> out;
        for (const RecordedMessageBox& box : ui.boxes) {
            out.push_back(box.text);
        }
        return out;
    }

    MemoryRegistry registry;
    FakeUserInterface ui;
    FakeSystem system;
    AppState state;
    AdapterInfo adapter;
    NetSettings record{};
};

TEST_F(ApplyFixture, ProxyChangeTellsTheShellOnlyFromPlatform211WithItsWindow) {
    copyText(record.proxyServer, u"proxy.example");
    system.windows[u"DesktopExplorerWindow"] = kShell;

    system.version = {2, 11};
    ASSERT_TRUE(applyToSystem(state, adapter, record, true));
    ASSERT_EQ(system.posted.size(), 1u);
    EXPECT_EQ(system.posted[0].window, kShell);
    EXPECT_EQ(system.posted[0].message, 26u);
    EXPECT_EQ(system.posted[0].wParam, 0u);
    EXPECT_EQ(system.posted[0].lParam, 0);
    EXPECT_EQ(texts(), std::vector<std::u16string>{appString(IDS_NEXT_USE)});
    EXPECT_EQ(ui.boxes[0].style, mb::kIconInformation);
    EXPECT_EQ(ui.boxes[0].caption, u"Corvane");
    EXPECT_EQ(ui.boxes[0].owner, kDialog);
    // Written and read back: the adapter now holds the system's values.
    EXPECT_EQ(textOf(adapter.settings.ipAddress), u"10.0.0.7");
    EXPECT_EQ(textOf(adapter.settings.proxyServer), u"proxy.example");

    // 3.0 has a minor version below 11, so it does not qualify even with the window there.
    copyText(record.proxyServer, u"other.example");
    system.version = {3, 0};
    ui.boxes.clear();
    ASSERT_TRUE(applyToSystem(state, adapter, record, true));
    EXPECT_EQ(system.posted.size(), 1u);
    EXPECT_EQ(texts(), (std::vector<std::u16string>{appString(IDS_NEXT_USE),
                                                    appString(IDS_RESET_FOR_PROXY)}));
    EXPECT_EQ(ui.boxes[1].style, mb::kIconInformation);

    // An unknown version is told to reset too.
    copyText(record.proxyServer, u"third.example");
    system.version = {2, 11};
    system.versionKnown = false;
    ui.boxes.clear();
    ASSERT_TRUE(applyToSystem(state, adapter, record, true));
    EXPECT_EQ(system.posted.size(), 1u);
    EXPECT_EQ(texts().back(), appString(IDS_RESET_FOR_PROXY));
}

TEST_F(ApplyFixture, Platform211WithoutTheShellWindowAsksForAReset) {
    record.useProxy = 1;
    ASSERT_TRUE(applyToSystem(state, adapter, record, true));
    EXPECT_TRUE(system.posted.empty());
    EXPECT_EQ(texts(), (std::vector<std::u16string>{appString(IDS_NEXT_USE),
                                                    appString(IDS_RESET_FOR_PROXY)}));

    // Without messages the same apply shows nothing and still succeeds.
    record.useProxy = 0;
    ui.boxes.clear();
    EXPECT_TRUE(applyToSystem(state, adapter, record, false));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ApplyFixture, OnlyTheThreeProxyFieldsCountAndServerCaseMatters) {
    copyText(adapter.settings.proxyServer, u"Proxy.Example");
    putString(registry, kCurrentUser, u"Software\\Apps\\PocketIE", u"ProxyServer",
              u"Proxy.Example");
    copyText(record.proxyServer, u"Proxy.Example");
    // Everything else differs, the proxy fields are equal: no shell notice, no reset message.
    copyText(record.dns1, u"10.0.0.1");
    copyText(record.userName, u"kd");
    ASSERT_TRUE(applyToSystem(state, adapter, record, true));
    EXPECT_EQ(texts(), std::vector<std::u16string>{appString(IDS_NEXT_USE)});

    // A change of letter case alone is a change.
    copyText(record.proxyServer, u"proxy.example");
    ui.boxes.clear();
    ASSERT_TRUE(applyToSystem(state, adapter, record, true));
    EXPECT_EQ(texts().back(), appString(IDS_RESET_FOR_PROXY));

    record.proxyPort = 8080;
    ui.boxes.clear();
    ASSERT_TRUE(applyToSystem(state, adapter, record, true));
    EXPECT_EQ(texts().back(), appString(IDS_RESET_FOR_PROXY));
}

TEST_F(ApplyFixture, AFailedWriteIsReportedOnlyWithMessages) {
    const NetSettings before = adapter.settings;
    copyText(record.proxyServer, u"proxy.example");
    registry.failValue(u"Password", status::kAccessDenied);
    EXPECT_FALSE(applyToSystem(state, adapter, record, false));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(system.posted.empty());
    EXPECT_FALSE(differs(adapter.settings, before));

    EXPECT_FALSE(applyToSystem(state, adapter, record, true));
    ASSERT_EQ(texts(), std::vector<std::u16string>{appString(IDS_APPLY_FAILED)});
    EXPECT_EQ(ui.boxes[0].style, mb::kIconExclamation);

    // A read-back that cannot open the TCP/IP key fails the same way.
    registry.clearFaults();
    registry.failKey(kLocalMachine, u"Comm\\NE20001\\Parms\\TcpIp", status::kAccessDenied, true,
                     false);
    ui.boxes.clear();
    EXPECT_FALSE(applyToSystem(state, adapter, record, true));
    EXPECT_EQ(texts(), std::vector<std::u16string>{appString(IDS_APPLY_FAILED)});
    EXPECT_EQ(registry.openHandleCount(), 0);
}

}  // namespace
}  // namespace corvane
