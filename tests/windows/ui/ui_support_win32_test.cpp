// Strings loaded from the program's own resources, cut to their buffers, and help where the
// handheld's help viewer is missing. The message boxes, the bold font and each window's help topic
// are proven on the real dialogs that show and use them.
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
    const auto useBrowser = [](const std::wstring& browser) {
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers", REG_SZ,
                        browser.c_str(), static_cast<DWORD>((browser.size() + 1) * 2));
    };
    useBrowser(L"\"" CORVANE_FAKE_BROWSER L"\" \"" CORVANE_TEST_DIR L"/browser.txt\"");
    wchar_t here[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, here);
    SetCurrentDirectoryW(L"C:\\");
    Win32System().showHelp(u"corvane.htm#impexp");
    const std::vector<std::wstring> shown = test::linesOnceThere(log, 1);
    SetCurrentDirectoryW(here);
    useBrowser(L"true");  // the test prefix's own: none
    DeleteFileW(log.c_str());
    EXPECT_EQ(shown, std::vector<std::wstring>{L"file://" CORVANE_TEST_DIR L"/corvane.htm"});
}

}  // namespace
}  // namespace corvane
