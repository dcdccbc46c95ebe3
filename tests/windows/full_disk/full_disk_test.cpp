// corvane.exe and corvane-prf.exe writing over files while the disk fills: CTest runs this test and
// the programs it starts under a 24 KB limit on a file's size (ulimit -f; the wineserver, started
// before, stays outside it). A file that cannot be finished leaves the old one and nothing beside.
#include "tests/windows/harness.h"
// After windows.h.
#include <filesystem>
#include <map>

#include "profiles/profile_file.h"
#include "profiles/profile_store.h"

namespace corvane {
namespace {

TEST(FullDiskTest, AnExportOrAConversionThatCannotFinishLeavesTheOldFileAlone) {
    test::Handheld handheld;
    const std::vector<unsigned char> blob(kMaxDataBytes, 1);
    const auto putProfiles = [&](int count) {  // each about 550 bytes of a profile file
        for (int i = 0; i < count; ++i) {
            putValue(handheld.registry, kCurrentUser, profilePath(u"P" + decimal(10 + i)), u"Blob",
                     regtype::kBinary, blob.data(), blob.size());
        }
    };
    namespace fs = std::filesystem;
    fs::create_directory("full-disk");
    const std::wstring corvane = L"\"" + test::onDriveZ(CORVANE_EXE) + L"\" -export full-disk\\";
    const std::wstring toReg = L"\"" + test::onDriveZ(CORVANE_PRF_EXE) + L"\" to-reg full-disk\\";
    const auto files = [] {  // by name
        std::map<std::wstring, std::vector<unsigned char>> bytes;
        for (const fs::directory_entry& entry : fs::directory_iterator("full-disk")) {
            bytes[entry.path().filename().wstring()] = test::fileBytes(entry.path().wstring());
        }
        return bytes;
    };
    putProfiles(1);
    ASSERT_EQ(test::Process(corvane + L"backup.prf -quiet").exitCode(), 0u);
    ASSERT_EQ(test::Process(toReg + L"backup.prf full-disk\\backup.reg").exitCode(), 0u);
    // 30 profiles: a file of 17 KB, registry text of 100 KB. 60 of them: an export of 33 KB.
    putProfiles(30);
    ASSERT_EQ(test::Process(corvane + L"thirty.prf -quiet").exitCode(), 0u);
    const auto before = files();

    putProfiles(60);
    test::Process exporting(corvane + L"backup.prf -quiet");
    EXPECT_EQ(test::answerMessageBox(exporting), L"Unable to export data into the file.");
    EXPECT_EQ(exporting.exitCode(), 6u);
    EXPECT_EQ(test::Process(toReg + L"thirty.prf full-disk\\backup.reg").exitCode(), 4u);
    // The input named otherwise is still the input: refused, and kept.
    EXPECT_EQ(test::Process(toReg + L"thirty.prf .\\full-disk\\THIRTY.PRF").exitCode(), 7u);
    EXPECT_EQ(files(), before) << "every file as it was, byte for byte, and no new one";
    fs::remove_all("full-disk");
}

}  // namespace
}  // namespace corvane
