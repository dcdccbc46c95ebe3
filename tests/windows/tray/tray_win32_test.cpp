// The icon's menu as a real menu built from the real registry, read back item by item, and the
// tap that opens it at the screen's bottom-right corner.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/settings_io.h"
#include "core/text.h"
#include "platform/handles_win32.h"
#include "platform/registry_win32.h"
#include "profiles/profile_store.h"
#include "tests/support/device.h"
#include "tests/support/registry_helpers.h"
#include "tray/tray_win32.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

// "Label [id]" with "(*)" for a radio mark, "-" for a separator, "Label >" for a submenu.
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

class TrayWin32Test : public testing::Test {
  protected:
    void SetUp() override {
        wipe();
        state.registry = &registry;
        state.system = &system;
        state.hInstance = toRef(GetModuleHandleW(nullptr));
    }
    void TearDown() override {
        state.menuItems.clear();
        state.trayMenu.reset();
        wipe();
    }
    void wipe() {
        registry.deleteTree(kLocalMachine, u"Comm");
        registry.deleteTree(kCurrentUser, u"Software\\Tavelorn");
    }
    void addAdapter(std::u16string_view key, std::u16string_view name) {
        const std::u16string path = u"Comm\\" + std::u16string(key);
        putString(registry, kLocalMachine, path, u"Group", u"NDIS");
        putString(registry, kLocalMachine, path, u"DisplayName", name);
        putKey(registry, kLocalMachine, path + u"\\Parms\\TcpIp");
    }
    void addProfile(std::u16string_view name) {
        NetSettings record;
        setDefaults(record);
        ASSERT_TRUE(saveProfile(registry, name, record));
    }
    void loadAdapters(int expected) {
        state.adapters = std::make_unique<AdapterList>();
        ASSERT_EQ(state.adapters->enumerate(registry), expected);
    }
    Lines menu() {
        Lines out;
        describe(toHmenu(state.trayMenu.get()), "", out);
        return out;
    }

    Win32Registry registry;
    FakeSystem system;
    AppState state;
};

// The layouts themselves are decided natively; this is the drawing of one into a real menu.
TEST_F(TrayWin32Test, TheMenuHoldsItsItemsIdsSeparatorsMarksAndAmpersands) {
    addAdapter(u"X", u"Adapter X");
    addAdapter(u"Y", u"R&D Card");  // shown with its ampersand, not as a mnemonic
    addProfile(u"A");
    addProfile(u"B");
    putString(registry, kCurrentUser, std::u16string(kAppKeyPath) + u"\\Y", u"DefProfile", u"A");
    loadAdapters(2);
    rebuildTrayMenu(state);
    EXPECT_EQ(menu(), (Lines{"Network &Profiles... [40006]", "-", "R&&D Card >", "  A [10300] (*)",
                             "  B [10301]", "Adapter X >", "  A [10200]", "  B [10201]", "-",
                             "E&xit [40007]"}));
    EXPECT_EQ(state.menuItems.size(), 4u);

    registry.deleteTree(kCurrentUser, kProfilesKeyPath);
    rebuildTrayMenu(state);
    EXPECT_EQ(menu(), (Lines{"Network &Profiles... [40006]", "-", "E&xit [40007]"}));
    EXPECT_TRUE(state.menuItems.empty());
}

TEST_F(TrayWin32Test, APenDownOpensTheMenuWithItsCornerAboveTheTaskbarsRightEnd) {
    addAdapter(u"X", u"Adapter X");
    addProfile(u"A");
    loadAdapters(1);
    rebuildTrayMenu(state);
    const HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
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
    onTrayNotify(state, WM_LBUTTONDOWN);
    KillTimer(nullptr, timer);
    DestroyWindow(owner);

    ASSERT_TRUE(seen) << "the popup menu was shown";
    EXPECT_EQ(shown.right, GetSystemMetrics(SM_CXSCREEN) - 2);
    EXPECT_EQ(shown.bottom, GetSystemMetrics(SM_CYSCREEN) - 26);
}

}  // namespace
}  // namespace corvane
