// The KV_IPAddress control as a real window under Wine, driven by the messages the keyboard sends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/ip_address.h"
#include "editor/ip_address_control_win32.h"
#include "tests/windows/editor/editor_harness.h"

namespace corvane {
namespace {

using test::selectionOf;
using test::type;
using test::windowText;

constexpr int kControlId = 1003;

std::vector<WPARAM>& notifications() {
    static std::vector<WPARAM> received;
    return received;
}

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kControlId) {
        notifications().push_back(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class IpAddressControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        instance = GetModuleHandleW(nullptr);
        ASSERT_NE(RegisterIpAddressClass(instance), 0);
        WNDCLASSW wc{};
        wc.lpfnWndProc = hostProc;
        wc.hInstance = instance;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"CorvaneAddressHost";
        RegisterClassW(&wc);
        host = CreateWindowExW(0, L"CorvaneAddressHost", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               50, 50, 320, 160, nullptr, nullptr, instance, nullptr);
        ASSERT_NE(host, nullptr);
        control = makeControl(WS_TABSTOP | kIpsCenter, 10);
        other = CreateWindowExW(0, L"Button", L"other", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 200, 70,
                                80, 24, host, reinterpret_cast<HMENU>(1), instance, nullptr);
        SetForegroundWindow(host);
        SetActiveWindow(host);
        UpdateWindow(host);
        notifications().clear();
    }
    void TearDown() override {
        DestroyWindow(host);
        UnregisterIpAddressClass(instance);
        UnregisterClassW(L"CorvaneAddressHost", instance);
    }
    HWND makeControl(DWORD style, int y) {
        return CreateWindowExW(0, kIpAddressClass, L"", WS_CHILD | WS_VISIBLE | style, 10, y, 150,
                               24, host, reinterpret_cast<HMENU>(kControlId), instance, nullptr);
    }
    HWND field(int i) const { return GetDlgItem(control, i); }
    void setFields(const wchar_t* a, const wchar_t* b, const wchar_t* c, const wchar_t* d) {
        SetWindowTextW(field(0), a);
        SetWindowTextW(field(1), b);
        SetWindowTextW(field(2), c);
        SetWindowTextW(field(3), d);
    }
    std::wstring addressText() {
        char16_t buffer[kAddressTextChars];
        GetAddressText(control, buffer);
        return reinterpret_cast<const wchar_t*>(buffer);
    }

    HINSTANCE instance = nullptr;
    HWND host = nullptr;
    HWND control = nullptr;
    HWND other = nullptr;
};

TEST_F(IpAddressControlTest, DigitsAdvanceAndTheRangeCheckHoldsTheField) {
    test::MessageBoxCatcher boxes;
    SetWindowTextW(field(1), L"77");
    SendMessageW(control, IPM_SETFOCUS, 0, 0);
    ASSERT_EQ(GetFocus(), field(0));

    type(L"192");
    EXPECT_EQ(windowText(field(0)), L"192");
    EXPECT_EQ(GetFocus(), field(1));
    EXPECT_EQ(selectionOf(field(1)), std::make_pair(0, 2)) << "the next field's text selected";
    EXPECT_TRUE(boxes.boxes.empty());

    type(L"300");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text,
              L"300 is not a valid entry. Specify a value between 0 and 255 for this field.");
    EXPECT_EQ(boxes.boxes[0].caption, L"Corvane");
    EXPECT_EQ(boxes.boxes[0].owner, host);
    EXPECT_EQ(windowText(field(1)), L"300");
    EXPECT_EQ(GetFocus(), field(1));
    EXPECT_EQ(selectionOf(field(1)), std::make_pair(0, 3));

    // Leaving by Ctrl+Right is refused the same way; a corrected value moves on.
    {
        test::ControlHeld ctrl;
        test::pressKey(field(1), VK_RIGHT);
    }
    EXPECT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(GetFocus(), field(1));
    type(L"25");
    type(L"5");
    EXPECT_EQ(GetFocus(), field(2));
    EXPECT_EQ(windowText(field(1)), L"255");
    EXPECT_EQ(boxes.boxes.size(), 2u);
}

TEST_F(IpAddressControlTest, DotsSpacesLettersAndControlCharacters) {
    test::BeepCounter beeps;
    SendMessageW(control, IPM_SETFOCUS, 0, 0);
    type(L".");
    EXPECT_EQ(GetFocus(), field(0)) << "a dot at the start of an empty field is ignored";
    EXPECT_EQ(beeps.beeps(), 0);
    type(L"10.");
    EXPECT_EQ(GetFocus(), field(1));
    EXPECT_EQ(windowText(field(0)), L"10");
    type(L"a");
    type(L"-");
    EXPECT_EQ(beeps.beeps(), 2);
    EXPECT_EQ(windowText(field(1)), L"") << "letters are not inserted";
    type(L"1 2.3");
    EXPECT_EQ(windowText(field(1)), L"1");
    EXPECT_EQ(windowText(field(2)), L"2");
    EXPECT_EQ(windowText(field(3)), L"3");
    EXPECT_EQ(GetFocus(), field(3));
    EXPECT_EQ(beeps.beeps(), 2);
    type(L".");
    EXPECT_EQ(beeps.beeps(), 3) << "a dot at the end of the last field beeps";
    EXPECT_EQ(windowText(field(3)), L"3");
    EXPECT_EQ(addressText(), L"10.1.2.3");

    // Ctrl+V (22) reaches the edit: pasted text is not filtered and reads by its leading digits.
    ASSERT_TRUE(OpenClipboard(host));
    EmptyClipboard();
    const wchar_t pasted[] = L"12x";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(pasted));
    memcpy(GlobalLock(memory), pasted, sizeof(pasted));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(field(3), EM_SETSEL, 0, -1);
    type(std::wstring(1, wchar_t(22)));
    EXPECT_EQ(windowText(field(3)), L"12x");
    EXPECT_EQ(addressText(), L"10.1.2.12");
}

TEST_F(IpAddressControlTest, BackspaceArrowsHomeAndEndCrossFields) {
    setFields(L"10", L"23", L"", L"4");
    // Backspace at the start of the third field deletes the last character of the second.
    SetFocus(field(2));
    type(L"\b");
    EXPECT_EQ(GetFocus(), field(1));
    EXPECT_EQ(windowText(field(1)), L"2");
    // At the start of the first field it is the edit's own (nothing to delete).
    SetFocus(field(0));
    SendMessageW(field(0), EM_SETSEL, 0, 0);
    type(L"\b");
    EXPECT_EQ(GetFocus(), field(0));
    EXPECT_EQ(windowText(field(0)), L"10");

    // Down at the end of a field moves like Right; Up at the start like Left.
    SendMessageW(field(0), EM_SETSEL, 2, 2);
    test::pressKey(field(0), VK_DOWN);
    EXPECT_EQ(GetFocus(), field(1));
    EXPECT_EQ(selectionOf(field(1)), std::make_pair(0, 0));
    test::pressKey(field(1), VK_UP);
    EXPECT_EQ(GetFocus(), field(0));
    EXPECT_EQ(selectionOf(field(0)), std::make_pair(2, 2));
    test::pressKey(field(0), VK_LEFT);
    EXPECT_EQ(selectionOf(field(0)), std::make_pair(1, 1)) << "inside a field the edit moves";

    {
        test::ControlHeld ctrl;
        SetFocus(field(1));
        test::pressKey(field(1), VK_RIGHT);
        EXPECT_EQ(GetFocus(), field(2));
        SetWindowTextW(field(2), L"99");
        test::pressKey(field(2), VK_RIGHT);
        EXPECT_EQ(GetFocus(), field(3));
        EXPECT_EQ(selectionOf(field(3)), std::make_pair(0, 1)) << "the whole field selected";
        test::pressKey(field(3), VK_LEFT);
        EXPECT_EQ(GetFocus(), field(2));
    }
    test::pressKey(field(2), VK_HOME);
    EXPECT_EQ(GetFocus(), field(0));
    EXPECT_EQ(selectionOf(field(0)), std::make_pair(0, 0));
    test::pressKey(field(0), VK_END);
    EXPECT_EQ(GetFocus(), field(3));
    EXPECT_EQ(selectionOf(field(3)), std::make_pair(1, 1));
}

TEST_F(IpAddressControlTest, AddressMessages) {
    setFields(L"10", L"", L"", L"1");
    std::uint32_t address = 0;
    EXPECT_EQ(SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)), 2);
    EXPECT_EQ(address, 0x0A000001u);
    EXPECT_EQ(addressText(), L"10.0.0.1");
    EXPECT_EQ(SendMessageW(control, IPM_ISBLANK, 0, 0), 0);

    setFields(L"0", L"0", L"0", L"0");
    EXPECT_EQ(addressText(), L"0.0.0.0");
    char16_t text[kAddressTextChars];
    GetAddressText(control, text);
    EXPECT_FALSE(IsValidAddressText(text, true));

    EXPECT_EQ(SendMessageW(control, IPM_CLEARADDRESS, 0, 0), 1);
    EXPECT_EQ(SendMessageW(control, IPM_ISBLANK, 0, 0), 1);
    EXPECT_EQ(addressText(), L"");

    EXPECT_EQ(SendMessageW(control, IPM_SETADDRESS, 0, 0xC0A80114), 1);
    EXPECT_EQ(windowText(field(0)), L"192");
    EXPECT_EQ(windowText(field(3)), L"20");

    SetAddressText(control, u"010.001.000.255");
    EXPECT_EQ(windowText(field(0)), L"10");
    EXPECT_EQ(windowText(field(1)), L"1");
    EXPECT_EQ(windowText(field(2)), L"0");
    EXPECT_EQ(windowText(field(3)), L"255");
    for (const char16_t* blank : {u"0.0.0.0", u"10.1.2", u"1.2.3.4.5", u" 1.2.3.4", u"1.2.3.256"}) {
        SetAddressText(control, u"1.2.3.4");
        SetAddressText(control, blank);
        EXPECT_EQ(SendMessageW(control, IPM_ISBLANK, 0, 0), 1);
    }

    setFields(L"10", L"", L"5", L"");
    EXPECT_EQ(SendMessageW(control, IPM_SETFOCUS, 4, 0), 1);
    EXPECT_EQ(GetFocus(), field(1)) << "the first blank field";
    SendMessageW(control, IPM_SETFOCUS, 2, 0);
    EXPECT_EQ(GetFocus(), field(2));
    EXPECT_EQ(selectionOf(field(2)), std::make_pair(0, 1));

    // A narrowed range is what the check and the message name.
    test::MessageBoxCatcher boxes;
    EXPECT_EQ(SendMessageW(control, IPM_SETRANGE, 3, MAKEWORD(1, 200)), 1);
    EXPECT_EQ(SendMessageW(control, IPM_SETRANGE, 4, MAKEWORD(9, 9)), 1);
    SetWindowTextW(field(3), L"");
    SetFocus(field(3));
    type(L"201");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text,
              L"201 is not a valid entry. Specify a value between 1 and 200 for this field.");
    EXPECT_EQ(SendMessageW(field(0), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

// A field left by a tap keeps a value of 256 to 999; it must not become another address.
TEST_F(IpAddressControlTest, OutOfRangeFieldLeftByATapIsNeverAByte) {
    test::MessageBoxCatcher boxes;
    SendMessageW(control, IPM_SETFOCUS, 0, 0);
    type(L"10.30");
    test::pressKey(field(1), VK_LEFT);
    type(L"0");  // "300" with the caret at 2: no range check yet
    EXPECT_EQ(windowText(field(1)), L"300");
    SetFocus(other);  // the tap elsewhere
    EXPECT_TRUE(boxes.boxes.empty());
    SetWindowTextW(field(3), L"1");

    std::uint32_t address = 0x12345678;
    EXPECT_EQ(SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)),
              kAddressOutOfRange);
    EXPECT_EQ(address, 0u) << "not 10.44.0.1 nor 11.44.0.1";
    EXPECT_EQ(addressText(), L"10.300.0.1");
    char16_t text[kAddressTextChars];
    GetAddressText(control, text);
    EXPECT_FALSE(IsValidAddressText(text, true));
}

TEST_F(IpAddressControlTest, FocusNotificationsReachTheOwnerOnceEach) {
    test::MessageBoxCatcher boxes;
    SendMessageW(control, IPM_SETFOCUS, 0, 0);
    type(L"1.2.3");
    SetFocus(field(0));
    // The range message takes the focus without telling the owner the control lost it.
    SetFocus(field(3));
    type(L"999");
    EXPECT_EQ(boxes.boxes.size(), 1u);
    SetFocus(other);
    ASSERT_EQ(notifications().size(), 2u) << "no EN_CHANGE, no moves between fields";
    EXPECT_EQ(HIWORD(notifications()[0]), EN_SETFOCUS);
    EXPECT_EQ(HIWORD(notifications()[1]), EN_KILLFOCUS);
    // Focusing the control itself lands in the first field with its text selected.
    SetFocus(control);
    EXPECT_EQ(GetFocus(), field(0));
    EXPECT_EQ(selectionOf(field(0)), std::make_pair(0, 1));
    EXPECT_EQ(notifications().size(), 3u);
}

// The darkest pixel between the first two fields as the screen shows it: the dot's colour (the
// font may be smoothed, so its edges are lighter).
COLORREF dotColour(HWND control) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT first{};
    RECT second{};
    GetWindowRect(GetDlgItem(control, 0), &first);
    GetWindowRect(GetDlgItem(control, 1), &second);
    HDC screen = GetDC(nullptr);
    COLORREF darkest = RGB(255, 255, 255);
    const auto level = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
    for (int x = first.right; x < second.left; ++x) {
        for (int y = first.top; y < first.bottom; ++y) {
            const COLORREF pixel = GetPixel(screen, x, y);
            if (level(pixel) < level(darkest)) {
                darkest = pixel;
            }
        }
    }
    ReleaseDC(nullptr, screen);
    return darkest;
}

TEST_F(IpAddressControlTest, DisablingGreysTheDotsAndLeavesTheTabOrder) {
    EXPECT_EQ(dotColour(control), GetSysColor(COLOR_WINDOWTEXT));
    EnableWindow(control, FALSE);
    EXPECT_EQ(GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP, 0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(IsWindowEnabled(field(i)));
    }
    EXPECT_EQ(dotColour(control), GetSysColor(COLOR_GRAYTEXT));
    EnableWindow(control, TRUE);
    EXPECT_NE(GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_TRUE(IsWindowEnabled(field(2)));
    EXPECT_EQ(dotColour(control), GetSysColor(COLOR_WINDOWTEXT));

    // A control created without a tab stop does not gain one.
    HWND plain = makeControl(0, 60);
    EnableWindow(plain, FALSE);
    EnableWindow(plain, TRUE);
    EXPECT_EQ(GetWindowLongW(plain, GWL_STYLE) & WS_TABSTOP, 0);
}

TEST_F(IpAddressControlTest, LeadingZerosStyleAndRightAlignment) {
    HWND zeros = makeControl(kIpsLeadingZeros | kIpsRight, 60);
    HWND first = GetDlgItem(zeros, 0);
    HWND second = GetDlgItem(zeros, 1);
    EXPECT_NE(GetWindowLongW(first, GWL_STYLE) & ES_RIGHT, 0);
    SendMessageW(zeros, IPM_SETFOCUS, 0, 0);
    type(L"7.");
    EXPECT_EQ(windowText(first), L"007");
    type(L"42");
    SetFocus(other);
    EXPECT_EQ(windowText(second), L"042") << "padded when the field loses the focus";
    EXPECT_EQ(windowText(GetDlgItem(zeros, 2)), L"") << "empty fields stay empty";
    // Without the style nothing is padded.
    SendMessageW(control, IPM_SETFOCUS, 0, 0);
    type(L"7.");
    EXPECT_EQ(windowText(field(0)), L"7");
}

}  // namespace
}  // namespace corvane
