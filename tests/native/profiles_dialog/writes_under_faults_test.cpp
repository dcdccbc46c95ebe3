// Every operation that writes, run once for each write it makes with that write failing: no
// profile lost, none half written, no adapter half switched, and the failure told.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>

#include "app/command_line.h"
#include "core/registry_values.h"
#include "profiles/profile_file.h"
#include "profiles_dialog/profiles_dialog.h"
#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

// Every key of the registry, by its lower-cased full path, with its values as stored.
using Picture = std::map<std::u16string, std::vector<RegValue>>;

Picture pictureOf(MemoryRegistry& registry) {
    Picture picture;
    for (const std::u16string& path : registry.keyPaths()) {
        const KeyHandle root = path.starts_with(u"hkcu\\") ? kCurrentUser : kLocalMachine;
        RegKey key;
        if (path.size() > 5 && openKey(registry, root, path.substr(5), 0, key) == 0) {
            readValues(registry, key.handle(), picture[path]);
        }
    }
    return picture;
}

// What moves as one: an adapter's default, its last switch and its TCP/IP key (a switch or an
// undo), else each key alone.
std::u16string unitOf(const std::u16string& path) {
    constexpr std::u16string_view kDefaults = u"hkcu\\software\\tavelorn\\corvane\\1.2\\a";
    constexpr std::u16string_view kSystem = u"hklm\\comm\\a";
    const std::size_t end = path.find(u'\\', kDefaults.size());
    if (path.starts_with(kDefaults) &&
        (end == std::u16string::npos || path.substr(end) == u"\\lastswitch")) {
        return u"adapter " + path.substr(kDefaults.size(), end - kDefaults.size());
    }
    if (path.starts_with(kSystem) && path.ends_with(u"\\parms\\tcpip")) {
        return u"adapter " +
               path.substr(kSystem.size(), path.find(u'\\', kSystem.size()) - kSystem.size());
    }
    return path;
}

// The units that are neither wholly as they were before the operation nor wholly as the whole
// operation leaves them; a missing key is a state of its own.
std::vector<std::u16string> halfWritten(const Picture& before, const Picture& after,
                                        const Picture& now) {
    const auto state = [](const Picture& picture, const std::u16string& path) {
        const auto found = picture.find(path);
        return found != picture.end() ? std::optional(found->second) : std::nullopt;
    };
    std::map<std::u16string, std::pair<bool, bool>> units;  // as before, as after
    for (const Picture* picture : {&before, &after, &now}) {
        for (const auto& [path, values] : *picture) {
            auto& [asBefore, asAfter] = units.try_emplace(unitOf(path), true, true).first->second;
            asBefore = asBefore && state(now, path) == state(before, path);
            asAfter = asAfter && state(now, path) == state(after, path);
        }
    }
    std::vector<std::u16string> broken;
    for (const auto& [unit, as] : units) {
        if (!as.first && !as.second) {
            broken.push_back(unit);
        }
    }
    return broken;
}

StoredProfile fileProfile(std::u16string_view name, std::u16string_view address) {
    std::vector<ProfileRecord> values;
    NetSettings record;
    setDefaults(record);
    copyText(record.ipAddress, address);
    for (const KeyChange& key :
         settingsChanges(record, {kCurrentUser, u"", u"", kCurrentUser, u""})) {
        for (const RegValue& value : key.set) {
            values.push_back({kValueRecord, value.name, value.data, value.type});
        }
    }
    values.push_back({kValueRecord, u"Extra", {1, 0, 0, 0}, regtype::kDword});
    return {std::u16string(name), std::move(values)};
}

// A handheld with two adapters both on Home, and Home, Office and Travel stored. Each has a switch
// to undo, as a switch of both from Travel leaves them: A1 back to Travel as its default, A2 to
// Travel's settings on another address without a default.
struct Handheld : Device {
    Handheld() : Device(2) {
        addProfile(u"Home", u"10.1.0.1");
        addProfile(u"Office", u"10.2.0.1");
        addProfile(u"Travel", u"10.3.0.1");
        putDword(registry, kCurrentUser, profilePath(u"Travel"), u"UseProxy", 1);
        setDefault(u"A1", u"Travel");
        keep(0, u"10.3.0.1");
        registry.deleteTree(kCurrentUser, u"Software\\Tavelorn\\Corvane\\1.2\\A2");
        keep(1, u"10.3.0.2");
        setDefault(u"A1", u"Home");
        setDefault(u"A2", u"Home");
    }
    void keep(int index, std::u16string_view ip) {
        std::optional<AdapterState> state = adapterState(registry, adapter(index));
        ASSERT_TRUE(state && loadProfile(registry, u"Travel", state->settings));
        copyText(state->settings.ipAddress, ip);
        ASSERT_EQ(keepLastSwitch(registry, adapter(index), *state), Written::Whole);
    }
};

using Operation = std::function<void(Handheld&, Messages&)>;

void import(Handheld& device, bool replace, Messages& messages) {
    const std::vector<StoredProfile> file{fileProfile(u"Cafe", u"10.7.0.1"),
                                          fileProfile(u"Home", u"10.8.0.1"),
                                          fileProfile(u"Zeta", u"10.9.0.1")};
    if (writeImportedProfiles(device.registry, file, replace, messages).written) {
        reapplyDefaultProfiles(device.session, messages);
    }
}

void edit(Handheld& device, std::u16string_view name, Messages& messages) {
    NetSettings before;
    setDefaults(before);
    loadProfile(device.registry, name, before);
    NetSettings edited = before;
    copyText(edited.dns1, u"10.0.0.53");
    storeEditedProfile(device.session, device.adapter(0), name, before, edited, messages);
}

const std::vector<std::pair<const char*, Operation>> kOperations{
    {"import keeping", [](Handheld& d, Messages& m) { import(d, false, m); }},
    {"import replacing", [](Handheld& d, Messages& m) { import(d, true, m); }},
    {"switch", [](Handheld& d,
                  Messages& m) { switchToProfile(d.session, d.adapter(1), u"Travel", false, m); }},
    {"set for every adapter",
     [](Handheld& d, Messages& m) {
         switchToProfile(d.session, d.adapter(0), u"Travel", true, m);
     }},
    {"command line switch",
     [](Handheld& d, Messages& m) {
         CommandRequest request;
         request.kind = CommandRequest::Kind::Switch;
         request.profile = u"office";
         switchCommand(d.session, request, m);
     }},
    {"new", [](Handheld& d, Messages& m) { edit(d, u"Lab", m); }},
    {"edit for every adapter",
     [](Handheld& d, Messages& m) {
         d.session.applyToAll = 1;
         edit(d, u"Home", m);
     }},
    {"delete",
     [](Handheld& d, Messages& m) {
         if (!deleteProfile(d.registry, u"Travel")) {
             m.push_back(failure(IDS_DELETE_FAILED));
         }
     }},
    {"default offer",
     [](Handheld& d, Messages& m) {
         createProfileFromSystem(d.registry, u"Default", d.adapter(1), m);
     }},
    {"undo", [](Handheld& d, Messages& m) { undoLastSwitch(d.session, d.adapter(0), false, m); }},
    {"undo for every adapter",
     [](Handheld& d, Messages& m) { undoLastSwitch(d.session, d.adapter(0), true, m); }},
    {"command line undo",
     [](Handheld& d, Messages& m) {
         CommandRequest request;
         request.kind = CommandRequest::Kind::Undo;
         request.adapter = u"a2";
         undoCommand(d.session, request, m);
     }},
};

bool tellsNotPutBack(const Messages& messages) {
    return std::any_of(messages.begin(), messages.end(), [](const Message& message) {
        return message.textId == IDS_PROFILE_NOT_PUT_BACK ||
               message.textId == IDS_SETTINGS_NOT_PUT_BACK ||
               message.textId == IDS_UNDO_NOT_PUT_BACK;
    });
}

TEST(WritesUnderFaultsTest, EachWriteOfEachOperationFailingLeavesNothingHalfWrittenAndIsTold) {
    for (const auto& [name, operation] : kOperations) {
        Handheld clean;
        const Picture before = pictureOf(clean.registry);
        const int start = clean.registry.writeCount();
        Messages messages;
        operation(clean, messages);
        const int writes = clean.registry.writeCount() - start;
        ASSERT_FALSE(hasFailure(messages)) << name;
        const Picture after = pictureOf(clean.registry);
        ASSERT_NE(before, after) << name;
        std::printf("%s: %d write(s), each failing once and failing on\n", name, writes);

        for (int failing = 1; failing <= writes; ++failing) {
            for (const bool andAfter : {false, true}) {
                Handheld device;
                device.registry.failWrite(device.registry.writeCount() + failing, andAfter);
                messages.clear();
                operation(device, messages);
                device.registry.clearFaults();
                const std::vector<std::u16string> broken =
                    halfWritten(before, after, pictureOf(device.registry));
                const std::string trace = std::string(name) + ", write " + std::to_string(failing) +
                                          (andAfter ? " and on" : "");
                EXPECT_TRUE(hasFailure(messages)) << trace;
                // Only a failure that also stops the putting back may leave a key half written,
                // and then the user is told to check.
                if (!andAfter) {
                    EXPECT_EQ(broken, std::vector<std::u16string>{})
                        << trace << ": " << (broken.empty() ? "" : toUtf8(broken[0]));
                } else if (!broken.empty()) {
                    EXPECT_TRUE(tellsNotPutBack(messages)) << trace << ": " << toUtf8(broken[0]);
                }
            }
        }
    }
}

}  // namespace
}  // namespace corvane
