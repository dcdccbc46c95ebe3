#include "profiles_dialog/profiles_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>

#include "app/command_line.h"
#include "core/registry_values.h"
#include "profiles/last_switch.h"
#include "profiles/profile_file.h"
#include "profiles_dialog/profile_name.h"
#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

// The dialog's opening, and its offer to an adapter without a default, show in its Windows test,
// as does a name refused for being taken in another letter case.
TEST(ProfilesDialogTest, ADanglingDefaultIsSelectedUnofferedAnEmptyStoreOffersOneANameIsCut) {
    Device device(1, true);
    // The list as its number of names, selection and whether the default is offered.
    const auto listed = [&] {
        const ProfileList list = readProfileList(device.registry, device.adapter(0));
        return std::tuple(list.names.size(), list.selection, list.offerDefault);
    };
    EXPECT_EQ(defaultProfileQuestion(device.adapter(0)), question(IDS_OFFER_DEFAULT, u"Card A1"));
    device.setDefault(u"A1", u"Gone");
    EXPECT_EQ(listed(), std::tuple(2u, u"Gone", false)) << "even dangling: no offer";
    device.registry.deleteTree(kCurrentUser, kProfilesKeyPath);
    EXPECT_EQ(listed(), std::tuple(0u, u"Gone", true)) << "a default but no profile at all";
    device.system.storeKnown = false;  // the figures' lines are proven in the real About box
    EXPECT_TRUE(aboutStoreLines(device.system).empty()) << "the template's own lines stay";

    EXPECT_EQ(acceptProfileName(device.registry, u""), NameCheck{});
    const Message nested = failure(IDS_PROFILE_NAME_BACKSLASH, u"Lab\\2");
    EXPECT_EQ(acceptProfileName(device.registry, nested.argument),
              (NameCheck{NameAnswer::Refused, nested.argument, nested}));
    EXPECT_EQ(acceptProfileName(device.registry, std::u16string(45, u'n')),
              (NameCheck{NameAnswer::Accepted, std::u16string(39, u'n'), {}}));
}

// The switch itself is the icon menu's: here only which adapters it takes.
TEST(ProfilesDialogTest, SetSwitchesTheSelectedAdapterOrEveryAdapterUnlessItIsAlreadyItsDefault) {
    Device device(3, true);
    device.setDefault(u"A1", u"Office");
    const int writes = device.registry.setValueCount();
    Messages messages;
    EXPECT_FALSE(switchFromDialog(device.session, &device.adapter(0), u"Office", messages));
    EXPECT_EQ(device.registry.setValueCount(), writes) << "nothing stored, applied or refreshed";
    EXPECT_TRUE(switchFromDialog(device.session, &device.adapter(1), u"Home", messages));
    EXPECT_EQ(device.systemIps(), "192.168.0.1 10.1.0.1 192.168.0.3 ");
    device.session.applyToAll = 1;  // every adapter, this one's default again included
    EXPECT_TRUE(switchFromDialog(device.session, &device.adapter(0), u"Office", messages));
    EXPECT_EQ(device.systemIps(), "10.2.0.1 10.2.0.1 10.2.0.1 ");

    // No adapter or no profile selected: only the refresh.
    messages.clear();
    EXPECT_TRUE(switchFromDialog(device.session, nullptr, u"Home", messages));
    EXPECT_TRUE(switchFromDialog(device.session, &device.adapter(1), u"", messages));
    EXPECT_TRUE(messages.empty());
}

// `name` as A<adapter + 1>'s editor leaves it given the address `address`, stored.
bool storeEdit(Device& device, int adapter, std::u16string_view name, std::u16string_view address,
               Messages& messages) {
    NetSettings before;
    loadProfile(device.registry, name, before);
    NetSettings edited = before;
    copyText(edited.ipAddress, address);
    return storeEditedProfile(device.session, device.adapter(adapter), name, before, edited,
                              messages);
}

TEST(ProfilesDialogTest, AnEditIsStoredOnlyWhenChangedAndAppliedWhereTheProfileIsTheDefault) {
    Device device(3, true);
    Messages messages;
    const auto store = [&](int adapter, std::u16string_view address) {
        messages.clear();
        return storeEdit(device, adapter, u"Office", address, messages);
    };
    const int writes = device.registry.setValueCount();
    EXPECT_FALSE(store(0, u"10.2.0.1"));
    EXPECT_EQ(device.registry.setValueCount(), writes) << "unchanged: nothing stored";

    // Not the default of the selected adapter: stored, applied nowhere, nothing shown.
    device.setDefault(u"A2", u"Office");
    EXPECT_TRUE(store(0, u"10.2.0.9"));
    EXPECT_EQ(device.profileIp(u"Office"), u"10.2.0.9");
    EXPECT_EQ(device.systemIps(), "192.168.0.1 192.168.0.2 192.168.0.3 ");
    EXPECT_TRUE(messages.empty());

    // With applyToAll every adapter using it is updated, only the last adapter reporting.
    device.session.applyToAll = 1;
    device.setDefault(u"A1", u"Office");
    device.setDefault(u"A3", u"office");  // letter case counts
    EXPECT_TRUE(store(2, u"10.2.0.6"));
    EXPECT_EQ(device.systemIps(), "10.2.0.6 10.2.0.6 192.168.0.3 ");
    EXPECT_TRUE(messages.empty()) << "the last adapter reports, and it did not apply";
    device.setDefault(u"A3", u"Office");
    EXPECT_TRUE(store(0, u"10.2.0.5"));
    EXPECT_EQ(device.systemIps(), "10.2.0.5 10.2.0.5 10.2.0.5 ");
    EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)});
    EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(0), true, messages));
    EXPECT_EQ(device.systemIps(), "10.2.0.6 10.2.0.6 192.168.0.3 ") << "each kept for undo";

    device.registry.failValue(u"IpAddress", status::kAccessDenied);
    EXPECT_FALSE(store(1, u"10.2.0.7"));
    EXPECT_EQ(messages, Messages{failure(IDS_SAVE_FAILED, u"Office")});
}

// The fault sweep: every operation that writes, run once for each write it makes with that write
// failing: no profile lost, none half written, no adapter half switched, and the failure told.

// Every key of the registry by its lower-cased full path, with its values as stored, grouped by
// what moves as one: an adapter's default, its last switch and its TCP/IP key, else each key.
using Keys = std::map<std::u16string, std::vector<RegValue>>;
using Picture = std::map<std::u16string, Keys>;

Picture pictureOf(MemoryRegistry& registry) {
    Picture picture;
    for (const std::u16string& path : registry.keyPaths()) {
        std::u16string unit = path;
        for (const std::u16string_view adapters :
             {u"hkcu\\software\\tavelorn\\corvane\\1.2\\a", u"hklm\\comm\\a"}) {
            if (path.starts_with(adapters)) {
                unit = u"adapter " + path.substr(adapters.size(), 1);
            }
        }
        const KeyHandle root = path.starts_with(u"hkcu\\") ? kCurrentUser : kLocalMachine;
        RegKey key;
        if (path.size() > 5 && openKey(registry, root, path.substr(5), 0, key) == 0) {
            readValues(registry, key.handle(), picture[unit][path]);
        }
    }
    return picture;
}

// The first unit now neither wholly as before the operation nor wholly as the whole operation
// leaves it, or none; a missing key is a state of its own.
std::u16string halfWritten(const Picture& before, const Picture& after, const Picture& now) {
    const auto keys = [](const Picture& picture, const std::u16string& unit) {
        return picture.contains(unit) ? picture.at(unit) : Keys{};
    };
    for (const Picture* picture : {&before, &after, &now}) {
        for (const auto& [unit, unused] : *picture) {
            if (keys(now, unit) != keys(before, unit) && keys(now, unit) != keys(after, unit)) {
                return unit;
            }
        }
    }
    return {};
}

// The registry's values but for the adapters' undo records, which a switch and its undo both write.
Picture withoutRecords(MemoryRegistry& registry) {
    Picture picture = pictureOf(registry);
    for (auto& [unit, keys] : picture) {
        std::erase_if(keys, [](const auto& key) {
            return key.second.empty() || key.first.ends_with(u"\\lastswitch");
        });
    }
    return picture;
}

// Home, Office and Travel (with a proxy) stored; both adapters switched to Home, so each has a
// switch to undo: A1 from its default Travel and a DNS server, A2 from no default (or one stored
// as `a2Default`, no text: unread), both from a proxy and a logon.
struct Handheld : Device {
    explicit Handheld(std::uint32_t a2Default = 0) : Device(2, true) {
        addProfile(u"Travel", u"10.3.0.1");
        putDword(registry, kCurrentUser, profilePath(u"Travel"), u"UseProxy", 1);
        putDword(registry, kCurrentUser, kProxyKeyPath, u"UseProxy", 1);
        putMulti(registry, kLocalMachine, u"Comm\\A1\\Parms\\TcpIp", u"DNS", {u"10.9.9.9"});
        setDefault(u"A1", u"Travel");
        if (a2Default != 0) {
            putValue(registry, kCurrentUser, adapterKeyPath(adapter(1)), u"DefProfile", a2Default,
                     u"Home", 8);
        }
        for (int i : {0, 1}) {  // as the program writes them, so an undo gives back the same bytes
            const SettingsKeys keys = systemKeys(textOf(adapter(i).tcpipKeyPath));
            NetSettings now;
            readSettings(registry, now, keys);
            writeSettings(registry, now, keys);
        }
        unswitched = withoutRecords(registry);
        switchToProfile(session, adapter(0), u"Home", true, told);
        told.clear();
    }
    // The stored profiles exported, Home's as Cafe and Travel's as Home, imported and applied.
    void import(bool replace) {
        std::vector<StoredProfile> file = *readProfileFile(*exportFile(registry).bytes);
        file[0].name = u"Cafe";
        file[2].name = u"Home";
        if (writeImportedProfiles(registry, file, replace, told).written) {
            reapplyDefaultProfiles(session, told);
        }
    }
    Picture unswitched;
    Messages told;
};

// A run over every adapter keeps the logon and proxy the adapters share for each as they stood
// before the run: undone from either adapter, everything comes back exactly; a second undo redoes.
TEST(LastSwitchTest, UndoGivesBackExactlyWhatTheRunReplacedWhicheverAdapterGoesFirstThenRedoes) {
    for (const auto& [a2Default, first] : {std::pair{0u, 0}, {regtype::kBinary, 1}}) {
        Handheld device(a2Default);
        const Picture switched = withoutRecords(device.registry);
        EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(first), true, device.told));
        EXPECT_EQ(device.told, (Messages{notice(IDS_NEXT_USE), notice(IDS_RESET_FOR_PROXY)}))
            << "told once";
        EXPECT_EQ(withoutRecords(device.registry), device.unswitched) << first;
        EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(first), true, device.told));
        EXPECT_EQ(withoutRecords(device.registry), switched) << first << ": redone";
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

const std::vector<std::pair<const char*, std::function<void(Handheld&)>>> kOperations{
    {"import keeping", [](Handheld& d) { d.import(false); }},
    {"import replacing", [](Handheld& d) { d.import(true); }},
    {"switch",
     [](Handheld& d) { switchToProfile(d.session, d.adapter(1), u"Travel", false, d.told); }},
    {"set for every adapter",
     [](Handheld& d) { switchToProfile(d.session, d.adapter(0), u"Travel", true, d.told); }},
    {"command line switch",
     [](Handheld& d) { switchCommand(d.session, parseCommandLine(u"-switch office"), d.told); }},
    {"new", [](Handheld& d) { storeEdit(d, 0, u"Lab", u"10.0.0.53", d.told); }},
    {"edit for every adapter",
     [](Handheld& d) {
         d.session.applyToAll = 1;
         storeEdit(d, 0, u"Home", u"10.0.0.53", d.told);
     }},
    {"delete",
     [](Handheld& d) {
         if (!deleteProfile(d.registry, u"Travel")) {
             d.told.push_back(failure(IDS_DELETE_FAILED));
         }
     }},
    {"default offer",
     [](Handheld& d) { createProfileFromSystem(d.registry, u"Default", d.adapter(1), d.told); }},
    {"undo", [](Handheld& d) { undoLastSwitch(d.session, d.adapter(0), false, d.told); }},
    {"undo for every adapter",
     [](Handheld& d) { undoLastSwitch(d.session, d.adapter(0), true, d.told); }},
    {"command line undo",
     [](Handheld& d) { undoCommand(d.session, parseCommandLine(u"-undo -adapter a2"), d.told); }},
};

TEST(WritesUnderFaultsTest, EachWriteOfEachOperationFailingLeavesNothingHalfWrittenAndIsTold) {
    for (const auto& [name, operation] : kOperations) {
        Handheld clean;
        const Picture before = pictureOf(clean.registry);
        const int start = clean.registry.writeCount();
        operation(clean);
        const int writes = clean.registry.writeCount() - start;
        ASSERT_FALSE(hasFailure(clean.told)) << name;
        const Picture after = pictureOf(clean.registry);
        ASSERT_NE(before, after) << name;
        std::printf("%s: %d write(s), each failing once and failing on\n", name, writes);

        for (int failing = 1; failing <= writes; ++failing) {
            for (const bool andAfter : {false, true}) {
                Handheld device;
                device.registry.failWrite(device.registry.writeCount() + failing, andAfter);
                operation(device);
                device.registry.clearFaults();
                const std::u16string broken =
                    halfWritten(before, after, pictureOf(device.registry));
                const std::string trace = std::string(name) + ", write " + std::to_string(failing) +
                                          (andAfter ? " and on: " : ": ") + toUtf8(broken);
                EXPECT_TRUE(hasFailure(device.told)) << trace;
                // Only a failure that also stops the putting back may leave a key half written,
                // and then the user is told to check.
                const bool toldToCheck = std::ranges::any_of(device.told, [](const Message& told) {
                    return told.textId == IDS_PROFILE_NOT_PUT_BACK ||
                           told.textId == IDS_SETTINGS_NOT_PUT_BACK ||
                           told.textId == IDS_UNDO_NOT_PUT_BACK;
                });
                EXPECT_TRUE(broken.empty() || (andAfter && toldToCheck)) << trace;
            }
        }
    }
}

}  // namespace
}  // namespace corvane
