// The KV_IPAddress control as a real window under Wine: keys, range messages, beeps, the owner's
// notifications, the IPM_ messages and the drawing. Its text rules are proven natively on values.
#include "address_control/ip_address_control_win32.h"
#include "tests/windows/harness.h"
// After windows.h.
#include <commctrl.h>

#include "address_control/ip_address.h"

namespace corvane {
namespace {

constexpr int kControlId = 1003;
constexpr int kWithControl = 0x10000;  // added to a key for pressed(): Control held
std::vector<WPARAM> notifications;

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kControlId) {
        notifications.push_back(HIWORD(wParam));
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The bells the display has rung, once there are `count` of them (or what came within 10 s). The
// fields' MessageBeep rings the X bell, which count-bells.sh, running these tests, counts.
std::size_t bells(std::size_t count) {
    const HDC screen = GetDC(nullptr);
    GetPixel(screen, 0, 0);  // a round trip: the display has taken every bell rung before
    ReleaseDC(nullptr, screen);
    return test::linesOnceThere(test::onDriveZ(CORVANE_BELLS), count).size();
}

using Address = std::pair<LRESULT, std::uint32_t>;

class IpAddressControlTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(registerIpAddressClass(instance), 0);
        window = CreateWindowExW(0, L"Static", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                 320, 160, nullptr, nullptr, instance, nullptr);
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostProc));
        control = makeControl(WS_TABSTOP | 0x0004, 10);  // fields centred
        SetForegroundWindow(window);
        notifications.clear();
    }
    void TearDown() override {
        DestroyWindow(window);
        unregisterIpAddressClass(instance);
    }
    HWND makeControl(DWORD style, int y) const {
        return CreateWindowExW(0, kIpAddressClass, L"", WS_CHILD | WS_VISIBLE | style, 10, y, 150,
                               24, window, reinterpret_cast<HMENU>(kControlId), instance, nullptr);
    }
    HWND field(int i) const { return GetDlgItem(control, i); }
    void fill(const std::vector<const wchar_t*>& texts) const {
        for (int i = 0; i < 4; ++i) {
            SetWindowTextW(field(i), texts[static_cast<std::size_t>(i)]);
        }
    }
    // The focused field and selection ("-": none), the address text and the range messages so far.
    std::wstring seen() const {
        std::wstring caret = L"-";
        if (const HWND focus = GetFocus(); GetParent(focus) == control) {
            const auto both = static_cast<DWORD>(SendMessageW(focus, EM_GETSEL, 0, 0));
            caret = std::to_wstring(GetDlgCtrlID(focus)) + L":" + std::to_wstring(LOWORD(both)) +
                    L"-" + std::to_wstring(HIWORD(both));
        }
        char16_t text[kAddressTextChars];
        getAddressText(control, text);
        return caret + L"|" + reinterpret_cast<const wchar_t*>(text) + L"|" +
               std::to_wstring(boxes.texts.size());
    }
    // seen() once each character has gone as WM_CHAR to whichever window has the focus by then.
    std::wstring typed(std::wstring_view chars) const {
        for (const wchar_t c : chars) {
            SendMessageW(GetFocus(), WM_CHAR, c, 1);
        }
        return seen();
    }
    // seen() once `key` has been pressed in whichever window has the focus.
    std::wstring pressed(int key) const {
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = key & kWithControl ? 0x80 : 0;
        SetKeyboardState(state);
        SendMessageW(GetFocus(), WM_KEYDOWN, LOWORD(key), 1);
        return seen();
    }
    Address address() const {
        std::uint32_t value = 7;
        return {SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&value)), value};
    }

    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND window = nullptr;
    HWND control = nullptr;
    test::MessageBoxCatcher boxes;
};

// A field is checked when it fills or the keyboard leaves it, not when a tap does; a field out of
// range then makes no address at all, never a byte of another one.
TEST_F(IpAddressControlTest, TypingCrossesFieldsAndTheRangeCheckHoldsAField) {
    EXPECT_EQ(SendMessageW(control, IPM_SETRANGE, 3, MAKEWORD(1, 200)), 1);
    SetWindowTextW(field(1), L"77");
    SendMessageW(control, IPM_SETFOCUS, 0, 0);
    EXPECT_EQ(typed(L".192"), L"1:0-2|192.77.0.0|0") << "a leading dot ignored";
    EXPECT_EQ(typed(L"1a-0 2.201"), L"3:0-3|192.10.2.201|1") << "201 refused, kept and selected";
    EXPECT_EQ(pressed(VK_LEFT + kWithControl), L"3:0-3|192.10.2.201|2") << "refused again";
    EXPECT_EQ(boxes.texts.back(),
              L"201 is not a valid entry. Specify a value between 1 and 200 for this field.");
    EXPECT_EQ(boxes.owners, std::vector(2, window));
    EXPECT_EQ(typed(L"3."), L"3:1-1|192.10.2.3|2");
    EXPECT_EQ(pressed(VK_UP), L"3:0-0|192.10.2.3|2") << "Up moves as Left within a field";
    pressed(VK_LEFT);
    EXPECT_EQ(typed(L"\b\b"), L"1:1-1|192.1.0.3|2") << "across, taking the digit before";

    SetWindowTextW(field(2), L"300");
    SetFocus(field(2));
    SetFocus(window);  // the tap elsewhere
    EXPECT_EQ(seen(), L"-|192.1.300.3|2") << "unchecked: a text that fails the pages' check";
    SetFocus(control);
    EXPECT_EQ(seen(), L"0:0-3|192.1.300.3|2") << "the control's own focus lands in field 0";
    EXPECT_EQ(notifications, (std::vector<WPARAM>{EN_SETFOCUS, EN_KILLFOCUS, EN_SETFOCUS}))
        << "once each way: no EN_CHANGE, nothing for moves between fields or range messages";
    setAddressText(control, u"0.0.0.0");
    EXPECT_EQ(seen(), L"0:0-0||2") << "a text the rule refuses clears the fields";
    Sleep(300);  // for a bell too many
    EXPECT_EQ(bells(3), 3u) << "a letter, a hyphen, the dot at the end of the last field; no more";
}

// Without Control, keys cross into the next field only from a field's end and into the one before
// only from its start; Up and Down move as Left and Right. A key that leaves no field checks none.
TEST_F(IpAddressControlTest, KeysCrossFieldsWhereTheCaretAllowsAndMessagesActOnTheFields) {
    fill({L"10", L"20", L"30", L"400"});  // the last field left out of range by a tap
    SendMessageW(control, IPM_SETFOCUS, 1, 0);
    std::wstring carets;  // after each key in turn
    for (const int key : {VK_RIGHT + kWithControl, VK_LEFT + kWithControl, VK_HOME, VK_LEFT,
                          VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_END, VK_RIGHT}) {
        carets += pressed(key).substr(0, 5) + L" ";
    }
    EXPECT_EQ(carets + seen(),
              L"2:0-2 1:0-2 0:0-0 0:0-0 0:1-1 0:2-2 1:0-0 0:2-2 3:3-3 3:3-3 3:3-3|10.20.30.400|0");
    typed(L"\b");
    pressed(VK_LEFT);
    pressed(VK_LEFT);
    EXPECT_EQ(typed(L"5"), L"3:1-1|10.20.30.540|0") << "a third digit, but not at the end";

    fill({L"10", L"", L"", L"1"});
    EXPECT_EQ(SendMessageW(control, IPM_SETRANGE, 4, MAKEWORD(50, 60)), 1) << "no fifth field";
    EXPECT_EQ(address(), Address(2, 0x0A000001)) << "blanks count as 0";
    EXPECT_EQ(SendMessageW(control, IPM_SETFOCUS, 4, 0), 1);
    EXPECT_EQ(seen(), L"1:0-0|10.0.0.1|0") << "the first blank field";
    SendMessageW(control, IPM_SETRANGE, 3, MAKEWORD(5, 20));
    EXPECT_EQ(address(), Address(-1, 0)) << "1 is below 5";
    fill({L"", L"", L"5", L""});
    EXPECT_EQ(address(), Address(1, 0x500)) << "a blank is in range";
    EXPECT_EQ(SendMessageW(control, IPM_SETADDRESS, 0, 0xC0A80114), 1);
    SendMessageW(control, IPM_SETFOCUS, 9, 0);
    EXPECT_EQ(seen(), L"0:0-3|192.168.1.20|0") << "none blank: the first field";
    EXPECT_EQ(SendMessageW(control, IPM_CLEARADDRESS, 0, 0), 1);
}

// The darkest pixel between the first two fields: the dot's colour (smoothed edges are lighter).
COLORREF dotColour(HWND control) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT first{}, second{};
    GetWindowRect(GetDlgItem(control, 0), &first);
    GetWindowRect(GetDlgItem(control, 1), &second);
    const HDC screen = GetDC(nullptr);
    const auto level = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
    COLORREF darkest = RGB(255, 255, 255);
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
    const HWND zeros = makeControl(0x0008 | 0x0002, 60);  // leading zeros, fields right-aligned
    EnableWindow(zeros, FALSE);
    EnableWindow(zeros, TRUE);
    const auto align = [](HWND c) { return GetWindowLongW(GetDlgItem(c, 0), GWL_STYLE) & 3; };
    EXPECT_EQ(std::tuple(tabStop(zeros), align(control), align(zeros)),
              std::tuple(false, ES_CENTER, ES_RIGHT));
    SendMessageW(zeros, IPM_SETFOCUS, 0, 0);
    typed(L"7");
    SetFocus(window);
    EXPECT_EQ(test::windowText(GetDlgItem(zeros, 0)), L"007");
}

}  // namespace
}  // namespace corvane
