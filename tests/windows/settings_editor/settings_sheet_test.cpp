// The "Network Settings" sheet as real windows under Wine: its loop, tabs, pages, confirmation,
// cancel and a quit request that arrives while it is open.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "address_control/ip_address_control_win32.h"
#include "core/app_state.h"
#include "core/net_settings.h"
#include "core/text.h"
#include "platform/handles_win32.h"
#include "resources/resource.h"
#include "settings_editor/settings_pages.h"
#include "settings_editor/settings_sheet_win32.h"
#include "tests/support/device.h"
#include "tests/windows/harness.h"

namespace corvane {
namespace {

using Step = std::function<void(SettingsSheet&)>;

HWND tabsOf(const SettingsSheet& sheet) {
    return GetDlgItem(sheet.sheetWindow, IDC_TABS);
}

HWND pageOf(const SettingsSheet& sheet, int index) {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    SendMessageW(tabsOf(sheet), TCM_GETITEMW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
    return reinterpret_cast<HWND>(item.lParam);
}

// Selects a tab the way a tap does, with the tab control's notifications.
void tapTab(const SettingsSheet& sheet, int index) {
    SendMessageW(tabsOf(sheet), TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
}

// True when page `shown` is the current, visible one and every other page is hidden.
bool onlyPageShown(const SettingsSheet& sheet, int shown) {
    bool only = sheet.currentPage == pageOf(sheet, shown) &&
                SendMessageW(tabsOf(sheet), TCM_GETCURSEL, 0, 0) == shown;
    for (int i = 0; i < 4; ++i) {
        only = only && (IsWindowVisible(pageOf(sheet, i)) != FALSE) == (i == shown);
    }
    return only;
}

void command(const SettingsSheet& sheet, WPARAM id) {
    SendMessageW(sheet.sheetWindow, WM_COMMAND, id, 0);
}

class SettingsSheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        state.hInstance = toRef(instance);
        state.system = &system;
        state.helpProgram = kHelpProgram;
        owner = CreateWindowExW(0, L"Static", L"Network Profiles", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                0, 0, 300, 200, nullptr, nullptr, instance, nullptr);
        ASSERT_NE(owner, nullptr);
        SetForegroundWindow(owner);
        setDefaults(record);
    }
    void TearDown() override { DestroyWindow(owner); }

    // Runs the sheet, one step a tick inside its own loop.
    bool run(std::vector<Step> steps) {
        SettingsSheet sheet(state, &record);
        std::vector<std::function<void()>> bound;
        for (Step& step : steps) {
            bound.push_back([&sheet, step] { step(sheet); });
        }
        test::Steps driver(bound, [&sheet] { command(sheet, IDCANCEL); });
        const bool confirmed = sheet.Run(owner);
        EXPECT_TRUE(driver.allRan());
        EXPECT_EQ(sheet.sheetWindow, nullptr);
        return confirmed;
    }

    FakeSystem system;
    AppState state;
    NetSettings record{};
    HWND owner = nullptr;
};

TEST_F(SettingsSheetTest, OpensOnLogonWithTheOwnerDisabledAndSwitchesWithoutChecking) {
    test::MessageBoxCatcher boxes;
    record.dhcpEnabled = 0;  // a blank address that OK would refuse
    copyText(record.userName, u"kd");
    const bool confirmed = run({
        [&](SettingsSheet& sheet) {
            EXPECT_FALSE(IsWindowEnabled(owner));
            EXPECT_EQ(SendMessageW(tabsOf(sheet), TCM_GETITEMCOUNT, 0, 0), 4);
            EXPECT_TRUE(onlyPageShown(sheet, 0));
            EXPECT_EQ(GetFocus(), GetDlgItem(pageOf(sheet, 0), IDC_USER_NAME));
            EXPECT_EQ(test::windowText(GetFocus()), L"kd");
            // Tab goes through the page first: from the user name to the domain.
            PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        },
        [&](SettingsSheet& sheet) {
            EXPECT_EQ(GetFocus(), GetDlgItem(pageOf(sheet, 0), IDC_DOMAIN));
            for (int i : {1, 2, 3, 1, 0}) {
                tapTab(sheet, i);
                EXPECT_TRUE(onlyPageShown(sheet, i)) << "tab " << i;
            }
            EXPECT_TRUE(boxes.boxes.empty()) << "switching never checks";
            SendMessageW(sheet.sheetWindow, WM_HELP, 0, 0);
            command(sheet, IDCANCEL);
        },
    });
    EXPECT_FALSE(confirmed);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetFocus(), owner);
    ASSERT_EQ(system.started.size(), 1u);
    EXPECT_EQ(system.started[0].second, u"corvane.htm#profiles");
    WNDCLASSW info{};
    EXPECT_FALSE(GetClassInfoW(GetModuleHandleW(nullptr), kIpAddressClass, &info))
        << "the address class lives only as long as the sheet";
}

TEST_F(SettingsSheetTest, RefusedConfirmationShowsTheIpPageAndCancelReturnsFalse) {
    test::MessageBoxCatcher boxes;
    record.dhcpEnabled = 0;
    const bool confirmed = run({
        [&](SettingsSheet& sheet) {
            SetDlgItemTextW(pageOf(sheet, 0), IDC_USER_NAME, L"new user");
            tapTab(sheet, 3);
            command(sheet, IDOK);
            EXPECT_NE(sheet.sheetWindow, nullptr) << "the sheet stays open";
            ASSERT_EQ(boxes.boxes.size(), 1u);
            EXPECT_EQ(boxes.boxes[0].text, L"Invalid IP address or subnet mask \"\".");
            EXPECT_EQ(boxes.boxes[0].owner, sheet.sheetWindow);
            EXPECT_EQ(textOf(record.userName), u"new user") << "Logon was saved first";
            EXPECT_TRUE(onlyPageShown(sheet, 1));
            HWND address = GetDlgItem(pageOf(sheet, 1), IDC_IP_ADDRESS);
            EXPECT_EQ(GetFocus(), GetDlgItem(address, 0)) << "the caret in the first field";
        },
        [&](SettingsSheet& sheet) { command(sheet, IDCANCEL); },
    });
    EXPECT_FALSE(confirmed);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(SettingsSheetTest, ConfirmationSavesEveryPageAndReturnsTrue) {
    test::MessageBoxCatcher boxes;
    record.dhcpEnabled = 1;
    copyText(record.dns1, u"10.0.0.2");
    const bool confirmed = run({
        [&](SettingsSheet& sheet) {
            HWND ip = pageOf(sheet, 1);
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(ip, IDC_IP_ADDRESS)));
            // "Specify an IP Address" and real typing into the address control.
            SendMessageW(ip, WM_COMMAND, MAKEWPARAM(IDC_SPECIFY_ADDRESS, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(ip, IDC_SPECIFY_ADDRESS)));
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(ip, IDC_IP_ADDRESS)));
            tapTab(sheet, 1);
            SendDlgItemMessageW(ip, IDC_IP_ADDRESS, IPM_SETFOCUS, 0, 0);
            test::type(L"192.168.1.20");
            SendDlgItemMessageW(ip, IDC_SUBNET_MASK, IPM_SETFOCUS, 0, 0);
            test::type(L"255.255.255.0");
            SetAddressText(GetDlgItem(pageOf(sheet, 2), IDC_WINS1), u"10.0.0.7");
            HWND proxy = pageOf(sheet, 3);
            CheckDlgButton(proxy, IDC_USE_PROXY, BST_CHECKED);
            SetDlgItemTextW(proxy, IDC_PROXY_SERVER, L"proxy.example");
            SetDlgItemTextW(proxy, IDC_PROXY_PORT, L"8080");
            command(sheet, IDOK);
        },
    });
    EXPECT_TRUE(confirmed);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(record.dhcpEnabled, 0u);
    EXPECT_EQ(textOf(record.ipAddress), u"192.168.1.20");
    EXPECT_EQ(textOf(record.subnetMask), u"255.255.255.0");
    EXPECT_EQ(textOf(record.dns1), u"10.0.0.2") << "a page never shown keeps its values";
    EXPECT_EQ(textOf(record.wins1), u"10.0.0.7");
    EXPECT_EQ(record.useProxy, 1u);
    EXPECT_EQ(textOf(record.proxyServer), u"proxy.example");
    EXPECT_EQ(record.proxyPort, 8080);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetFocus(), owner);
}

// Enter and Escape typed in a page's field confirm and close the sheet, as in any dialog.
TEST_F(SettingsSheetTest, EnterConfirmsAndEscapeClosesFromInsideAPage) {
    test::MessageBoxCatcher boxes;
    EXPECT_TRUE(run({[&](SettingsSheet& sheet) {
        SetDlgItemTextW(pageOf(sheet, 0), IDC_USER_NAME, L"typed");
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    }}));
    EXPECT_EQ(textOf(record.userName), u"typed");
    EXPECT_FALSE(
        run({[&](SettingsSheet&) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }}));
    EXPECT_TRUE(boxes.boxes.empty());
}

// The application's quit request ends the sheet: not a confirmation, the sheet closed, the owner
// usable again, and the quit passed on to the application's own loop.
TEST_F(SettingsSheetTest, QuitRequestWhileOpenIsPassedOnAndLeavesNothingBehind) {
    HWND sheetWindow = nullptr;
    EXPECT_FALSE(run({[&](SettingsSheet& sheet) {
        sheetWindow = sheet.sheetWindow;
        PostQuitMessage(1);  // even the exit code of a confirmation
    }}));
    EXPECT_FALSE(IsWindow(sheetWindow));
    EXPECT_TRUE(IsWindowEnabled(owner));
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    WNDCLASSW info{};
    EXPECT_FALSE(GetClassInfoW(GetModuleHandleW(nullptr), kIpAddressClass, &info));

    // The close box cancels; the default OK button confirms and leaves no quit behind.
    EXPECT_FALSE(run({[](SettingsSheet& sheet) {
        SendMessageW(sheet.sheetWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    }}));
    EXPECT_TRUE(run({[](SettingsSheet& sheet) {
        HWND ok = GetDlgItem(sheet.sheetWindow, IDOK);
        EXPECT_NE(GetWindowLongW(ok, GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
        SendMessageW(ok, BM_CLICK, 0, 0);
    }}));
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

    SettingsSheet noRecord(state, nullptr);
    EXPECT_FALSE(noRecord.Run(owner));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(FindWindowW(nullptr, L"Network Settings"), nullptr);
}

}  // namespace
}  // namespace corvane
