// The "Network Settings" sheet as real windows under Wine: a modal dialog, its tabs, pages and
// their wiring to the record, its keyboard, and a quit request that arrives while it is open. What
// each page shows, checks and stores is proven natively on values.
#include "tests/windows/harness.h"
// After windows.h.
#include <commctrl.h>

#include "address_control/ip_address_control_win32.h"
#include "resources/resource.h"
#include "settings_editor/settings_sheet_win32.h"

namespace corvane {
namespace {

void press(UINT key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 0);
}

class SettingsSheetTest : public testing::Test, public test::Handheld {
  protected:
    void SetUp() override {
        owner =
            CreateWindowExW(0, L"Static", L"Network Profiles", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                            0, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(owner);
        setDefaults(record);
    }
    void TearDown() override { DestroyWindow(owner); }
    // True when the sheet, run with one step a tick inside its modal loop, was confirmed.
    bool run(std::vector<std::function<void()>> steps) {
        const test::Steps driver(std::move(steps));
        const bool confirmed = runSettingsSheet(windows, owner, record);
        WNDCLASSW info{};
        EXPECT_EQ(std::tuple(sheet(), IsWindowEnabled(owner),
                             GetClassInfoW(GetModuleHandleW(nullptr), kIpAddressClass, &info)),
                  std::tuple(nullptr, TRUE, FALSE))
            << "gone, the owner enabled again, and the address class only lived as long";
        return confirmed;
    }
    static HWND sheet() { return FindWindowW(L"#32770", L"Network Settings"); }
    HWND tabs() const { return GetDlgItem(sheet(), IDC_TABS); }
    HWND page(int index) const {
        TCITEMW item{};
        item.mask = TCIF_PARAM;
        SendMessageW(tabs(), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
        return reinterpret_cast<HWND>(item.lParam);
    }
    // True when page `shown` is the selected, visible one with the focus, and every other page is
    // hidden.
    bool onlyPageShown(int shown) const {
        bool only =
            IsChild(page(shown), GetFocus()) && SendMessageW(tabs(), TCM_GETCURSEL, 0, 0) == shown;
        for (int i = 0; i < 4; ++i) {
            only = only && ((GetWindowLongW(page(i), GWL_STYLE) & WS_VISIBLE) != 0) == (i == shown);
        }
        return only;
    }

    NetSettings record{};
    HWND owner = nullptr;
    test::MessageBoxCatcher boxes;
};

TEST_F(SettingsSheetTest, OpensOnLogonSwitchesWithoutCheckingAndARefusalShowsItsPage) {
    const test::HelpRequests help;
    record.dhcpEnabled = 0;  // a blank address that OK refuses
    copyText(record.userName, u"kd");
    EXPECT_FALSE(run({[&] {
                          EXPECT_TRUE(onlyPageShown(0));
                          EXPECT_FALSE(IsWindowEnabled(owner));
                          EXPECT_EQ(GetFocus(), GetDlgItem(page(0), IDC_USER_NAME));
                          EXPECT_EQ(test::windowText(GetFocus()), L"kd");
                          press(VK_TAB);  // through the page first: to the domain
                      },
                      [&] {
                          EXPECT_EQ(GetFocus(), GetDlgItem(page(0), IDC_DOMAIN));
                          press(VK_TAB);  // to OK
                          press(VK_TAB);  // and round into the page again
                      },
                      [&] {
                          EXPECT_EQ(GetFocus(), GetDlgItem(page(0), IDC_USER_NAME));
                          for (int i : {1, 2, 3, 1, 0}) {
                              SendMessageW(tabs(), TCM_SETCURFOCUS, i, 0);  // as a tap does
                              EXPECT_TRUE(onlyPageShown(i)) << "tab " << i;
                          }
                          for (const HWND asked : {sheet(), page(2)}) {
                              SendMessageW(asked, WM_HELP, 0, 0);  // a page's own help too
                          }
                          SetDlgItemTextW(page(0), IDC_USER_NAME, L"new user");
                          SendMessageW(tabs(), TCM_SETCURFOCUS, 3, 0);
                          SendMessageW(sheet(), WM_COMMAND, IDOK, 0);
                          EXPECT_EQ(boxes.texts, std::vector<std::wstring>{
                                                     L"Invalid IP address or subnet mask \"\"."});
                          EXPECT_EQ(boxes.owners, std::vector{sheet()});
                          EXPECT_EQ(textOf(record.userName), u"new user") << "Logon saved first";
                          EXPECT_TRUE(onlyPageShown(1));
                          EXPECT_EQ(GetFocus(), GetDlgItem(GetDlgItem(page(1), IDC_IP_ADDRESS), 0))
                              << "the caret in the address's first field";
                          test::command(sheet(), IDCANCEL);
                      }}));
    EXPECT_EQ(GetFocus(), owner);
    EXPECT_EQ(help.once(2), std::vector<std::wstring>(2, L"corvane.htm#profiles"));
}

// Enter typed in a page's field confirms, as in any dialog, and OK is the default button; every
// page is read back, those never shown included. A quit request ends the sheet unconfirmed and is
// passed on to the application's own loop; the close box and Escape cancel.
TEST_F(SettingsSheetTest, EnterSavesEveryPageAQuitTheCloseBoxAndEscapeLeaveItUnconfirmed) {
    copyText(record.dns1, u"10.0.0.2");
    EXPECT_TRUE(run({[&] {
        const HWND ip = page(1);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(ip, IDC_IP_ADDRESS)));
        SendMessageW(ip, WM_COMMAND, MAKEWPARAM(IDC_SPECIFY_ADDRESS, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(ip, IDC_SPECIFY_ADDRESS)));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(ip, IDC_IP_ADDRESS)));
        setAddressText(GetDlgItem(ip, IDC_IP_ADDRESS), u"192.168.1.20");
        setAddressText(GetDlgItem(ip, IDC_SUBNET_MASK), u"255.255.255.0");
        CheckDlgButton(page(3), IDC_USE_PROXY, BST_CHECKED);
        SetDlgItemTextW(page(3), IDC_PROXY_SERVER, L"proxy.example");
        EXPECT_TRUE(GetWindowLongW(GetDlgItem(sheet(), IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
        press(VK_RETURN);
    }}));
    EXPECT_EQ(std::tuple(textOf(record.ipAddress), textOf(record.dns1), textOf(record.proxyServer)),
              std::tuple(u"192.168.1.20", u"10.0.0.2", u"proxy.example"));

    // The dialog's own loop ends on it with the result IDOK.
    EXPECT_FALSE(run({[] { PostQuitMessage(7); }}));
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(run({[&] { SendMessageW(sheet(), WM_SYSCOMMAND, SC_CLOSE, 0); }}));
    EXPECT_FALSE(run({[] { press(VK_ESCAPE); }}));
}

}  // namespace
}  // namespace corvane
