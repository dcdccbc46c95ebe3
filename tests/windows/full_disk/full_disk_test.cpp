// corvane.exe and corvane-prf.exe writing over files that exist while the disk fills: CTest runs
// this program, and the programs it starts, under a limit on the size of a file (ulimit -f, 24 KB;
// the wineserver, started before, stays outside it). A new file that cannot be finished must
// leave the old one as it was and nothing beside it.
#include "tests/windows/harness.h"
// After windows.h.
#include <filesystem>
#include <set>

#include "profiles/profile_file.h"
#include "profiles/profile_store.h"

namespace corvane {
namespace {

// Profiles of 512 bytes each, named P00, P01...: about 550 bytes of a profile file each.
void putProfiles(Registry& registry, int count) {
    for (int i = 0; i < count; ++i) {
        const std::u16string name = {u'P', static_cast<char16_t>(u'0' + i / 10),
                                     static_cast<char16_t>(u'0' + i % 10)};
        const std::vector<unsigned char> blob(kMaxDataBytes, static_cast<unsigned char>(i));
        putValue(registry, kCurrentUser, profilePath(name), u"Blob", regtype::kBinary, blob.data(),
                 blob.size());
    }
}

TEST(FullDiskTest, AnExportOrAConversionThatCannotFinishLeavesTheOldFileAlone) {
    test::Handheld handheld;
    namespace fs = std::filesystem;
    fs::create_directory("full-disk");
    const std::wstring corvane = L"\"" + test::onDriveZ(CORVANE_EXE) + L"\" -export full-disk\\";
    const std::wstring toReg = L"\"" + test::onDriveZ(CORVANE_PRF_EXE) + L"\" to-reg full-disk\\";
    const auto exitCode = [](const std::wstring& commandLine) {
        return test::Process(commandLine).exitCode();
    };
    putProfiles(handheld.registry, 1);
    ASSERT_EQ(exitCode(corvane + L"backup.prf -quiet"), 0u);
    ASSERT_EQ(exitCode(toReg + L"backup.prf full-disk\\backup.reg"), 0u);
    // 30 profiles: a file of 17 KB, registry text of 100 KB. 60 of them: an export of 33 KB.
    putProfiles(handheld.registry, 30);
    ASSERT_EQ(exitCode(corvane + L"thirty.prf -quiet"), 0u);
    const std::vector<unsigned char> oldBackup = test::fileBytes(L"full-disk\\backup.prf");
    const std::vector<unsigned char> oldText = test::fileBytes(L"full-disk\\backup.reg");
    const std::vector<unsigned char> thirty = test::fileBytes(L"full-disk\\thirty.prf");

    putProfiles(handheld.registry, 60);
    test::Process exporting(corvane + L"backup.prf -quiet");
    EXPECT_EQ(test::answerMessageBox(exporting), L"Unable to export data into the file.");
    EXPECT_EQ(exporting.exitCode(), 6u);
    EXPECT_EQ(exitCode(toReg + L"thirty.prf full-disk\\backup.reg"), 4u);
    EXPECT_EQ(test::fileBytes(L"full-disk\\backup.prf"), oldBackup) << "byte for byte";
    EXPECT_EQ(test::fileBytes(L"full-disk\\backup.reg"), oldText);
    std::set<std::wstring> names;
    for (const fs::directory_entry& entry : fs::directory_iterator("full-disk")) {
        names.insert(entry.path().filename().wstring());
    }
    EXPECT_EQ(names, (std::set<std::wstring>{L"backup.prf", L"backup.reg", L"thirty.prf"}))
        << "no new file left behind";

    // The input named otherwise is still the input: refused, and kept.
    EXPECT_EQ(exitCode(toReg + L"thirty.prf .\\full-disk\\THIRTY.PRF"), 7u);
    EXPECT_EQ(test::fileBytes(L"full-disk\\thirty.prf"), thirty);
    fs::remove_all("full-disk");
}

}  // namespace
}  // namespace corvane
