// The KV_IPAddress control as a real window under Wine: typing into its real fields, its range
// message, the owner's notifications, its messages acting on the fields, and its drawing. The
// decisions behind them are proven natively on values.
#include "address_control/ip_address_control_win32.h"
#include "tests/windows/harness.h"

namespace corvane {
namespace {

using test::windowText;

constexpr int kControlId = 1003;
std::vector<WPARAM> notifications;
int beeps = 0;

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kControlId) {
        notifications.push_back(HIWORD(wParam));
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Each character as WM_CHAR to whichever window has the focus by then.
void type(const std::wstring& chars) {
    for (const wchar_t c : chars) {
        SendMessageW(GetFocus(), WM_CHAR, c, 1);
    }
}

void press(UINT key, bool control = false) {
    BYTE state[256];
    GetKeyboardState(state);
    const BYTE saved = state[VK_CONTROL];
    state[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(state);
    SendMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    SendMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
    state[VK_CONTROL] = saved;
    SetKeyboardState(state);
}

class IpAddressControlTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(RegisterIpAddressClass(instance), 0);
        const WNDCLASSW host{0,        hostProc,
                             0,        0,
                             instance, nullptr,
                             nullptr,  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                             nullptr,  L"CorvaneAddressHost"};
        RegisterClassW(&host);
        window =
            CreateWindowExW(0, L"CorvaneAddressHost", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                            50, 320, 160, nullptr, nullptr, instance, nullptr);
        control = makeControl(WS_TABSTOP | kIpsCenter, 10);
        other = CreateWindowExW(0, L"Button", L"other", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 200, 70,
                                80, 24, window, nullptr, instance, nullptr);
        SetForegroundWindow(window);
        notifications.clear();
        beeps = 0;
        setIpAddressBeep([](UINT) { ++beeps; });
    }
    void TearDown() override {
        setIpAddressBeep(nullptr);
        DestroyWindow(window);
        UnregisterIpAddressClass(instance);
        UnregisterClassW(L"CorvaneAddressHost", instance);
    }
    HWND makeControl(DWORD style, int y) {
        return CreateWindowExW(0, kIpAddressClass, L"", WS_CHILD | WS_VISIBLE | style, 10, y, 150,
                               24, window, reinterpret_cast<HMENU>(kControlId), instance, nullptr);
    }
    HWND field(int i) const { return GetDlgItem(control, i); }
    // The focused field and its selection, as "1:0-2"; "-" when the focus is elsewhere.
    std::string caret() const {
        for (int i = 0; i < 4; ++i) {
            if (GetFocus() == field(i)) {
                const auto both = static_cast<DWORD>(SendMessageW(field(i), EM_GETSEL, 0, 0));
                return std::to_string(i) + ":" + std::to_string(LOWORD(both)) + "-" +
                       std::to_string(HIWORD(both));
            }
        }
        return "-";
    }
    std::wstring text() const {
        char16_t buffer[kAddressTextChars];
        GetAddressText(control, buffer);
        return reinterpret_cast<const wchar_t*>(buffer);
    }

    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND window = nullptr;
    HWND control = nullptr;
    HWND other = nullptr;
};

// A field is checked when it fills or the keyboard leaves it, not when a tap does; a field out of
// range then makes no address at all, never a byte of another one.
TEST_F(IpAddressControlTest, TypingCrossesFieldsAndTheRangeCheckHoldsAField) {
    test::MessageBoxCatcher boxes;
    EXPECT_EQ(SendMessageW(control, IPM_SETRANGE, 3, MAKEWORD(1, 200)), 1);
    SetWindowTextW(field(1), L"77");
    SendMessageW(control, IPM_SETFOCUS, 0, 0);
    type(L".192");
    EXPECT_EQ(caret(), "1:0-2") << "a dot at the start is ignored; a full field selects the next";
    type(L"1a-0 2.201");
    EXPECT_EQ(beeps, 2) << "letters beep and are not inserted";
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text,
              L"201 is not a valid entry. Specify a value between 1 and 200 for this field.");
    EXPECT_EQ(boxes.boxes[0].owner, window);
    EXPECT_EQ(caret(), "3:0-3") << "201 kept and selected";
    press(VK_LEFT, true);
    EXPECT_EQ(boxes.boxes.size(), 2u) << "leaving by Ctrl+Left is refused the same way";
    type(L"3.");
    EXPECT_EQ(beeps, 3) << "a dot at the end of the last field beeps";
    EXPECT_EQ(text(), L"192.10.2.3");

    press(VK_UP);
    EXPECT_EQ(caret(), "3:0-0") << "Up moves as Left within a field";
    press(VK_LEFT);
    type(L"\b\b");  // the digit before the caret, then across taking the last digit before
    EXPECT_EQ(caret(), "1:1-1");
    EXPECT_EQ(text(), L"192.1.0.3");

    SetWindowTextW(field(2), L"300");
    SetFocus(field(2));
    SetFocus(other);  // the tap elsewhere
    EXPECT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(text(), L"192.1.300.3") << "text that fails the pages' check";
    SetFocus(control);
    EXPECT_EQ(caret(), "0:0-3") << "the control's own focus lands in its first field";
    EXPECT_EQ(notifications, (std::vector<WPARAM>{EN_SETFOCUS, EN_KILLFOCUS, EN_SETFOCUS}))
        << "once each way: no EN_CHANGE, nothing for moves between fields or range messages";
    EXPECT_EQ(SendMessageW(field(0), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(IpAddressControlTest, AddressTextsGoThroughTheMessages) {
    SetAddressText(control, u"192.168.1.20");
    EXPECT_EQ(text(), L"192.168.1.20");
    SetAddressText(control, u"0.0.0.0");
    EXPECT_EQ(text(), L"") << "a text the rule refuses clears the fields";
}

// The darkest pixel between the first two fields: the dot's colour (a smoothed dot's edges are
// lighter).
COLORREF dotColour(HWND control) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT first{};
    RECT second{};
    GetWindowRect(GetDlgItem(control, 0), &first);
    GetWindowRect(GetDlgItem(control, 1), &second);
    const HDC screen = GetDC(nullptr);
    COLORREF darkest = RGB(255, 255, 255);
    const auto level = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
    for (int x = first.right; x < second.left; ++x) {
        for (int y = first.top; y < first.bottom; ++y) {
            const COLORREF pixel = GetPixel(screen, x, y);
            darkest = level(pixel) < level(darkest) ? pixel : darkest;
        }
    }
    ReleaseDC(nullptr, screen);
    return darkest;
}

TEST_F(IpAddressControlTest, DisablingGreysTheDotsAndTheStylesTakeEffect) {
    const auto tabStop = [](HWND w) { return (GetWindowLongW(w, GWL_STYLE) & WS_TABSTOP) != 0; };
    EXPECT_EQ(dotColour(control), GetSysColor(COLOR_WINDOWTEXT));
    EnableWindow(control, FALSE);
    EXPECT_FALSE(tabStop(control));
    EXPECT_FALSE(IsWindowEnabled(field(3)));
    EXPECT_EQ(dotColour(control), GetSysColor(COLOR_GRAYTEXT));
    EnableWindow(control, TRUE);
    EXPECT_TRUE(tabStop(control));
    EXPECT_EQ(dotColour(control), GetSysColor(COLOR_WINDOWTEXT));

    // Without a tab stop it gains none; with leading zeros a field is padded when left.
    const HWND zeros = makeControl(kIpsLeadingZeros | kIpsRight, 60);
    EnableWindow(zeros, FALSE);
    EnableWindow(zeros, TRUE);
    EXPECT_FALSE(tabStop(zeros));
    EXPECT_NE(GetWindowLongW(GetDlgItem(zeros, 0), GWL_STYLE) & ES_RIGHT, 0);
    SendMessageW(zeros, IPM_SETFOCUS, 0, 0);
    type(L"7.42");
    SetFocus(other);
    EXPECT_EQ(windowText(GetDlgItem(zeros, 0)) + L"|" + windowText(GetDlgItem(zeros, 1)) + L"|" +
                  windowText(GetDlgItem(zeros, 2)),
              L"007|042|")
        << "empty fields stay empty";
    SendMessageW(control, IPM_SETFOCUS, 0, 0);
    type(L"7.");
    EXPECT_EQ(windowText(field(0)), L"7") << "without the style nothing is padded";
}

}  // namespace
}  // namespace corvane
