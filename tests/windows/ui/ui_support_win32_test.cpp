// The Win32 half of the UI support on real windows: the bold font walk over a dialog's children,
// string loading with its default size, and a message box's caption and filled-in text.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/text.h"
#include "platform/handles_win32.h"
#include "resources/resource.h"
#include "tests/windows/harness.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

TEST(UiSupportWin32Test, OnlyPushButtonsAndGroupBoxesTurnBold) {
    AppState state;
    createBoldFont(state);
    ASSERT_NE(state.boldFont.get(), 0u);
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
        const auto font = static_cast<FontRef>(SendMessageW(buttons[i], WM_GETFONT, 0, 0));
        EXPECT_EQ(font == state.boldFont.get(), i < 2) << "button " << i;
    }
    DestroyWindow(dialog);
}

TEST(UiSupportWin32Test, TextsAreCutToTheirBuffersAndShownCaptionedCorvane) {
    AppState state;
    state.hInstance = toRef(GetModuleHandleW(nullptr));
    char16_t big[300];
    std::fill(std::begin(big), std::end(big), u'#');
    EXPECT_EQ(loadAppString(state, IDS_NEXT_USE, big), 127) << "no size means 128";
    EXPECT_EQ(big[128], u'#');
    char16_t small[10];
    EXPECT_EQ(loadAppString(state, IDS_NEXT_USE, small, 500), 9) << "held to the buffer";
    EXPECT_EQ(loadAppString(state, 9999, small), 0);
    EXPECT_EQ(textOf(small), u"");

    test::MessageBoxCatcher catcher;
    EXPECT_EQ(showMessage(state, nullptr, question(IDS_CONFIRM_DELETE, u"Home")), IDNO);
    ASSERT_EQ(catcher.boxes.size(), 1u);
    EXPECT_EQ(catcher.boxes[0].text, L"Delete network profile \"Home\"; Are you sure?");
}

}  // namespace
}  // namespace corvane
