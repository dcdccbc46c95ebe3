#include <gtest/gtest.h>

#include "profiles/last_switch.h"
#include "profiles/profile_file.h"
#include "profiles/profile_store.h"
#include "resources/resource.h"
#include "tests/support/device.h"
#include "tests/support/example_profile_file.h"

namespace corvane {
namespace {

using Bytes = std::vector<unsigned char>;
using Names = std::vector<std::u16string>;

TEST(ProfileStoreTest, NamesAreKeysOfTheirOwnListedInTheRegistrysOrder) {
    Device device(1);
    MemoryRegistry& registry = device.registry;
    EXPECT_TRUE(listProfileNames(registry).empty()) << "no Profiles key";
    device.addProfile(u"Office");
    device.addProfile(u"a");
    // A key name longer than the 260-character buffer fails its index with 234: skipped.
    putKey(registry, kCurrentUser, profilePath(std::u16string(300, u'L')));
    putKey(registry, kCurrentUser, profilePath(u"Lab\\2"));  // what a nested name reaches
    EXPECT_EQ(listProfileNames(registry), (Names{u"a", u"Lab", u"Office"}));
    EXPECT_FALSE(profileExists(registry, u"")) << "not the Profiles key itself";
    // However many there are, every listed profile is found by its name.
    for (int i = 0; i < 1001; ++i) {
        putKey(registry, kCurrentUser, profilePath(u"P" + fromUtf8(std::to_string(i))));
    }
    EXPECT_EQ(storedProfileName(registry, u"p999"), u"P999") << "sorted among the last";

    EXPECT_TRUE(isProfileKeyName(std::u16string(255, u'n')));
    for (const std::u16string& bad : {std::u16string(), std::u16string(256, u'n'),
                                      std::u16string(u"Lab\\2"), std::u16string(u"\\")}) {
        EXPECT_EQ(saveProfile(registry, bad, device.adapter(0).settings), Written::Nothing)
            << toUtf8(bad);
        EXPECT_FALSE(deleteProfile(registry, bad));
    }
}

TEST(ProfileStoreTest,
     ADefaultIsTextReadWholeOrNotAtAllMayNameNoProfileOrALongOneOrOneFromTheSystem) {
    Device device(1);
    AdapterInfo& adapter = device.adapter(0);
    std::u16string name = u"keep";
    EXPECT_FALSE(loadDefaultProfileName(device.registry, adapter, name));
    ASSERT_EQ(recordDefaultProfile(device.registry, adapter, u"Office"), Written::Whole);
    const RawValue value =
        getRaw(device.registry, kCurrentUser, adapterKeyPath(adapter), u"DefProfile");
    EXPECT_EQ(std::pair(value.type, value.chars()),
              std::pair(regtype::kString, withZero(u"Office")));

    // Any type is read; 260 characters without a terminating zero are not known whole.
    const std::u16string bare(260, u'z');
    putValue(device.registry, kCurrentUser, adapterKeyPath(adapter), u"DefProfile",
             regtype::kBinary, bare.data(), 520);
    EXPECT_FALSE(loadDefaultProfileName(device.registry, adapter, name));
    EXPECT_EQ(name, u"keep");

    // Switched to, a missing profile is recorded with nothing to apply; a name as long as a key
    // name may be, well past what a 260-character path to it could hold, is loaded whole.
    const std::u16string longName = u"Imported " + std::u16string(240, u'x');
    device.addProfile(longName, u"10.9.0.1");
    Messages messages;
    for (const std::u16string& to : {std::u16string(u"Gone"), longName}) {
        EXPECT_TRUE(switchAdapter(device.registry, device.system, adapter, to,
                                  adapterState(device.registry, adapter), messages)
                        .defaultRecorded);
        EXPECT_TRUE(loadDefaultProfileName(device.registry, adapter, name));
        EXPECT_EQ(name, to);
    }
    EXPECT_EQ(messages, Messages{failure(IDS_LOAD_FAILED, u"Gone")});
    EXPECT_EQ(device.systemIp(u"A1"), u"10.9.0.1");
    EXPECT_TRUE(deleteProfile(device.registry, longName));

    // A profile from the system (A1 now on 10.9.0.1) is stored and made the default, the system
    // untouched: both or neither.
    MemoryRegistry& registry = device.registry;
    const int writes = registry.setValueCount();
    messages.clear();
    ASSERT_TRUE(createProfileFromSystem(registry, u"Default", device.adapter(0), messages));
    EXPECT_EQ(registry.setValueCount() - writes, 14) << "13 profile values and DefProfile";
    EXPECT_EQ(std::pair(device.profileIp(u"Default"), device.defaultOf(u"A1")),
              std::pair(std::u16string(u"10.9.0.1"), std::u16string(u"Default")));

    // A profile that cannot be made the default goes again.
    for (const char16_t* failing : {u"IpAddress", u"DefProfile"}) {
        registry.failValue(failing, status::kAccessDenied);
        EXPECT_FALSE(createProfileFromSystem(registry, u"Lab", device.adapter(0), messages));
        registry.clearFaults();
    }
    EXPECT_EQ(messages, (Messages{failure(IDS_CREATE_FAILED, u"Lab"),
                                  failure(IDS_SET_DEFAULT_FAILED, u"Lab")}));
    EXPECT_EQ(std::pair(device.defaultOf(u"A1"), listProfileNames(registry)),
              std::pair(std::u16string(u"Default"), Names{u"Default"}));
}

// Each a clean refusal, never a read past a buffer.
TEST(ProfileFileTest, ACorruptFileIsRefusedWholeBeforeAnythingIsWritten) {
    // Bytes changed in place: at 20 the profile's type, at 24 its name size, at 36 the name's zero,
    // at 28 and 30 inside the name, at 0 the magic, at 8 the count; each found in its record (the
    // profile's at 20, its value's at 38) or the header. A value's data size and a count of none
    // show in corvane-prf's tests.
    using Found = std::tuple<FileFault, std::int32_t, std::uint64_t>;
    for (const auto& [at, number, found] :
         {std::tuple{20u, 2u, Found{FileFault::ValueFirst, 0, 20}},
          {20u, 3u, Found{FileFault::UnknownType, 0, 20}},
          {24u, 0u, Found{FileFault::NameSize, 0, 20}},
          {24u, 9u, Found{FileFault::NameSize, 0, 20}},
          {24u, 522u, Found{FileFault::NameSize, 0, 20}},
          {36u, 'x', Found{FileFault::NameEnd, 0, 20}},
          {28u, 0u, Found{FileFault::ZeroInName, 0, 20}},
          {30u, 0x6D005Cu, Found{FileFault::NotKeyName, 0, 20}},  // "H\me"
          {0u, 0x99090002u, Found{FileFault::NotProfileFile, -1, 0}},
          // 56 bytes after the header have room for 5 records of 10 bytes, not for 6: refused
          // before a record is read.
          {8u, 5u, Found{FileFault::FewerProfiles, 2, 76}},
          {8u, 6u, Found{FileFault::CountTooLarge, -1, 8}},
          {8u, 0x7FFFFFFFu, Found{FileFault::CountTooLarge, -1, 8}}}) {
        Bytes bytes = kHomeProfileFile;
        for (unsigned i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<unsigned char>(number >> (8 * i));
        }
        const FileCheck check = checkProfileFile(bytes);
        EXPECT_EQ(Found(check.fault, check.record, check.offset), found) << "at " << at;
    }
    for (std::size_t size = 0; size < kHomeProfileFile.size(); ++size) {
        EXPECT_EQ(readProfileFile(std::span(kHomeProfileFile).first(size)).has_value(), size == 38)
            << "cut at " << size << " (at 38 the file ends after the profile record)";
    }
}

// The bytes of an export's file, and what it tells once that file is written.
std::pair<Bytes, Messages> exported(Registry& registry) {
    const ExportFile file = exportFile(registry);
    return {file.bytes.value_or(Bytes{}), exportMessages(file, file.bytes.has_value())};
}

TEST(ExportImportTest, ExportWritesEveryValueItCanAndTellsWhatItCouldNot) {
    Device device;
    EXPECT_EQ(exported(device.registry).second, Messages{notice(IDS_EXPORTED, u"0")});
    putDword(device.registry, kCurrentUser, profilePath(u"Home"), u"UseProxy", 0);
    EXPECT_EQ(exported(device.registry).first, kHomeProfileFile) << "the format's example";

    // A value too long for the file (514 bytes) is left out, the values after it are not: 512
    // bytes are written and read back.
    putString(device.registry, kCurrentUser, profilePath(u"Home"), u"ProxyServer",
              std::u16string(256, u'p'));
    putString(device.registry, kCurrentUser, profilePath(u"Home"), u"ZLast",
              std::u16string(255, u'p'));
    putDword(device.registry, kCurrentUser, profilePath(u"Work"), u"UseProxy", 1);
    const auto [file, messages] = exported(device.registry);
    const auto profiles = readProfileFile(file);
    ASSERT_TRUE(profiles && (*profiles)[0].values.size() == 2);
    EXPECT_EQ(std::pair((*profiles)[0].values[1].name, (*profiles)[0].values[1].data.size()),
              std::pair(std::u16string(u"ZLast"), std::size_t{512}));
    EXPECT_EQ(messages,
              (Messages{failure(IDS_EXPORT_SHORTENED, u"Home"), notice(IDS_EXPORTED, u"2")}));

    EXPECT_EQ(exportMessages(exportFile(device.registry), false),
              Messages{failure(IDS_EXPORT_FAILED)});
    // A store that cannot be listed whole is not exported: nothing is handed over.
    device.registry.failSubkeyIndex(1, status::kAccessDenied);
    EXPECT_EQ(exported(device.registry), std::pair(Bytes{}, Messages{failure(IDS_EXPORT_FAILED)}));
}

TEST(ExportImportTest, ImportWritesTheCountedProfilesKeepingOrReplacingTheStore) {
    Device device;
    MemoryRegistry& registry = device.registry;
    putDword(registry, kCurrentUser, profilePath(u"A"), u"Mine", 1);
    putDword(registry, kCurrentUser, profilePath(u"A"), u"V", 7);
    putDword(registry, kCurrentUser, profilePath(u"Other"), u"V", 7);
    const ProfileRecord v{kValueRecord, u"V", {1, 0, 0, 0}, regtype::kDword};
    Bytes file = writeProfileFile({{u"A", {v}}, {u"Empty", {}}, {u"C", {}}});
    file[8] = 2;  // C is past the counted part
    const auto values = [&] {
        return std::pair(getRaw(registry, kCurrentUser, profilePath(u"A"), u"V").dword(),
                         getRaw(registry, kCurrentUser, profilePath(u"A"), u"Mine").result);
    };
    const auto two = readProfileFile(file);
    Messages messages;
    ASSERT_TRUE(two && writeImportedProfiles(registry, *two, false, messages).written);
    EXPECT_EQ(messages, Messages{notice(IDS_IMPORTED, u"2")});
    EXPECT_EQ(listProfileNames(registry), (Names{u"A", u"Empty", u"Other"}));
    EXPECT_EQ(values(), std::pair(1u, status::kSuccess)) << "the file's value; others stay";
    ASSERT_TRUE(writeImportedProfiles(registry, *two, true, messages).written);
    EXPECT_EQ(listProfileNames(registry), (Names{u"A", u"Empty"}));
    EXPECT_EQ(values(), std::pair(1u, status::kFileNotFound)) << "replacing: the file's only";

    // A write that fails names its profile; what was written before stays, and the lists are to
    // show it; a failure before anything was written changes nothing to show.
    messages.clear();
    registry.failValue(u"V", status::kAccessDenied);
    ImportWrite result =
        writeImportedProfiles(registry, {{u"B", {}}, {u"C", {v}}}, false, messages);
    EXPECT_EQ(std::tuple(result.written, result.changed), std::tuple(false, true));
    EXPECT_EQ(messages, Messages{failure(IDS_CREATE_FAILED, u"C")});
    EXPECT_EQ(listProfileNames(registry), (Names{u"A", u"B", u"Empty"}));
    result = writeImportedProfiles(registry, {{u"C", {v}}}, true, messages);
    EXPECT_EQ(std::tuple(result.written, result.changed), std::tuple(false, false));
    EXPECT_TRUE(profileExists(registry, u"B")) << "replacing: nothing removed first";
}

// The store's own round trip, export to import to export, is the profile-file fuzzer's.
TEST(ExportImportTest, AfterAnImportEveryAdaptersDefaultIsAppliedAgainReportingOnce) {
    Device device(3, true);
    device.setDefault(u"A1", u"Home");
    device.setDefault(u"A2", u"Home");
    device.setDefault(u"A3", u"Gone");  // no such profile: A3 is left alone
    device.session.applyToAll = 1;      // the re-apply takes no notice of it
    putDword(device.registry, kCurrentUser, profilePath(u"Home"), u"UseProxy", 1);
    Messages messages;
    EXPECT_TRUE(reapplyDefaultProfiles(device.session, messages));
    EXPECT_EQ(device.systemIps(), "10.1.0.1 10.1.0.1 192.168.0.3 ");
    EXPECT_EQ(messages, (Messages{notice(IDS_NEXT_USE), notice(IDS_RESET_FOR_PROXY)}));
    EXPECT_TRUE(undoLastSwitch(device.session, device.adapter(0), true, messages));
    EXPECT_EQ(device.systemIps(), "192.168.0.1 192.168.0.2 192.168.0.3 ") << "each kept for undo";

    // The first adapter's key cannot be opened again: the run stops there, untold as done.
    device.registry.failKey(kLocalMachine, u"Comm\\A1\\Parms\\TcpIp", status::kAccessDenied);
    messages.clear();
    EXPECT_FALSE(reapplyDefaultProfiles(device.session, messages));
    EXPECT_EQ(messages, (Messages{failure(IDS_APPLY_FAILED),
                                  failure(IDS_SETTINGS_NOT_PUT_BACK, u"Card A1")}));
}

}  // namespace
}  // namespace corvane
