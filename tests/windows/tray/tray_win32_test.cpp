// The icon's menu as a real menu: a layout decided natively, drawn into it item by item, opened
// by a pen down at the screen's bottom-right corner, and drawn anew on a rebuild.
#include "tray/tray_win32.h"
#include "tests/windows/harness.h"

namespace corvane {
namespace {

// "Label id|" with "(*)" for a radio mark, "-|" for a separator, "Label>...<|" for a submenu.
std::string describe(HMENU menu) {
    std::string out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[300] = {};
        GetMenuStringW(menu, i, text, 300, MF_BYPOSITION);
        const UINT flags = GetMenuState(menu, i, MF_BYPOSITION);
        out += toUtf8(utf16(std::wstring_view(text)));
        if (GetSubMenu(menu, i) != nullptr) {
            out.append(">").append(describe(GetSubMenu(menu, i))).append("<");
        } else if (flags & MF_SEPARATOR) {
            out += "-";
        } else {
            out.append(" ").append(std::to_string(GetMenuItemID(menu, i)));
            if (flags & MF_CHECKED) {
                out += (flags & MFT_RADIOCHECK) ? "(*)" : "(v)";
            }
        }
        out += "|";
    }
    return out;
}

TEST(TrayWin32Test, TheMenuIsDrawnOpensAboveTheTaskbarsRightEndAndIsDrawnAnew) {
    test::Handheld device;
    AppState& state = device.state;
    device.addAdapter(u"X", u"Adapter X", u"10.0.0.1");
    device.addAdapter(u"Y", u"R&D Card", u"10.0.0.2");
    device.addProfile(u"A");
    device.setDefault(u"Y", u"A");
    device.loadAdapters(2);
    rebuildTrayMenu(state);
    // An ampersand in a name is shown, not taken as a mnemonic.
    EXPECT_EQ(
        describe(toHmenu(state.trayMenu.get())),
        "Network &Profiles... 40006|-|R&&D Card>A 10300(*)|<|Adapter X>A 10200|<|-|E&xit 40007|");

    const HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    state.hwndCurrent = toRef(owner);
    static RECT shown{};
    static const AppState* tracked = &state;
    static bool busyWhileOpen = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND popup = FindWindowW(L"#32768", nullptr);
        if (popup != nullptr && IsWindowVisible(popup)) {
            GetWindowRect(popup, &shown);
        }
        busyWhileOpen = tracked->busy;
        EndMenu();
    });
    onTrayNotify(state, WM_LBUTTONDOWN);
    KillTimer(nullptr, timer);
    DestroyWindow(owner);
    EXPECT_EQ(shown.right, GetSystemMetrics(SM_CXSCREEN) - 2) << "the popup menu was shown";
    EXPECT_EQ(shown.bottom, GetSystemMetrics(SM_CYSCREEN) - 26);
    EXPECT_TRUE(busyWhileOpen) << "a command from elsewhere must wait while the menu is up";
    EXPECT_FALSE(state.busy);

    device.registry.deleteTree(kCurrentUser, kProfilesKeyPath);
    rebuildTrayMenu(state);
    EXPECT_EQ(describe(toHmenu(state.trayMenu.get())), "Network &Profiles... 40006|-|E&xit 40007|");
}

}  // namespace
}  // namespace corvane
