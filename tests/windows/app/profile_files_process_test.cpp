// corvane.exe's file commands as processes over real files, each outcome told by its own exit
// code: an output that cannot be replaced, an export without the values too long for a profile
// file, and inputs refused unread (one too large to be a profile file, a folder).
#include "tests/windows/harness.h"
// After windows.h.
#include "profiles/profile_file.h"

namespace corvane {
namespace {

struct Corvane : test::Process {
    explicit Corvane(const std::wstring& arguments)
        : Process(L"\"" + test::onDriveZ(CORVANE_EXE) + L"\" " + arguments) {}
};

TEST(ProfileFilesProcessTest, EachOutcomeOfAFileCommandEndsWithItsOwnCode) {
    test::Handheld handheld;
    handheld.addAdapter(u"CVTEST1", u"");
    handheld.addProfile(u"Home");
    handheld.addProfile(u"Office", u"10.2.0.1");
    const std::vector<std::u16string> stored = listProfileNames(handheld.registry);
    // A folder in the file's place: no file can replace it (nor, as root under Wine, a read-only
    // file, which Windows refuses too).
    CreateDirectoryW(L"cv-folder.prf", nullptr);
    Corvane folderOut(L"-export cv-folder.prf -quiet");
    EXPECT_EQ(test::answerMessageBox(folderOut), L"Couldn't create a new file");
    EXPECT_EQ(folderOut.exitCode(), 6u);

    // The proxy's name of 256 characters: 514 bytes, more than a value of a profile file holds.
    putString(handheld.registry, kCurrentUser, profilePath(u"Office"), u"ProxyServer",
              std::u16string(256, u'p'));
    Corvane shortened(L"-export cv-shortened.prf -quiet");
    EXPECT_EQ(test::answerMessageBox(shortened).substr(0, 46),
              L"Profile \"Office\" was exported without its valu");
    EXPECT_EQ(shortened.exitCode(), 10u) << "a failure told, though the file is written";
    std::vector<unsigned char> file;
    EXPECT_EQ(readWholeFile(u"cv-shortened.prf", kMaxProfileFileBytes, file), FileRead::Read);
    EXPECT_EQ(readProfileFile(file).value_or(std::vector<StoredProfile>{}).size(), 2u);

    const HANDLE huge = CreateFileW(L"cv-huge.prf", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER size{};
    size.QuadPart = kMaxProfileFileBytes + 1;
    SetFilePointerEx(huge, size, nullptr, FILE_BEGIN);
    SetEndOfFile(huge);
    CloseHandle(huge);
    Corvane tooLarge(L"-import cv-huge.prf -replace -quiet");
    const std::wstring told = test::answerMessageBox(tooLarge);
    EXPECT_TRUE(told.starts_with(L"Unable to import profiles: file \"Z:\\")) << told;
    EXPECT_TRUE(told.ends_with(L"cv-huge.prf\" is larger than 8 MB.")) << told;
    EXPECT_EQ(tooLarge.exitCode(), 7u);
    Corvane folder(L"-import cv-folder.prf -quiet");
    EXPECT_EQ(test::answerMessageBox(folder).substr(0, 20), L"Unable to open file ");
    EXPECT_EQ(folder.exitCode(), 6u);
    EXPECT_EQ(listProfileNames(handheld.registry), stored);

    for (const wchar_t* name : {L"cv-shortened.prf", L"cv-huge.prf"}) {
        DeleteFileW(name);
    }
    RemoveDirectoryW(L"cv-folder.prf");
}

}  // namespace
}  // namespace corvane
