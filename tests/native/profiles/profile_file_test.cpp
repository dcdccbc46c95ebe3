#include "profiles/profile_file.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/device.h"
#include "tests/support/example_profile_file.h"

namespace corvane {
namespace {

using Bytes = std::vector<unsigned char>;
using Names = std::vector<std::u16string>;

// A file built record by record: a header with `count`, then `records` as (type, name), each
// value holding the DWORD 1.
Bytes fileOf(std::int32_t count, std::vector<std::pair<std::uint32_t, std::u16string>> records) {
    Bytes file;
    writeHeader(file, count);
    for (const auto& [type, name] : records) {
        const unsigned char one[4] = {1, 0, 0, 0};
        writeRecord(file, type, name, one, 4);  // a profile record takes the name alone
    }
    return file;
}

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

class ExportImportTest : public testing::Test {
  protected:
    Bytes exported(Messages& messages) {
        Bytes file;
        const ExportOutcome outcome =
            exportProfiles(device.registry, [&](std::span<const unsigned char> bytes) {
                file.assign(bytes.begin(), bytes.end());
                return true;
            });
        messages = exportMessages(outcome);
        return file;
    }
    bool import(const Bytes& bytes, bool replace, Messages& messages) {
        const auto profiles = readProfileFile(bytes);
        return profiles &&
               writeImportedProfiles(device.registry, *profiles, replace, messages).written;
    }

    Device device{3};
};

TEST_F(ExportImportTest, ExportWritesEveryValueItCanAndTellsWhatItCouldNot) {
    Messages messages;
    EXPECT_EQ(exported(messages).size(), 20u) << "no Profiles key: the header alone";
    EXPECT_EQ(messages, Messages{notice(IDS_EXPORTED, u"0")});

    putDword(device.registry, kCurrentUser, profilePath(u"Home"), u"UseProxy", 0);
    EXPECT_EQ(exported(messages), kHomeProfileFile) << "the format's example, to the byte";

    // A value too long for the file (514 bytes) is left out, the values after it are not: 512
    // bytes are written and read back.
    putString(device.registry, kCurrentUser, profilePath(u"Home"), u"ProxyServer",
              std::u16string(256, u'p'));
    putString(device.registry, kCurrentUser, profilePath(u"Home"), u"ZLast",
              std::u16string(255, u'p'));
    putDword(device.registry, kCurrentUser, profilePath(u"Work"), u"UseProxy", 1);
    const auto profiles = readProfileFile(exported(messages));
    ASSERT_TRUE(profiles);
    ASSERT_EQ((*profiles)[0].values.size(), 2u);
    EXPECT_EQ((*profiles)[0].values[1].name, u"ZLast");
    EXPECT_EQ((*profiles)[0].values[1].data.size(), 512u);
    EXPECT_EQ(messages,
              (Messages{failure(IDS_EXPORT_SHORTENED, u"Home"), notice(IDS_EXPORTED, u"2")}));

    const auto failing = [](std::span<const unsigned char>) { return false; };
    EXPECT_EQ(exportMessages(exportProfiles(device.registry, failing)),
              Messages{failure(IDS_EXPORT_FAILED)});
    // A store that cannot be listed whole is not exported: nothing is handed over.
    device.registry.failSubkeyIndex(1, status::kAccessDenied);
    EXPECT_TRUE(exported(messages).empty());
    EXPECT_EQ(messages, Messages{failure(IDS_EXPORT_FAILED)});
    device.registry.clearFaults();
}

TEST_F(ExportImportTest, ImportWritesTheCountedProfilesKeepingOrReplacingTheStore) {
    putDword(device.registry, kCurrentUser, profilePath(u"A"), u"Mine", 1);
    putDword(device.registry, kCurrentUser, profilePath(u"A"), u"V", 7);
    putDword(device.registry, kCurrentUser, profilePath(u"Other"), u"V", 7);
    Messages messages;
    const Bytes three = fileOf(2, {{kProfileRecord, u"A"},
                                   {kValueRecord, u"V"},
                                   {kProfileRecord, u"Empty"},
                                   {kProfileRecord, u"C"}});
    ASSERT_TRUE(import(three, false, messages));
    EXPECT_EQ(messages, Messages{notice(IDS_IMPORTED, u"2")});
    EXPECT_EQ(listProfileNames(device.registry), (Names{u"A", u"Empty", u"Other"}));
    EXPECT_EQ(getRaw(device.registry, kCurrentUser, profilePath(u"A"), u"V").dword(), 1u)
        << "replaced by the file's";
    EXPECT_EQ(getRaw(device.registry, kCurrentUser, profilePath(u"A"), u"Mine").dword(), 1u)
        << "others stay";

    ASSERT_TRUE(import(three, true, messages));
    EXPECT_EQ(listProfileNames(device.registry), (Names{u"A", u"Empty"}));
    EXPECT_EQ(getRaw(device.registry, kCurrentUser, profilePath(u"A"), u"Mine").result,
              status::kFileNotFound)
        << "replacing, a profile holds the file's values only";

    // A write that fails names its profile; what was written before stays, and the lists are to
    // show it; a failure before anything was written changes nothing to show.
    messages.clear();
    device.registry.failValue(u"V", status::kAccessDenied);
    const auto bc = readProfileFile(
        fileOf(2, {{kProfileRecord, u"B"}, {kProfileRecord, u"C"}, {kValueRecord, u"V"}}));
    ImportWrite result = writeImportedProfiles(device.registry, *bc, false, messages);
    EXPECT_EQ(std::tuple(result.written, result.changed), std::tuple(false, true));
    EXPECT_EQ(messages, Messages{failure(IDS_CREATE_FAILED, u"C")});
    EXPECT_TRUE(profileExists(device.registry, u"B"));
    EXPECT_FALSE(profileExists(device.registry, u"C")) << "not half written";
    result = writeImportedProfiles(device.registry, {(*bc)[1]}, true, messages);
    EXPECT_EQ(std::tuple(result.written, result.changed), std::tuple(false, false));
    EXPECT_TRUE(profileExists(device.registry, u"B")) << "replacing: nothing removed first";
}

// The store's own round trip, export to import to export, is the profile-file fuzzer's.
TEST_F(ExportImportTest, AfterAnImportEveryAdaptersDefaultIsAppliedAgainReportingOnce) {
    device.addProfile(u"Home", u"10.1.0.1");
    device.setDefault(u"A1", u"Home");
    device.setDefault(u"A2", u"Home");
    device.setDefault(u"A3", u"Gone");  // no such profile: A3 is left alone
    device.session.applyToAll = 1;      // the re-apply takes no notice of it
    Messages messages;
    EXPECT_TRUE(reapplyDefaultProfiles(device.session, messages));
    EXPECT_EQ(std::tuple(device.systemIp(u"A1"), device.systemIp(u"A2"), device.systemIp(u"A3")),
              std::tuple(u"10.1.0.1", u"10.1.0.1", u"192.168.0.3"));
    EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)});

    // A changed proxy the shell cannot be told of needs a reset, as after a switch.
    device.system.shell = 0;
    putDword(device.registry, kCurrentUser, profilePath(u"Home"), u"UseProxy", 1);
    messages.clear();
    EXPECT_TRUE(reapplyDefaultProfiles(device.session, messages));
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
