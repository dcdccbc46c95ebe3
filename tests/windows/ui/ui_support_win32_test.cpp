// Strings loaded from the program's own resources, cut to their buffers, and help where the
// handheld's help viewer is missing. The message boxes, the bold font and each window's help topic
// are proven on the real dialogs that show and use them.
#include "tests/windows/harness.h"

#include "core/text.h"
#include "platform/system_win32.h"
#include "platform/wide_text_win32.h"
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

// Without PegHelp.exe (none where the program runs from), the help file beside the program opens
// in the desktop's browser: Wine's launcher, which starts the browser named in the prefix's
// registry, here one that notes the address it is given. Wine hands on the file without its
// anchor.
TEST(UiSupportWin32Test, WithoutTheHelpViewerTheHelpFileOpensInTheDesktopsBrowser) {
    const std::wstring log = test::besideTests(L"browser.txt");
    DeleteFileW(log.c_str());
    const wchar_t* key = L"Software\\Wine\\WineBrowser";
    wchar_t before[256] = {};
    DWORD beforeSize = sizeof before;
    const bool hadBrowsers = RegGetValueW(HKEY_CURRENT_USER, key, L"Browsers", RRF_RT_REG_SZ,
                                          nullptr, before, &beforeSize) == ERROR_SUCCESS;
    const std::wstring browser =
        L"\"" CORVANE_FAKE_BROWSER L"\" \"" CORVANE_TEST_DIR L"/browser.txt\"";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Browsers", REG_SZ, browser.c_str(),
                              static_cast<DWORD>((browser.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    wchar_t here[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, here);
    wchar_t elsewhere[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, elsewhere);
    SetCurrentDirectoryW(elsewhere);
    Win32System().showHelp(u"corvane.htm#impexp");
    const std::vector<std::wstring> shown = test::linesOnceThere(log, 1);
    SetCurrentDirectoryW(here);
    if (hadBrowsers) {
        RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Browsers", REG_SZ, before, beforeSize);
    } else {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"Browsers");
    }
    DeleteFileW(log.c_str());
    EXPECT_EQ(shown, std::vector<std::wstring>{L"file://" CORVANE_TEST_DIR L"/corvane.htm"});
}

}  // namespace
}  // namespace corvane
