// Undo Last Switch: what every write from a profile keeps of the adapter, and the undo that gives
// it back. That each of these writes and undoes whole or not at all is the fault sweep's.
#include "profiles/last_switch.h"

#include <gtest/gtest.h>

#include <functional>

#include "profiles/profile_file.h"
#include "profiles_dialog/profiles_dialog.h"
#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

// The adapter's settings as the system holds them, read as the program reads them.
NetSettings systemOf(Device& device, int index) {
    NetSettings now;
    EXPECT_TRUE(
        readSettings(device.registry, now, systemKeys(textOf(device.adapter(index).tcpipKeyPath))));
    return now;
}

// The adapter's "DefProfile" as stored: result, type and bytes.
auto defaultOf(Device& device) {
    const RawValue value =
        getRaw(device.registry, kCurrentUser, adapterKeyPath(device.adapter(0)), u"DefProfile");
    return std::tuple(value.result, value.type, value.data);
}

using Write = std::function<void(Device&, Messages&)>;

TEST(LastSwitchTest, EveryWriteFromAProfileKeepsTheAdapterAndUndoGivesItBackExactlyThenRedoes) {
    const Write switchToOffice = [](Device& d, Messages& m) {
        switchToProfile(d.session, d.adapter(0), u"Office", false, m);
    };
    // The write, and the type A1's default "Home" is stored as (0: it has none). As binary,
    // without a zero, it reads as no default, and is kept as it is stored all the same.
    const std::vector<std::tuple<const char*, Write, std::uint32_t>> writes{
        {"switch", switchToOffice, regtype::kString},
        {"switch from no default", switchToOffice, 0},
        {"switch from a default of another type", switchToOffice, regtype::kBinary},
        {"re-apply after an import",
         [](Device& d, Messages& m) { reapplyDefaultProfiles(d.session, m); }, regtype::kString},
        {"edited default applied",
         [](Device& d, Messages& m) {
             NetSettings home;
             ASSERT_TRUE(loadProfile(d.registry, u"Home", home));
             NetSettings edited = home;
             copyText(edited.dns1, u"10.0.0.53");
             storeEditedProfile(d.session, d.adapter(0), u"Home", home, edited, m);
         },
         regtype::kString},
    };
    for (const auto& [name, write, type] : writes) {
        Device device(1, true);
        device.system.shell = true;
        putString(device.registry, kCurrentUser, kProxyKeyPath, u"ProxyServer", u"cache.lan");
        putDword(device.registry, kCurrentUser, kProxyKeyPath, u"UseProxy", 1);
        putMulti(device.registry, kLocalMachine, u"Comm\\A1\\Parms\\TcpIp", u"DNS", {u"10.9.9.9"});
        if (type != 0) {
            putValue(device.registry, kCurrentUser, adapterKeyPath(device.adapter(0)),
                     u"DefProfile", type, u"Home", type == regtype::kString ? 10 : 8);
        }
        Messages messages;
        const NetSettings original = systemOf(device, 0);
        const auto originalDefault = defaultOf(device);
        write(device, messages);
        ASSERT_EQ(messages, Messages{notice(IDS_NEXT_USE)}) << name;
        const NetSettings written = systemOf(device, 0);
        const auto writtenDefault = defaultOf(device);

        messages.clear();
        EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(0), false, messages)) << name;
        EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)}) << name;
        EXPECT_FALSE(differs(systemOf(device, 0), original)) << name;
        EXPECT_EQ(defaultOf(device), originalDefault) << name;

        EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(0), false, messages)) << name;
        EXPECT_FALSE(differs(systemOf(device, 0), written)) << name << ": redone";
        EXPECT_EQ(defaultOf(device), writtenDefault) << name;
    }

    // An adapter keyed "Profiles" shares its key with the profiles: its record would be listed,
    // so it cannot be switched.
    Device odd;
    odd.addAdapter(u"Profiles", u"Odd Card", u"192.168.9.9");
    odd.loadAdapters(1);
    odd.addProfile(u"Home");
    Messages messages;
    switchToProfile(odd.session, odd.adapter(0), u"Home", false, messages);
    EXPECT_EQ(messages, Messages{failure(IDS_NOT_KEPT_FOR_UNDO, u"Odd Card")});
    EXPECT_EQ(std::tuple(odd.systemIp(u"Profiles"), listProfileNames(odd.registry)),
              std::tuple(u"192.168.9.9", std::vector<std::u16string>{u"Home"}));
}

// The logon and proxy are the device's, not an adapter's: a run over every adapter keeps them for
// each as they stood before the run, so undoing the run in any order gives them back.
TEST(LastSwitchTest, OverEveryAdapterTheSharedValuesComeBackWhicheverAdapterIsUndoneFirst) {
    Device device(3, true);
    device.addProfile(u"Travel", u"10.3.0.1");
    putString(device.registry, kCurrentUser, profilePath(u"Travel"), u"Username", u"traveller");
    putDword(device.registry, kCurrentUser, profilePath(u"Travel"), u"UseProxy", 1);
    std::vector<NetSettings> before;
    for (int i = 0; i < 3; ++i) {
        before.push_back(systemOf(device, i));
    }
    Messages messages;
    switchToProfile(device.session, device.adapter(0), u"Travel", true, messages);
    const NetSettings travel = systemOf(device, 2);
    ASSERT_EQ(std::pair(toUtf8(textOf(travel.userName)), travel.useProxy),
              std::pair(std::string("traveller"), 1u));

    messages.clear();
    EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(1), true, messages));
    EXPECT_EQ(messages, (Messages{notice(IDS_NEXT_USE), notice(IDS_RESET_FOR_PROXY)}))
        << "told once";
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(differs(systemOf(device, i), before[i])) << i;
    }
    EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(0), true, messages));
    EXPECT_FALSE(differs(systemOf(device, 2), travel)) << "redone";
}

}  // namespace
}  // namespace corvane
