// corvane.exe and corvane-prf.exe writing over files that exist while the disk fills: CTest runs
// this program, and the programs it starts, under a limit on the size of a file (ulimit -f, 24 KB;
// the wineserver, started before, stays outside it). A new file that cannot be finished must
// leave the old one as it was and nothing beside it.
#include "tests/windows/harness.h"
// After windows.h.
#include <algorithm>

#include "core/registry.h"
#include "profiles/profile_file.h"
#include "profiles/profile_store.h"

namespace corvane {
namespace {

constexpr std::size_t kLimitBytes = 24 * 1024;
const std::wstring kFolder = L"full-disk";

std::wstring quoted(const char* program) {
    return L"\"" + test::onDriveZ(program) + L"\"";
}

void putFile(const std::wstring& path, const std::vector<unsigned char>& bytes) {
    ReplacementFile file{std::u16string(utf16(std::wstring_view(path)))};
    ASSERT_TRUE(file.commit(bytes));
}

// The names in the test's folder.
std::vector<std::wstring> folderFiles() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((kFolder + L"\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
        if (found.cFileName[0] != L'.') {
            names.emplace_back(found.cFileName);
        }
    }
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

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
    CreateDirectoryW(kFolder.c_str(), nullptr);
    const std::wstring backup = kFolder + L"\\backup.prf";
    const std::wstring text = kFolder + L"\\backup.reg";
    putProfiles(handheld.registry, 1);
    ASSERT_EQ(test::Process(quoted(CORVANE_EXE) + L" -export " + backup + L" -quiet").exitCode(),
              0u);
    ASSERT_EQ(
        test::Process(quoted(CORVANE_PRF_EXE) + L" to-reg " + backup + L" " + text).exitCode(), 0u);
    const std::vector<unsigned char> oldBackup = test::fileBytes(backup);
    const std::vector<unsigned char> oldText = test::fileBytes(text);

    // 60 profiles: an export of 33 KB. 30 of them in a file of 17 KB: registry text of 100 KB.
    putProfiles(handheld.registry, 60);
    test::Process exporting(quoted(CORVANE_EXE) + L" -export " + backup + L" -quiet");
    EXPECT_EQ(test::answerMessageBox(exporting), L"Unable to export data into the file.");
    EXPECT_EQ(exporting.exitCode(), 6u);
    std::vector<unsigned char> thirty;
    ASSERT_TRUE(exportProfiles(handheld.registry, [&](std::span<const unsigned char> bytes) {
                    thirty.assign(bytes.begin(), bytes.end());
                    return true;
                }).written);
    auto profiles = readProfileFile(thirty);
    ASSERT_TRUE(profiles.has_value());
    profiles->resize(30);
    putFile(kFolder + L"\\thirty.prf", writeProfileFile(*profiles));
    const std::wstring convert = quoted(CORVANE_PRF_EXE) + L" to-reg " + kFolder + L"\\thirty.prf ";
    EXPECT_EQ(test::Process(convert + text).exitCode(), 4u);

    EXPECT_EQ(test::fileBytes(backup), oldBackup) << "byte for byte";
    EXPECT_EQ(test::fileBytes(text), oldText);
    EXPECT_EQ(folderFiles(),
              (std::vector<std::wstring>{L"backup.prf", L"backup.reg", L"thirty.prf"}))
        << "no new file left behind";
    EXPECT_GT(thirty.size(), kLimitBytes) << "the export had to fail";

    // The input named otherwise is still the input: refused, and kept.
    EXPECT_EQ(test::Process(convert + L".\\" + kFolder + L"\\THIRTY.PRF").exitCode(), 7u);
    EXPECT_EQ(test::fileBytes(kFolder + L"\\thirty.prf"), writeProfileFile(*profiles));
    for (const std::wstring& name : folderFiles()) {
        DeleteFileW((kFolder + L"\\" + name).c_str());
    }
    RemoveDirectoryW(kFolder.c_str());
}

}  // namespace
}  // namespace corvane
