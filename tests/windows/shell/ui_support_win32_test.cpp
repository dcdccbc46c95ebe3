// The Win32 half of the UI support and the hidden main window, in this process with real
// windows and the fake user interface.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <gtest/gtest.h>

#include "platform/win32_handles.h"
#include "shell/main_window.h"
#include "shell/main_window_win32.h"
#include "shell/ui_support.h"
#include "shell/ui_support_win32.h"
#include "tests/support/fakes.h"
#include "tests/support/memory_registry.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

HWND makeChild(HWND parent, DWORD style) {
    return CreateWindowExW(0, L"BUTTON", L"x", WS_CHILD | WS_VISIBLE | style, 0, 0, 50, 20, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

bool iconExists(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 107;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// The quit message the main window's destruction posts must not end a later test's loop.
void dropQuitMessage() {
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

TEST(UiSupportWin32Test, SetupDialogCentresAndMakesOnlyPushButtonsAndGroupBoxesBold) {
    AppState state;
    createBoldFont(state);
    ASSERT_NE(state.boldFont, 0u);
    const HWND dialog = CreateWindowExW(0, L"#32770", L"Test", WS_POPUP, 3, 5, 100, 100, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(dialog, nullptr);
    const HWND group = makeChild(dialog, BS_GROUPBOX);
    const HWND push = makeChild(dialog, BS_PUSHBUTTON);
    const HWND check = makeChild(dialog, BS_AUTOCHECKBOX);
    const HWND radio = makeChild(dialog, BS_AUTORADIOBUTTON);

    setupDialog(state, dialog);
    const auto fontOf = [](HWND window) {
        return static_cast<FontRef>(SendMessageW(window, WM_GETFONT, 0, 0));
    };
    EXPECT_EQ(fontOf(group), state.boldFont);
    EXPECT_EQ(fontOf(push), state.boldFont);
    EXPECT_NE(fontOf(check), state.boldFont);
    EXPECT_NE(fontOf(radio), state.boldFont);

    RECT rect{};
    GetWindowRect(dialog, &rect);
    const ScreenPoint expected =
        centeredPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                         GetSystemMetrics(SM_CYMENU), 100, 100);
    EXPECT_EQ(rect.left, expected.x);
    EXPECT_EQ(rect.top, expected.y);
    EXPECT_EQ(rect.right - rect.left, 100);

    AppState noFont;
    EXPECT_EQ(applyBoldFont(noFont, dialog), 0);
    DestroyWindow(dialog);
    deleteBoldFont(state);
}

struct MainWindowFixture : testing::Test {
    MainWindowFixture() {
        state.registry = &registry;
        state.ui = &ui;
        state.system = &system;
        state.hInstance = toRef(GetModuleHandleW(nullptr));
        initAppState(state);
        state.hInstance = toRef(GetModuleHandleW(nullptr));
        EXPECT_TRUE(registerMainWindowClass(GetModuleHandleW(nullptr)));
    }
    ~MainWindowFixture() override { dropQuitMessage(); }
    MemoryRegistry registry;
    FakeUserInterface ui;
    FakeSystem system;
    AppState state;
};

TEST_F(MainWindowFixture, TheHiddenWindowHoldsTheStateAndItsIconUntilDestroyed) {
    putString(registry, kLocalMachine, u"Comm\\NE20001", u"Group", u"NDIS");
    putKey(registry, kLocalMachine, u"Comm\\NE20001\\Parms\\TcpIp");
    const HWND window = createMainWindow(state);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(state.hwndMain, toRef(window));
    EXPECT_EQ(state.hwndCurrent, toRef(window));
    EXPECT_EQ(GetWindowLongPtrW(window, 0), reinterpret_cast<LONG_PTR>(&state));
    EXPECT_EQ(GetClassLongPtrW(window, GCL_CBWNDEXTRA), 8);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & ~WS_CLIPSIBLINGS, WS_POPUP);
    EXPECT_TRUE(iconExists(window));
    EXPECT_EQ(state.adapters->count(), 1);
    EXPECT_EQ(FindWindowW(L"CorvaneClass", L"Corvane"), window);

    // While the dialog is open a further request is dropped at once.
    // A dialog that wrongly opens is cancelled by a watchdog, so the test fails, not hangs.
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) {
        if (const HWND dialog = FindWindowW(L"#32770", nullptr)) {
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    state.dialogOpen = 1;
    const DWORD before = GetTickCount();
    EXPECT_EQ(SendMessageW(window, kUmShowProfiles, 0, 0), 0);
    EXPECT_LT(GetTickCount() - before, 1000u);
    EXPECT_EQ(state.hwndCurrent, toRef(window));
    state.dialogOpen = 0;
    KillTimer(nullptr, watchdog);

    state.applyToAll = 1;
    DestroyWindow(window);
    EXPECT_FALSE(iconExists(window));
    EXPECT_EQ(state.adapters, nullptr);
    EXPECT_EQ(getRaw(registry, kCurrentUser, kAppKeyPath, u"ApplyToAll").dword(), 1u);
    EXPECT_EQ(getRaw(registry, kCurrentUser, kAppKeyPath, u"ShowStart").dword(), 1u);
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(MainWindowFixture, WithoutAdaptersCreationFailsAndTheIconGoesAgain) {
    EXPECT_EQ(createMainWindow(state), nullptr);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, appString(11));
    const HWND failed = toHwnd(ui.boxes[0].owner);
    EXPECT_FALSE(IsWindow(failed));
    EXPECT_FALSE(iconExists(failed));
    EXPECT_EQ(getRaw(registry, kCurrentUser, kAppKeyPath, u"ShowStart").type, regtype::kDword);
}

}  // namespace
}  // namespace corvane
