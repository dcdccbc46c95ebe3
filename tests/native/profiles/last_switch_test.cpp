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

using Step = std::function<void(Device&, Messages&)>;

TEST(LastSwitchTest, EveryWriteFromAProfileKeepsTheAdapterAndUndoGivesItBackExactlyThenRedoes) {
    const Step homeDefault = [](Device& d, Messages&) { d.setDefault(u"A1", u"Home"); };
    const Step switchToOffice = [](Device& d, Messages& m) {
        switchToProfile(d.session, d.adapter(0), u"Office", false, m);
    };
    // What each starts from besides A1's logon and proxy, and the write.
    const std::vector<std::tuple<const char*, Step, Step>> writes{
        {"switch", homeDefault, switchToOffice},
        {"switch from no default", [](Device&, Messages&) {}, switchToOffice},
        {"re-apply after an import", homeDefault,
         [](Device& d, Messages& m) { reapplyDefaultProfiles(d.session, m); }},
        {"edited default applied", homeDefault,
         [](Device& d, Messages& m) {
             NetSettings home;
             ASSERT_TRUE(loadProfile(d.registry, u"Home", home));
             NetSettings edited = home;
             copyText(edited.dns1, u"10.0.0.53");
             storeEditedProfile(d.session, d.adapter(0), u"Home", home, edited, m);
         }},
        {"a default of another type",
         [](Device& d, Messages&) {
             // Without a zero it reads as no default, and is kept as it is stored all the same.
             putValue(d.registry, kCurrentUser, adapterKeyPath(d.adapter(0)), u"DefProfile",
                      regtype::kBinary, u"Home", 8);
         },
         switchToOffice},
    };
    for (const auto& [name, prepare, write] : writes) {
        Device device(1, true);
        device.system.shell = true;
        putString(device.registry, kCurrentUser, kProxyKeyPath, u"ProxyServer", u"cache.lan");
        putDword(device.registry, kCurrentUser, kProxyKeyPath, u"UseProxy", 1);
        putMulti(device.registry, kLocalMachine, u"Comm\\A1\\Parms\\TcpIp", u"DNS", {u"10.9.9.9"});
        Messages messages;
        prepare(device, messages);
        const NetSettings original = systemOf(device, 0);
        const auto originalDefault = defaultOf(device);
        write(device, messages);
        ASSERT_EQ(messages, Messages{notice(IDS_NEXT_USE)}) << name;
        const NetSettings written = systemOf(device, 0);
        const auto writtenDefault = defaultOf(device);
        ASSERT_TRUE(differs(written, original)) << name;

        messages.clear();
        EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(0), false, messages)) << name;
        EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)}) << name;
        EXPECT_FALSE(differs(systemOf(device, 0), original)) << name;
        EXPECT_FALSE(differs(device.adapter(0).settings, original)) << name << ": read back";
        EXPECT_EQ(defaultOf(device), originalDefault) << name;

        EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(0), false, messages)) << name;
        EXPECT_FALSE(differs(systemOf(device, 0), written)) << name << ": redone";
        EXPECT_EQ(defaultOf(device), writtenDefault) << name;
        EXPECT_EQ(listProfileNames(device.registry),
                  (std::vector<std::u16string>{u"Home", u"Office"}))
            << name << ": the record is no profile";
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
    Messages messages;
    switchToProfile(device.session, device.adapter(0), u"Travel", true, messages);
    const NetSettings travel = systemOf(device, 2);
    ASSERT_EQ(toUtf8(textOf(travel.userName)), "traveller");

    messages.clear();
    EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(1), true, messages));
    EXPECT_EQ(messages, (Messages{notice(IDS_NEXT_USE), notice(IDS_RESET_FOR_PROXY)}))
        << "told once";
    for (int i = 0; i < 3; ++i) {
        const NetSettings now = systemOf(device, i);
        EXPECT_EQ(
            std::tuple(toUtf8(textOf(now.ipAddress)), toUtf8(textOf(now.userName)), now.useProxy),
            std::tuple("192.168.0." + std::to_string(i + 1), std::string("kdurand"), 0))
            << i;
    }
    EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(0), true, messages));
    EXPECT_FALSE(differs(systemOf(device, 2), travel)) << "redone";
}

}  // namespace
}  // namespace corvane
