// The Win32 half of the UI support and the hidden main window, in this process with real
// windows and the fake user interface.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32_handles.h"
#include "shell/main_window.h"
#include "shell/main_window_win32.h"
#include "shell/ui_support.h"
#include "shell/ui_support_win32.h"
#include "tests/support/fakes.h"
#include "tests/support/memory_registry.h"
#include "tests/support/registry_helpers.h"
#include "tests/windows/harness.h"

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

TEST(MainWindowWin32Test, TheHiddenWindowHoldsTheStateAndItsIconUntilDestroyed) {
    MemoryRegistry registry;
    FakeUserInterface ui;
    FakeSystem system;
    AppState state;
    state.registry = &registry;
    state.ui = &ui;
    state.system = &system;
    initAppState(state);
    state.hInstance = toRef(GetModuleHandleW(nullptr));
    ASSERT_TRUE(registerMainWindowClass(GetModuleHandleW(nullptr)));
    putString(registry, kLocalMachine, u"Comm\\NE20001", u"Group", u"NDIS");
    putKey(registry, kLocalMachine, u"Comm\\NE20001\\Parms\\TcpIp");

    const HWND window = createMainWindow(state);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(state.hwndMain, toRef(window));
    EXPECT_EQ(GetWindowLongPtrW(window, 0), reinterpret_cast<LONG_PTR>(&state));
    EXPECT_EQ(GetClassLongPtrW(window, GCL_CBWNDEXTRA), 8);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(test::iconExists(window));

    // While the dialog is open a further request is dropped at once. A dialog that wrongly opens
    // is cancelled by a watchdog, so the test fails, not hangs.
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) {
        if (const HWND dialog = FindWindowW(L"#32770", nullptr)) {
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    state.dialogOpen = 1;
    const DWORD before = GetTickCount();
    EXPECT_EQ(SendMessageW(window, kUmShowProfiles, 0, 0), 0);
    EXPECT_LT(GetTickCount() - before, 1000u);
    state.dialogOpen = 0;
    KillTimer(nullptr, watchdog);

    DestroyWindow(window);
    EXPECT_FALSE(test::iconExists(window));
    EXPECT_EQ(state.adapters, nullptr);
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "the window's end ends the application's loop";
}

}  // namespace
}  // namespace corvane
