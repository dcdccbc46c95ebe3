// The "Network Settings" sheet as real windows under Wine: its tabs, pages, keys and a quit request
// while it is open. What each page shows, checks and stores is proven natively on values.
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

HWND sheet() {
    return FindWindowW(L"#32770", L"Network Settings");
}

HWND page(int index) {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    SendDlgItemMessageW(sheet(), IDC_TABS, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return reinterpret_cast<HWND>(item.lParam);
}

// True when page `shown` is the selected tab's, holds the focus, and is the only one visible.
bool onlyPageShown(int shown) {
    bool only = IsChild(page(shown), GetFocus()) &&
                SendDlgItemMessageW(sheet(), IDC_TABS, TCM_GETCURSEL, 0, 0) == shown;
    for (int i = 0; i < 4; ++i) {
        only = only && ((GetWindowLongW(page(i), GWL_STYLE) & WS_VISIBLE) != 0) == (i == shown);
    }
    return only;
}

// Tab goes through a page and the sheet's buttons; tabs switch without checking; OK asks every page
// in turn, and a refusal shows its page; Enter in a page's field confirms, as in any dialog. A quit
// request ends the sheet unconfirmed and is passed on to the application's own loop.
TEST(SettingsSheetTest, KeysTabsHelpARefusalShowingItsPageEnterQuitAndEscape) {
    test::Handheld handheld;
    test::MessageBoxCatcher boxes;
    const test::HelpRequests help;
    const HWND owner =
        CreateWindowExW(0, L"Static", L"Network Profiles", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                        300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(owner);
    NetSettings record;
    setDefaults(record);
    // True when the sheet, run with one step a tick inside its modal loop, was confirmed.
    const auto run = [&](std::vector<std::function<void()>> steps) {
        const test::Steps driver(std::move(steps));
        const bool confirmed = runSettingsSheet(handheld.windows, owner, record);
        WNDCLASSW info{};
        EXPECT_EQ(std::tuple(sheet(), IsWindowEnabled(owner), GetFocus(),
                             GetClassInfoW(GetModuleHandleW(nullptr), kIpAddressClass, &info)),
                  std::tuple(nullptr, TRUE, owner, FALSE))
            << "gone, the owner enabled and focused again, the address class only lived as long";
        return confirmed;
    };
    copyText(record.userName, u"kd");
    const auto ip = [&](int id) { return GetDlgItem(page(1), id); };
    EXPECT_TRUE(run(
        {[&] {
             EXPECT_TRUE(onlyPageShown(0));
             EXPECT_EQ(test::windowText(GetFocus()), L"kd") << "the user name";
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
                 SendDlgItemMessageW(sheet(), IDC_TABS, TCM_SETCURFOCUS, i, 0);  // as a tap does
                 EXPECT_TRUE(onlyPageShown(i)) << "tab " << i;
             }
             SendMessageW(sheet(), WM_HELP, 0, 0);
             SendMessageW(page(2), WM_HELP, 0, 0);  // a page's own help too
             SetDlgItemTextW(page(0), IDC_USER_NAME, L"new user");
             EXPECT_FALSE(IsWindowEnabled(ip(IDC_IP_ADDRESS)));
             SendMessageW(page(1), WM_COMMAND, IDC_SPECIFY_ADDRESS, 0);  // as a click does
             EXPECT_TRUE(IsWindowEnabled(ip(IDC_IP_ADDRESS)));
             CheckDlgButton(page(3), IDC_USE_PROXY, BST_CHECKED);
             SetDlgItemTextW(page(3), IDC_PROXY_SERVER, L"proxy.example");
             SendDlgItemMessageW(sheet(), IDC_TABS, TCM_SETCURFOCUS, 3, 0);
             SendMessageW(sheet(), WM_COMMAND, IDOK, 0);  // the address left blank
             EXPECT_EQ(boxes.texts,
                       std::vector<std::wstring>{L"Invalid IP address or subnet mask \"\"."});
             EXPECT_EQ(boxes.owners, std::vector{sheet()});
             EXPECT_EQ(textOf(record.userName), u"new user") << "Logon saved first";
             EXPECT_TRUE(onlyPageShown(1));
             EXPECT_EQ(GetFocus(), GetDlgItem(ip(IDC_IP_ADDRESS), 0))
                 << "the caret in the address's first field";
             setAddressText(ip(IDC_IP_ADDRESS), u"192.168.1.20");
             setAddressText(ip(IDC_SUBNET_MASK), u"255.255.255.0");
             EXPECT_TRUE(GetWindowLongW(GetDlgItem(sheet(), IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
             press(VK_RETURN);
         }}));
    EXPECT_EQ(help.once(2), std::vector<std::wstring>(2, L"corvane.htm#profiles"));
    EXPECT_EQ(std::tuple(record.dhcpEnabled, textOf(record.ipAddress), textOf(record.proxyServer)),
              std::tuple(0u, u"192.168.1.20", u"proxy.example"));

    // The dialog's own loop ends on it with the result IDOK.
    EXPECT_FALSE(run({[] { PostQuitMessage(7); }}));
    MSG msg{};
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && msg.wParam == 7);
    EXPECT_FALSE(run({[] { press(VK_ESCAPE); }}));
    DestroyWindow(owner);
}

}  // namespace
}  // namespace corvane
