// The KV_IPAddress control as a real window under Wine: typing and the keys in its real fields,
// its range message and beeps, the owner's notifications, its messages acting on the fields, and
// its drawing. The text rules behind them are proven natively on values.
#include "address_control/ip_address_control_win32.h"
#include "tests/windows/harness.h"
// After windows.h.
#include <commctrl.h>

#include "address_control/ip_address.h"

namespace corvane {
namespace {

using test::windowText;

// The control's style bits: fields right-aligned, centred, padded with leading zeros.
constexpr DWORD kRight = 0x0002;
constexpr DWORD kCenter = 0x0004;
constexpr DWORD kLeadingZeros = 0x0008;

constexpr int kControlId = 1003;
std::vector<WPARAM> notifications;

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

// `key` pressed in whichever window has the focus, with Control held or not.
void press(UINT key, bool control = false) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(state);
    SendMessageW(GetFocus(), WM_KEYDOWN, key, 1);
}

// The bells the display has rung, once there are `count` of them (or what came within 10 s). The
// fields' MessageBeep rings the X bell, which count-bells.sh, running these tests, counts.
std::size_t bells(std::size_t count) {
    const HDC screen = GetDC(nullptr);
    GetPixel(screen, 0, 0);  // a round trip: the display has taken every bell rung before
    ReleaseDC(nullptr, screen);
    return test::linesOnceThere(test::onDriveZ(CORVANE_BELLS), count).size();
}

class IpAddressControlTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(registerIpAddressClass(instance), 0);
        window = CreateWindowExW(0, L"Static", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                 320, 160, nullptr, nullptr, instance, nullptr);
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostProc));
        control = makeControl(WS_TABSTOP | kCenter, 10);
        other = CreateWindowExW(0, L"Button", L"other", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 200, 70,
                                80, 24, window, nullptr, instance, nullptr);
        SetForegroundWindow(window);
        notifications.clear();
    }
    void TearDown() override {
        DestroyWindow(window);
        unregisterIpAddressClass(instance);
    }
    HWND makeControl(DWORD style, int y) {
        return CreateWindowExW(0, kIpAddressClass, L"", WS_CHILD | WS_VISIBLE | style, 10, y, 150,
                               24, window, reinterpret_cast<HMENU>(kControlId), instance, nullptr);
    }
    HWND field(int i) const { return GetDlgItem(control, i); }
    void fill(const std::vector<const wchar_t*>& texts) const {
        for (int i = 0; i < 4; ++i) {
            SetWindowTextW(field(i), texts[static_cast<std::size_t>(i)]);
        }
    }
    // The focused field and its selection ("-" when the focus is elsewhere), the address text and
    // the range messages so far, as "1:0-2|192.77.0.0|0".
    std::wstring seen() const {
        std::wstring caret = L"-";
        for (int i = 0; i < 4; ++i) {
            if (GetFocus() == field(i)) {
                const auto both = static_cast<DWORD>(SendMessageW(field(i), EM_GETSEL, 0, 0));
                caret = std::to_wstring(i) + L":" + std::to_wstring(LOWORD(both)) + L"-" +
                        std::to_wstring(HIWORD(both));
            }
        }
        char16_t text[kAddressTextChars];
        getAddressText(control, text);
        return caret + L"|" + reinterpret_cast<const wchar_t*>(text) + L"|" +
               std::to_wstring(boxes.texts.size());
    }
    // IPM_GETADDRESS's answer and the address it gives.
    std::pair<LRESULT, std::uint32_t> address() const {
        std::uint32_t value = 7;
        const LRESULT count =
            SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&value));
        return {count, value};
    }

    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND window = nullptr;
    HWND control = nullptr;
    HWND other = nullptr;
    test::MessageBoxCatcher boxes;
};

// A field is checked when it fills or the keyboard leaves it, not when a tap does; a field out of
// range then makes no address at all, never a byte of another one.
TEST_F(IpAddressControlTest, TypingCrossesFieldsAndTheRangeCheckHoldsAField) {
    EXPECT_EQ(SendMessageW(control, IPM_SETRANGE, 3, MAKEWORD(1, 200)), 1);
    SetWindowTextW(field(1), L"77");
    SendMessageW(control, IPM_SETFOCUS, 0, 0);
    type(L".192");
    EXPECT_EQ(seen(), L"1:0-2|192.77.0.0|0")
        << "a dot at the start is ignored; a full field selects the next";
    type(L"1a-0 2.201");
    EXPECT_EQ(seen() + L"|" + std::to_wstring(bells(2)), L"3:0-3|192.10.2.201|1|2")
        << "letters beep; 201 refused, kept and selected";
    EXPECT_EQ(boxes.texts, std::vector<std::wstring>{L"201 is not a valid entry. Specify a "
                                                     L"value between 1 and 200 for this field."});
    EXPECT_EQ(boxes.owners, std::vector{window});
    press(VK_LEFT, true);
    EXPECT_EQ(seen(), L"3:0-3|192.10.2.201|2") << "leaving by Ctrl+Left is refused the same way";
    type(L"3.");
    EXPECT_EQ(seen() + L"|" + std::to_wstring(bells(3)), L"3:1-1|192.10.2.3|2|3")
        << "a dot at the end of the last field beeps";
    press(VK_UP);
    EXPECT_EQ(seen(), L"3:0-0|192.10.2.3|2") << "Up moves as Left within a field";
    press(VK_LEFT);
    type(L"\b\b");  // the digit before the caret, then across taking the last digit before
    EXPECT_EQ(seen(), L"1:1-1|192.1.0.3|2");

    SetWindowTextW(field(2), L"300");
    SetFocus(field(2));
    SetFocus(other);  // the tap elsewhere
    EXPECT_EQ(seen(), L"-|192.1.300.3|2") << "unchecked: a text that fails the pages' check";
    EXPECT_EQ(address(), (std::pair<LRESULT, std::uint32_t>(-1, 0))) << "no address from 300";
    SetFocus(control);
    EXPECT_EQ(seen(), L"0:0-3|192.1.300.3|2") << "the control's own focus lands in field 0";
    EXPECT_EQ(notifications, (std::vector<WPARAM>{EN_SETFOCUS, EN_KILLFOCUS, EN_SETFOCUS}))
        << "once each way: no EN_CHANGE, nothing for moves between fields or range messages";
    EXPECT_EQ(SendMessageW(field(0), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
    setAddressText(control, u"0.0.0.0");
    EXPECT_EQ(seen(), L"0:0-0||2") << "a text the rule refuses clears the fields";
    Sleep(300);  // for a bell too many
    EXPECT_EQ(bells(3), 3u) << "no other key beeps";
}

// The keys cross into the next field only from the end of a field and into the one before only
// from its start, unless Control is held; Up and Down move as Left and Right. A key that leaves no
// field checks none.
TEST_F(IpAddressControlTest, KeysCrossFieldsWhereTheCaretAllows) {
    fill({L"10", L"20", L"30", L"400"});  // the last field left out of range by a tap
    SendMessageW(control, IPM_SETFOCUS, 1, 0);
    using Key = std::tuple<UINT, bool, const wchar_t*>;
    for (const auto& [key, ctrl, after] :
         {Key{VK_RIGHT, true, L"2:0-2"}, Key{VK_LEFT, true, L"1:0-2"},
          Key{VK_HOME, false, L"0:0-0"}, Key{VK_LEFT, false, L"0:0-0"},
          Key{VK_DOWN, false, L"0:1-1"}, Key{VK_DOWN, false, L"0:2-2"},
          Key{VK_DOWN, false, L"1:0-0"}, Key{VK_UP, false, L"0:2-2"}, Key{VK_END, false, L"3:3-3"},
          Key{VK_RIGHT, false, L"3:3-3"}}) {
        press(key, ctrl);
        EXPECT_EQ(seen(), std::wstring(after) + L"|10.20.30.400|0")
            << key << (ctrl ? " with Control" : "");
    }
    type(L"\b");
    press(VK_LEFT);
    press(VK_LEFT);
    type(L"5");
    EXPECT_EQ(seen(), L"3:1-1|10.20.30.540|0") << "a third digit before the end checks nothing";
}

TEST_F(IpAddressControlTest, MessagesReadAndChangeTheFields) {
    fill({L"10", L"", L"", L"1"});
    EXPECT_EQ(SendMessageW(control, IPM_SETRANGE, 4, MAKEWORD(50, 60)), 1);
    EXPECT_EQ(address(), (std::pair<LRESULT, std::uint32_t>(2, 0x0A000001)))
        << "blanks count as 0; there is no fifth field's range to set";
    EXPECT_EQ(SendMessageW(control, IPM_SETFOCUS, 4, 0), 1);
    EXPECT_EQ(seen(), L"1:0-0|10.0.0.1|0") << "the first blank field";
    EXPECT_EQ(SendMessageW(control, IPM_SETRANGE, 3, MAKEWORD(5, 20)), 1);
    EXPECT_EQ(address(), (std::pair<LRESULT, std::uint32_t>(-1, 0))) << "1 is below 5";
    fill({L"", L"", L"5", L""});
    EXPECT_EQ(SendMessageW(control, IPM_ISBLANK, 0, 0), 0);
    EXPECT_EQ(address(), (std::pair<LRESULT, std::uint32_t>(1, 0x500))) << "a blank is in range";
    fill({L"1", L"2", L"3", L"4"});
    SendMessageW(control, IPM_SETFOCUS, 9, 0);
    EXPECT_EQ(seen(), L"0:0-1|1.2.3.4|0") << "none blank: the first field";
    EXPECT_EQ(SendMessageW(control, IPM_SETADDRESS, 0, 0xC0A80114), 1);
    EXPECT_EQ(seen(), L"0:0-0|192.168.1.20|0");
    EXPECT_EQ(SendMessageW(control, IPM_CLEARADDRESS, 0, 0), 1);
    EXPECT_EQ(SendMessageW(control, IPM_ISBLANK, 0, 0), 1);
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
    for (const BOOL on : {TRUE, FALSE, TRUE}) {
        EnableWindow(control, on);
        EXPECT_EQ(std::tuple(dotColour(control), tabStop(control), IsWindowEnabled(field(3))),
                  std::tuple(GetSysColor(on ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT), on == TRUE, on));
    }

    // Without a tab stop it gains none; with leading zeros a field is padded when left.
    const HWND zeros = makeControl(kLeadingZeros | kRight, 60);
    EnableWindow(zeros, FALSE);
    EnableWindow(zeros, TRUE);
    EXPECT_FALSE(tabStop(zeros));
    EXPECT_NE(GetWindowLongW(GetDlgItem(zeros, 0), GWL_STYLE) & ES_RIGHT, 0);
    SendMessageW(zeros, IPM_SETFOCUS, 0, 0);
    type(L"7");
    SetFocus(other);
    EXPECT_EQ(windowText(GetDlgItem(zeros, 0)), L"007");
}

}  // namespace
}  // namespace corvane
