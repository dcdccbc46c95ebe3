// The Win32 half of the UI support on a real dialog window. The hidden main window is proven by
// the started processes of startup_process_test.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/handles_win32.h"
#include "ui/ui_support.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

TEST(UiSupportWin32Test, SetupDialogCentresAndMakesOnlyPushButtonsAndGroupBoxesBold) {
    AppState state;
    createBoldFont(state);
    ASSERT_NE(state.boldFont, 0u);
    const HWND dialog = CreateWindowExW(0, L"#32770", L"Test", WS_POPUP, 3, 5, 100, 100, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(dialog, nullptr);
    const auto button = [&](DWORD style) {
        return CreateWindowExW(0, L"BUTTON", L"x", WS_CHILD | style, 0, 0, 50, 20, dialog, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    };
    const HWND buttons[] = {button(BS_GROUPBOX), button(BS_PUSHBUTTON), button(BS_AUTOCHECKBOX),
                            button(BS_AUTORADIOBUTTON)};
    setupDialog(state, dialog);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(
            static_cast<FontRef>(SendMessageW(buttons[i], WM_GETFONT, 0, 0)) == state.boldFont,
            i < 2)
            << "button " << i;
    }

    RECT rect{};
    GetWindowRect(dialog, &rect);
    const ScreenPoint expected =
        centeredPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                         GetSystemMetrics(SM_CYMENU), 100, 100);
    EXPECT_EQ(rect.left, expected.x);
    EXPECT_EQ(rect.top, expected.y);
    EXPECT_EQ(rect.right - rect.left, 100);
    DestroyWindow(dialog);
    deleteBoldFont(state);
}

}  // namespace
}  // namespace corvane
