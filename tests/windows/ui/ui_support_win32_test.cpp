// Strings from the program's resources cut to their buffers, and help without the handheld's help
// viewer. Message boxes, the bold font and help topics are proven on the real dialogs.
#include "tests/windows/harness.h"

#include "resources/resource.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

TEST(UiSupportWin32Test, TextsAreCutToTheirBuffers) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    char16_t big[300] = {};
    EXPECT_EQ(loadAppString(instance, IDS_NEXT_USE, big), 127) << "no size means 128";
    char16_t small[10];
    EXPECT_EQ(loadAppString(instance, IDS_NEXT_USE, small, 500), 9) << "held to the buffer";
    EXPECT_EQ(loadAppString(instance, 9999, small), 0);
    EXPECT_EQ(textOf(small), u"");
}

// Without PegHelp.exe in the current directory, where the program looks for it, the help file
// beside the program opens in Wine's browser (named in the prefix's registry: here one that notes
// the address it is given), without its anchor.
TEST(UiSupportWin32Test, WithoutTheHelpViewerTheHelpFileOpensInTheDesktopsBrowser) {
    const std::wstring log = test::besideTests(L"browser.txt");
    DeleteFileW(log.c_str());
    constexpr wchar_t kKey[] = L"Software\\Wine\\WineBrowser";
    constexpr wchar_t kFakeBrowser[] =
        L"\"" CORVANE_FAKE_BROWSER L"\" \"" CORVANE_TEST_DIR L"/browser.txt\"";
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Browsers", REG_SZ, kFakeBrowser,
                    sizeof kFakeBrowser);
    SetCurrentDirectoryW(L"C:\\");  // where there is no PegHelp.exe
    Win32System().showHelp(u"corvane.htm#impexp");
    const std::vector<std::wstring> shown = test::linesOnceThere(log, 1);
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Browsers", REG_SZ, L"true", 10);  // the prefix's own
    DeleteFileW(log.c_str());
    EXPECT_EQ(shown, std::vector<std::wstring>{L"file://" CORVANE_TEST_DIR L"/corvane.htm"});
}

}  // namespace
}  // namespace corvane
