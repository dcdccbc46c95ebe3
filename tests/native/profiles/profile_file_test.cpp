#include "profiles/profile_file.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/device.h"
#include "tests/support/example_profile_file.h"

namespace corvane {
namespace {

using Bytes = std::vector<unsigned char>;
using Names = std::vector<std::u16string>;

// Each a clean refusal, never a read past a buffer.
TEST(ProfileFileTest, ACorruptFileIsRefusedWholeBeforeAnythingIsWritten) {
    // Bytes changed in place: at 20 the profile's type, at 24 its name size, at 64 the value's
    // data size, at 36 the name's zero, at 28 and 30 inside the name, at 0 the magic, at 8 the
    // count; each found in its record (the profile's at 20, the value's at 38) or the header.
    using Found = std::tuple<FileFault, std::int32_t, std::uint64_t>;
    for (const auto& [at, number, found] :
         {std::tuple{20u, 2u, Found{FileFault::ValueFirst, 0, 20}},
          {20u, 3u, Found{FileFault::UnknownType, 0, 20}},
          {24u, 0u, Found{FileFault::NameSize, 0, 20}},
          {24u, 9u, Found{FileFault::NameSize, 0, 20}},
          {24u, 522u, Found{FileFault::NameSize, 0, 20}},
          {64u, 513u, Found{FileFault::DataSize, 1, 38}},
          {36u, 'x', Found{FileFault::NameEnd, 0, 20}},
          {28u, 0u, Found{FileFault::ZeroInName, 0, 20}},
          {30u, 0x6D005Cu, Found{FileFault::NotKeyName, 0, 20}},  // "H\me"
          {0u, 0x99090002u, Found{FileFault::NotProfileFile, -1, 0}},
          {8u, 0u, Found{FileFault::NoProfile, -1, 8}},
          {8u, 2u, Found{FileFault::FewerProfiles, 2, 76}},
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

// The bytes an export hands over, and what it tells.
std::pair<Bytes, Messages> exported(Registry& registry) {
    Bytes file;
    const ExportOutcome outcome =
        exportProfiles(registry, [&](std::span<const unsigned char> bytes) {
            file.assign(bytes.begin(), bytes.end());
            return true;
        });
    return {file, exportMessages(outcome)};
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

    const auto failing = [](std::span<const unsigned char>) { return false; };
    EXPECT_EQ(exportMessages(exportProfiles(device.registry, failing)),
              Messages{failure(IDS_EXPORT_FAILED)});
    // A store that cannot be listed whole is not exported: nothing is handed over.
    device.registry.failSubkeyIndex(1, status::kAccessDenied);
    EXPECT_EQ(exported(device.registry), std::pair(Bytes{}, Messages{failure(IDS_EXPORT_FAILED)}));
    device.registry.clearFaults();
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
    Device device(3);
    device.addProfile(u"Home", u"10.1.0.1");
    device.setDefault(u"A1", u"Home");
    device.setDefault(u"A2", u"Home");
    device.setDefault(u"A3", u"Gone");  // no such profile: A3 is left alone
    device.session.applyToAll = 1;      // the re-apply takes no notice of it
    putDword(device.registry, kCurrentUser, profilePath(u"Home"), u"UseProxy", 1);
    Messages messages;
    EXPECT_TRUE(reapplyDefaultProfiles(device.session, messages));
    EXPECT_EQ(device.systemIps(), "10.1.0.1 10.1.0.1 192.168.0.3 ");
    EXPECT_EQ(messages, (Messages{notice(IDS_NEXT_USE), notice(IDS_RESET_FOR_PROXY)}));

    // The first adapter's key cannot be opened again: the run stops there, untold as done.
    device.registry.failKey(kLocalMachine, u"Comm\\A1\\Parms\\TcpIp", status::kAccessDenied);
    messages.clear();
    EXPECT_FALSE(reapplyDefaultProfiles(device.session, messages));
    EXPECT_EQ(messages, (Messages{failure(IDS_APPLY_FAILED),
                                  failure(IDS_SETTINGS_NOT_PUT_BACK, u"Card A1")}));
}

}  // namespace
}  // namespace corvane
