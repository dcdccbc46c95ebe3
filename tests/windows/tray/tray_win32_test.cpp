// The icon's menu as a real menu: a layout decided natively, drawn into it item by item, and opened
// by a pen down at the screen's bottom-right corner. Its rebuilds show in the dialog's test.
#include "tray/tray_win32.h"
#include "profiles/last_switch.h"
#include "tests/windows/harness.h"

namespace corvane {
namespace {

// "Label id|" with "(*)" for a radio mark and "(grey)" when greyed, "-|" for a separator,
// "Label>...<|" for a submenu.
std::string describe(HMENU menu) {
    std::string out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[300] = {};
        GetMenuStringW(menu, i, text, 300, MF_BYPOSITION);
        const UINT flags = GetMenuState(menu, i, MF_BYPOSITION);
        const HMENU submenu = GetSubMenu(menu, i);
        std::string item = " " + std::to_string(GetMenuItemID(menu, i));
        item += (flags & MF_CHECKED) && (flags & MFT_RADIOCHECK) ? "(*)" : "";
        item += flags & MF_GRAYED ? "(grey)" : "";
        out += toUtf8(utf16(std::wstring_view(text))) +
               (submenu != nullptr     ? ">" + describe(submenu) + "<"
                : flags & MF_SEPARATOR ? "-"
                                       : item) +
               "|";
    }
    return out;
}

TEST(TrayWin32Test, TheMenuIsDrawnAndOpensAboveTheTaskbarsRightEndWhileTheProgramIsBusy) {
    test::Handheld device;
    WindowState& windows = device.windows;
    device.addAdapter(u"X", u"Adapter X", u"10.0.0.1");
    device.addAdapter(u"Y", u"R&D Card", u"10.0.0.2");
    device.addProfile(u"A");
    device.setDefault(u"Y", u"A");
    device.loadAdapters(2);
    keepLastSwitch(device.registry, device.adapter(1),
                   *adapterState(device.registry, device.adapter(1)));
    rebuildTrayMenu(windows);
    // An ampersand in a name is shown, not taken as a mnemonic. Undo Last Switch is there to be
    // chosen only where there is a switch to undo.
    EXPECT_EQ(describe(windows.trayMenu.get()),
              "Network &Profiles... 40006|-|R&&D Card>A 10300(*)|-|Undo Last Switch 10101|<|"
              "Adapter X>A 10200|-|Undo Last Switch 10100(grey)|<|-|E&xit 40007|");

    windows.hwndCurrent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                          GetModuleHandleW(nullptr), nullptr);
    const test::Steps driver({[&] {
        const HWND popup = FindWindowW(L"#32768", nullptr);
        RECT shown{};
        GetWindowRect(popup, &shown);
        EXPECT_EQ(std::tuple(IsWindowVisible(popup), shown.right, shown.bottom),
                  std::tuple(TRUE, GetSystemMetrics(SM_CXSCREEN) - 2,
                             GetSystemMetrics(SM_CYSCREEN) - 26));
        EXPECT_TRUE(windows.busy) << "a command from elsewhere must wait while the menu is up";
        EndMenu();
    }});
    onTrayNotify(windows, WM_LBUTTONDOWN);
    EXPECT_FALSE(windows.busy);
}

}  // namespace
}  // namespace corvane
