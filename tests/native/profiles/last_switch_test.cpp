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

RawValue defaultOf(Device& device, int index) {
    return getRaw(device.registry, kCurrentUser, adapterKeyPath(device.adapter(index)),
                  kDefaultProfileValue);
}

std::vector<unsigned char> exported(Registry& registry) {
    std::vector<unsigned char> file;
    EXPECT_TRUE(exportProfiles(registry, [&](std::span<const unsigned char> bytes) {
                    file.assign(bytes.begin(), bytes.end());
                    return true;
                }).written);
    return file;
}

// A1 on 192.168.0.1 with the device's logon and a proxy, Home its default, Home and Office stored;
// the shell's window is there to be told of the proxy.
struct Handheld : Device {
    Handheld() : Device(1, true) {
        system.shell = true;
        putString(registry, kCurrentUser, kProxyKeyPath, u"ProxyServer", u"cache.lan");
        putDword(registry, kCurrentUser, kProxyKeyPath, u"ProxyHttpPort", 3128);
        putDword(registry, kCurrentUser, kProxyKeyPath, u"UseProxy", 1);
        putMulti(registry, kLocalMachine, u"Comm\\A1\\Parms\\TcpIp", u"DNS", {u"192.168.0.53"});
        setDefault(u"A1", u"Home");
    }
};

using Step = std::function<void(Handheld&, Messages&)>;

TEST(LastSwitchTest, EveryWriteFromAProfileKeepsTheAdapterAndUndoGivesItBackExactlyThenRedoes) {
    const Step nothing = [](Handheld&, Messages&) {};
    const Step switchToOffice = [](Handheld& d, Messages& m) {
        switchToProfile(d.session, d.adapter(0), u"Office", false, m);
    };
    // What each starts from, and the write.
    const std::vector<std::tuple<const char*, Step, Step>> writes{
        {"switch", nothing, switchToOffice},
        {"re-apply after an import", nothing,
         [](Handheld& d, Messages& m) { reapplyDefaultProfiles(d.session, m); }},
        {"edited default applied", nothing,
         [](Handheld& d, Messages& m) {
             NetSettings home;
             ASSERT_TRUE(loadProfile(d.registry, u"Home", home));
             NetSettings edited = home;
             copyText(edited.dns1, u"10.0.0.53");
             storeEditedProfile(d.session, d.adapter(0), u"Home", home, edited, m);
         }},
        {"a default of another type",
         [](Handheld& d, Messages&) {
             // Without a zero it reads as no default, and is kept as it is stored all the same.
             putValue(d.registry, kCurrentUser, adapterKeyPath(d.adapter(0)), u"DefProfile",
                      regtype::kBinary, u"Home", 8);
         },
         switchToOffice},
    };
    for (const auto& [name, prepare, write] : writes) {
        Handheld device;
        Messages messages;
        prepare(device, messages);
        const NetSettings original = systemOf(device, 0);
        const RawValue originalDefault = defaultOf(device, 0);
        EXPECT_FALSE(undoLastSwitch(device.session, device.adapter(0), false, messages)) << name;
        EXPECT_EQ(messages, Messages{failure(IDS_NOTHING_TO_UNDO, u"Card A1")}) << name;
        messages.clear();
        write(device, messages);
        ASSERT_EQ(messages, Messages{notice(IDS_NEXT_USE)}) << name;
        const NetSettings written = systemOf(device, 0);
        const RawValue writtenDefault = defaultOf(device, 0);
        ASSERT_TRUE(differs(written, original)) << name;

        messages.clear();
        EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(0), false, messages)) << name;
        EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)}) << name;
        EXPECT_FALSE(differs(systemOf(device, 0), original)) << name;
        EXPECT_FALSE(differs(device.adapter(0).settings, original)) << name << ": read back";
        const RawValue restored = defaultOf(device, 0);
        EXPECT_EQ(std::tuple(restored.result, restored.type, restored.data),
                  std::tuple(originalDefault.result, originalDefault.type, originalDefault.data))
            << name;

        // A second undo is a redo.
        EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(0), false, messages)) << name;
        EXPECT_FALSE(differs(systemOf(device, 0), written)) << name;
        EXPECT_EQ(defaultOf(device, 0).data, writtenDefault.data) << name;
        EXPECT_EQ(listProfileNames(device.registry),
                  (std::vector<std::u16string>{u"Home", u"Office"}))
            << name;
    }
}

TEST(LastSwitchTest, TheRecordIsNoProfileADefaultThatWasNoneGoesAndAFailedUndoChangesNothing) {
    Handheld device;
    const std::vector<unsigned char> store = exported(device.registry);
    putKey(device.registry, kLocalMachine, u"Comm\\A1\\Parms\\TcpIp");
    device.registry.deleteTree(kCurrentUser, adapterKeyPath(device.adapter(0)));
    Messages messages;
    switchToProfile(device.session, device.adapter(0), u"Office", false, messages);
    ASSERT_EQ(messages, Messages{notice(IDS_NEXT_USE)});
    EXPECT_EQ(exported(device.registry), store) << "not listed, not exported";

    messages.clear();
    EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(0), false, messages));
    EXPECT_EQ(device.defaultOf(u"A1"), u"(none)") << "it had none";
    EXPECT_EQ(device.systemIp(u"A1"), u"192.168.0.1");

    // An undo whose own record cannot be kept leaves the adapter and its record alone.
    device.registry.failValue(u"PreviousDefProfile", status::kAccessDenied);
    messages.clear();
    EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(0), false, messages));
    EXPECT_EQ(messages, Messages{failure(IDS_UNDO_FAILED, u"Card A1")});
    EXPECT_EQ(device.defaultOf(u"A1"), u"(none)");
    device.registry.clearFaults();
    EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(0), false, messages));
    EXPECT_EQ(std::pair(device.defaultOf(u"A1"), device.systemIp(u"A1")),
              std::pair(std::u16string(u"Office"), std::u16string(u"10.2.0.1")));

    // An adapter keyed "Profiles" shares its key with the profiles: its record would be listed,
    // so it cannot be switched.
    Device odd;
    odd.addAdapter(u"Profiles", u"Odd Card", u"192.168.9.9");
    odd.loadAdapters(1);
    odd.addProfile(u"Home");
    messages.clear();
    switchToProfile(odd.session, odd.adapter(0), u"Home", false, messages);
    EXPECT_EQ(messages, Messages{failure(IDS_NOT_KEPT_FOR_UNDO, u"Odd Card")});
    EXPECT_EQ(std::tuple(odd.systemIp(u"Profiles"), listProfileNames(odd.registry)),
              std::tuple(u"192.168.9.9", std::vector<std::u16string>{u"Home"}));
}

// The logon and proxy are the device's, not an adapter's: a run over every adapter keeps them for
// each as they stood before the run, so undoing the run in any order gives them back.
TEST(LastSwitchTest, OverEveryAdapterTheSharedValuesComeBackAndOnlyAdaptersWithARecordAreUndone) {
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

    // Undoing every adapter undoes those that have a record, and tells of no other.
    Device other(3, true);
    switchToProfile(other.session, other.adapter(1), u"Office", false, messages);
    messages.clear();
    EXPECT_TRUE(undoLastSwitch(other.session, other.adapter(0), true, messages));
    EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)});
    EXPECT_EQ(std::tuple(other.systemIp(u"A2"), other.defaultOf(u"A2"), other.defaultOf(u"A1")),
              std::tuple(u"192.168.0.2", u"(none)", u"(none)"));
}

}  // namespace
}  // namespace corvane
