// The icon's menu as real menus built from the real registry, read back item by item, and a
// profile command posted to a real main window switching the real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_win32.h"
#include "core/settings_io.h"
#include "core/text.h"
#include "platform/handles_win32.h"
#include "platform/registry_win32.h"
#include "platform/system_win32.h"
#include "platform/ui_win32.h"
#include "profiles/profile_store.h"
#include "profiles_dialog/profile_name.h"
#include "profiles_dialog/profile_views_win32.h"
#include "resources/resource.h"
#include "tests/support/registry_helpers.h"
#include "tests/windows/harness.h"
#include "tray/menu_seam_win32.h"
#include "tray/tray_menu.h"
#include "ui/ui_support.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

// The menu as the fake menus render theirs, read back with GetMenuItemInfoW.
void describe(HMENU menu, const std::string& indent, Lines& out) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[300] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 300;
        EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
        const std::string label = toUtf8(utf16(std::wstring_view(text)));
        if (info.fType & MFT_SEPARATOR) {
            out.push_back(indent + "-");
        } else if (info.hSubMenu != nullptr) {
            out.push_back(indent + label + " >");
            describe(info.hSubMenu, indent + "  ", out);
        } else {
            const bool checked = (info.fState & MFS_CHECKED) != 0;
            out.push_back(indent + label + " [" + std::to_string(info.wID) + "]" +
                          (checked ? ((info.fType & MFT_RADIOCHECK) ? " (*)" : " (v)") : ""));
        }
    }
}

Lines describe(MenuRef menu) {
    Lines out;
    describe(toHmenu(menu), "", out);
    return out;
}

class TrayMenuWin32Test : public ::testing::Test {
  protected:
    void SetUp() override {
        wipe();
        putString(registry, kLocalMachine, kIdentityKeyPath, u"Username", u"kdurand");
        state.registry = &registry;
        state.ui = &ui;
        state.system = &system;
        state.menus = &menus;
        state.views = &views;
        state.hInstance = toRef(module);
    }
    void TearDown() override {
        state.menuItems.clear();
        if (state.trayMenu != 0) {
            menus.destroyMenu(state.trayMenu);
        }
        wipe();
    }
    void wipe() {
        registry.deleteTree(kLocalMachine, u"Comm");
        registry.deleteTree(kCurrentUser, u"Software\\Tavelorn");
    }
    void addAdapter(std::u16string_view key, std::u16string_view name, std::u16string_view ip) {
        const std::u16string path = u"Comm\\" + std::u16string(key);
        putString(registry, kLocalMachine, path, u"Group", u"NDIS");
        putString(registry, kLocalMachine, path, u"DisplayName", name);
        putMulti(registry, kLocalMachine, path + u"\\Parms\\TcpIp", u"IpAddress", {ip});
    }
    void addProfile(std::u16string_view name, std::u16string_view ip) {
        NetSettings record;
        setDefaults(record);
        record.dhcpEnabled = 0;
        copyText(record.ipAddress, ip);
        ASSERT_TRUE(saveProfile(state, name, record));
    }
    void setDefault(std::u16string_view key, std::u16string_view name) {
        putString(registry, kCurrentUser, std::u16string(kAppKeyPath) + u"\\" + std::u16string(key),
                  u"DefProfile", name);
    }
    void loadAdapters(int expected) {
        state.adapters = std::make_unique<AdapterList>();
        ASSERT_EQ(state.adapters->enumerate(registry), expected);
    }

    HINSTANCE module = GetModuleHandleW(nullptr);
    Win32Registry registry;
    Win32UserInterface ui{module};
    Win32System system;
    Win32MenuSeam menus{module};
    Win32ProfileViews views;
    AppState state;
};

// The single-adapter layout is read back in the posted-command test below.
TEST_F(TrayMenuWin32Test, RealMenusHoldTheItemsIdsSeparatorsAndMarksOfTheThreeLayouts) {
    addAdapter(u"X", u"Adapter X", u"10.0.0.1");
    addAdapter(u"Y", u"R&D Card", u"10.0.0.2");  // shown with its ampersand
    addProfile(u"A", u"10.1.0.1");
    addProfile(u"B", u"10.1.0.2");
    setDefault(u"X", u"B");
    setDefault(u"Y", u"A");
    loadAdapters(2);
    rebuildTrayMenu(state);
    EXPECT_EQ(
        describe(state.trayMenu),
        (Lines{"Network &Profiles... [40006]", "-", "R&&D Card >", "  A [10300] (*)", "  B [10301]",
               "Adapter X >", "  A [10200]", "  B [10201] (*)", "-", "E&xit [40007]"}));

    state.applyToAll = 1;
    rebuildTrayMenu(state);
    EXPECT_EQ(describe(state.trayMenu), (Lines{"Network &Profiles... [40006]", "-", "B [10201] (*)",
                                               "A [10200]", "-", "E&xit [40007]"}));

    // No profiles: the resource's menu as it is.
    registry.deleteTree(kCurrentUser, kProfilesKeyPath);
    state.applyToAll = 0;
    rebuildTrayMenu(state);
    EXPECT_EQ(describe(state.trayMenu),
              (Lines{"Network &Profiles... [40006]", "-", "E&xit [40007]"}));
}

// The tap opens the real menu with its bottom-right corner above the taskbar's right end.
TEST_F(TrayMenuWin32Test, APenDownOpensTheMenuAtTheScreensBottomRight) {
    addAdapter(u"X", u"Adapter X", u"10.0.0.1");
    addProfile(u"A", u"10.1.0.1");
    loadAdapters(1);
    rebuildTrayMenu(state);
    const HWND owner =
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module, nullptr);
    state.hwndCurrent = toRef(owner);

    static RECT shown{};
    static bool seen = false;
    seen = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND popup = FindWindowW(L"#32768", nullptr);
        if (popup != nullptr && IsWindowVisible(popup)) {
            GetWindowRect(popup, &shown);
            seen = true;
        }
        EndMenu();
    });
    onTrayNotify(state, 107, WM_LBUTTONDOWN);
    KillTimer(nullptr, timer);
    DestroyWindow(owner);

    ASSERT_TRUE(seen) << "the popup menu was shown";
    EXPECT_EQ(shown.right, GetSystemMetrics(SM_CXSCREEN) - 2);
    EXPECT_EQ(shown.bottom, GetSystemMetrics(SM_CYSCREEN) - 26);
}

TEST_F(TrayMenuWin32Test, APostedProfileCommandSwitchesTheRegistryAndMovesTheMark) {
    addAdapter(u"NE20001", u"NE2000 Card", u"192.168.1.37");
    addProfile(u"Home", u"10.1.0.1");
    addProfile(u"Office", u"10.2.0.1");
    setDefault(u"NE20001", u"Home");
    ASSERT_TRUE(registerMainWindowClass(module));
    const HWND main = createMainWindow(state);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(describe(state.trayMenu),
              (Lines{"Network &Profiles... [40006]", "-", "Office [10201]", "Home [10200] (*)", "-",
                     "E&xit [40007]"}));

    {
        test::MessageBoxCatcher catcher;
        PostMessageW(main, WM_COMMAND, 10201, 0);
        MSG message{};
        for (int i = 0; i < 200 && catcher.boxes.empty(); ++i) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&message);
            }
            Sleep(10);
        }
        ASSERT_EQ(catcher.boxes.size(), 1u);
        char16_t nextUse[kMessageChars] = {};
        ui.loadString(IDS_NEXT_USE, nextUse);
        EXPECT_EQ(utf16(catcher.boxes[0].text), textOf(nextUse));
    }
    EXPECT_EQ(
        getRaw(registry, kCurrentUser, std::u16string(kAppKeyPath) + u"\\NE20001", u"DefProfile")
            .chars(),
        withZero(u"Office"));
    EXPECT_EQ(getRaw(registry, kLocalMachine, u"Comm\\NE20001\\Parms\\TcpIp", u"IpAddress").chars(),
              withZero(u"10.2.0.1") + withZero(u""));
    EXPECT_EQ(state.busy, 0u);
    EXPECT_EQ(describe(state.trayMenu),
              (Lines{"Network &Profiles... [40006]", "-", "Office [10201] (*)", "Home [10200]", "-",
                     "E&xit [40007]"}));

    DestroyWindow(main);
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        // The main window's end posts WM_QUIT: drop it so later tests' loops run.
    }
}

// The Profile Name dialog: offered text, 39-character limit, a taken name refused with its
// message and the text selected, a new name accepted.
TEST_F(TrayMenuWin32Test, TheProfileNameDialogRefusesTakenNamesAndAcceptsANewOne) {
    addAdapter(u"NE20001", u"NE2000 Card", u"192.168.1.37");
    addProfile(u"Default", u"10.1.0.1");
    loadAdapters(1);
    copyText(state.profileName, u"Default");

    // The first tick reads the offered text, its limit, and tries the taken name; the second reads
    // the selection the refusal left and enters a new name.
    static std::wstring initial;
    static LRESULT limit = 0;
    static DWORD selection = 0;
    static int step = 0;
    step = 0;
    test::MessageBoxCatcher catcher;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND dialog = FindWindowW(L"#32770", L"Profile Name");
        const HWND edit = GetDlgItem(dialog, IDC_PROFILE_NAME);
        if (dialog == nullptr || step > 1) {
            return;
        }
        if (step++ == 0) {
            initial = test::windowText(edit);
            limit = SendMessageW(edit, EM_GETLIMITTEXT, 0, 0);
        } else {
            selection = static_cast<DWORD>(SendMessageW(edit, EM_GETSEL, 0, 0));
            SetWindowTextW(edit, L"Lab");
        }
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    const int result = runProfileNameDialog(state, 0, state.adapters->at(0));
    KillTimer(nullptr, timer);

    EXPECT_EQ(result, 1);
    EXPECT_EQ(textOf(state.profileName), u"Lab");
    EXPECT_EQ(initial, L"Default");
    EXPECT_EQ(limit, 39);
    EXPECT_EQ(selection, MAKELONG(0, 7)) << "the whole name selected";
    ASSERT_EQ(catcher.boxes.size(), 1u);
    EXPECT_EQ(catcher.boxes[0].text,
              L"Profile \"Default\" already exists. Please enter another name.");
    EXPECT_EQ(runProfileNameDialog(state, 0, nullptr), 3);
}

}  // namespace
}  // namespace corvane
