#include "core/apply.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

TEST(ApplyTest, AFailureKeepsTheAdapterAndOnlyAChangedProxyIsToldOnlyFrom211WithTheShellsWindow) {
    Device device(1);
    device.system.shell = true;
    NetSettings record;
    setDefaults(record);
    copyText(record.ipAddress, u"10.0.0.7");  // the adapter has 192.168.0.1
    const auto apply = [&] {
        return applyToSystem(device.registry, device.system, device.adapter(0), record);
    };
    const NetSettings before = device.adapter(0).settings;
    device.registry.failValue(u"Password", status::kAccessDenied);
    EXPECT_EQ(apply(), ApplyOutcome::Failed);
    EXPECT_FALSE(differs(device.adapter(0).settings, before));

    device.registry.clearFaults();
    device.registry.failKey(kLocalMachine, u"Comm\\A1\\Parms\\TcpIp", status::kAccessDenied);
    EXPECT_EQ(apply(), ApplyOutcome::NotPutBack)
        << "written, but a key that cannot be opened again is neither read back nor put back";
    device.registry.clearFaults();

    EXPECT_EQ(apply(), ApplyOutcome::Applied) << "only the three proxy fields count";
    EXPECT_EQ(textOf(device.adapter(0).settings.ipAddress), u"10.0.0.7") << "read back";
    copyText(record.proxyServer, u"Proxy.Example");
    EXPECT_EQ(apply(), ApplyOutcome::ShellNotified);
    copyText(record.proxyServer, u"proxy.example");
    EXPECT_EQ(apply(), ApplyOutcome::ShellNotified) << "the server's letter case counts";
    record.proxyPort = 8080;
    EXPECT_EQ(apply(), ApplyOutcome::ShellNotified);
    record.useProxy = 1;
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
    EXPECT_EQ(device.system.told, 4) << "each notified once";
}

TEST(ApplyMessagesTest, FailuresEachThenTheOutcomeOnceWithThePlatformsBoxStyles) {
    using enum ApplyOutcome;
    EXPECT_EQ(applyMessages({{{u"A1", Failed}}}, false), Messages{failure(IDS_APPLY_FAILED)});
    EXPECT_EQ(applyMessages({{{u"A1", ShellNotified}}}, false), Messages{notice(IDS_NEXT_USE)});
    EXPECT_EQ(applyMessages({{{u"A1", ResetNeeded}}}, false),
              (Messages{notice(IDS_NEXT_USE), notice(IDS_RESET_FOR_PROXY)}));
    // Several adapters at once: each failure by its adapter, whatever came after it, then the
    // outcome of those written once, the reset when any needs it.
    const std::vector<AdapterApply> run{
        {u"A1", NotPutBack}, {u"A2", ResetNeeded}, {u"A3", Failed}, {u"A4", Applied}};
    EXPECT_EQ(
        applyMessages(run, true),
        (Messages{failure(IDS_APPLY_FAILED_FOR, u"A1"), failure(IDS_SETTINGS_NOT_PUT_BACK, u"A1"),
                  failure(IDS_APPLY_FAILED_FOR, u"A3"), notice(IDS_NEXT_USE),
                  notice(IDS_RESET_FOR_PROXY)}));
    EXPECT_EQ(applyMessages(run, false, false).size(), 3u) << "failures only";
    EXPECT_TRUE(applyMessages({{{u"A1", Failed}}}, true).back() ==
                failure(IDS_APPLY_FAILED_FOR, u"A1"))
        << "nothing written: nothing done to tell";
    EXPECT_EQ(std::tuple(failure(0).style, notice(0).style, question(0).style),
              std::tuple(0x30u, 0x40u, 0x24u));
}

}  // namespace
}  // namespace corvane
