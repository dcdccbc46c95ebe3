// The Network Profiles dialog's real wiring, with the real windows it opens, and the icon's menu.
#include "tests/windows/harness.h"
// After windows.h.
#include <commctrl.h>
#include <dlgs.h>

#include "profiles_dialog/profile_name_win32.h"
#include "profiles_dialog/profiles_dialog_win32.h"
#include "resources/resource.h"
#include "tray/tray_menu.h"
#include "tray/tray_win32.h"
#include "ui/command_bar_win32.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

using namespace std::string_literals;
using test::command;
using test::windowText;

HWND titled(const wchar_t* title) {
    return FindWindowW(L"#32770", title);
}

// "Label id|" with "(*)" for a check mark (its radio style is read in the flat menu) and "(grey)"
// when greyed, "-|" for a separator, "Label>...<|" for a submenu.
std::string describe(HMENU menu) {
    std::string out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[300] = {};
        GetMenuStringW(menu, i, text, 300, MF_BYPOSITION);
        const UINT flags = GetMenuState(menu, i, MF_BYPOSITION);
        const HMENU submenu = GetSubMenu(menu, i);
        out += toUtf8(utf16(std::wstring_view(text))) +
               (submenu != nullptr ? ">" + describe(submenu) + "<"
                : flags & MF_SEPARATOR
                    ? "-"
                    : " " + std::to_string(GetMenuItemID(menu, i)) +
                          (flags & MF_CHECKED ? "(*)" : "") + (flags & MF_GRAYED ? "(grey)" : "")) +
               "|";
    }
    return out;
}

// Clicks the toolbar button at `index` of the dialog's command bar as the pen would.
void clickBarButton(HWND dialog, int index) {
    const HWND toolbar = GetWindow(GetDlgItem(dialog, 1), GW_CHILD);
    RECT rect{};
    SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(toolbar, WM_LBUTTONUP, 0, at);
}

// The PC card on a fixed address, profiles Home and Office, and a hidden main window.
class ProfilesDialogWin32Test : public testing::Test, public test::Handheld {
  protected:
    void SetUp() override {
        windows.boldFont = createBoldFont();
        main = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        windows.hwndMain = windows.hwndCurrent = main;
        addAdapter(u"CVCARD1", u"PC Card", u"10.0.0.25");
        addProfile(u"Home");
        addProfile(u"Office");
    }
    void TearDown() override { DestroyWindow(main); }
    HWND dialog() const { return windows.hwndCurrent; }
    HWND item(int id) const { return GetDlgItem(dialog(), id); }
    void run(std::vector<std::function<void()>> steps) {
        const test::Steps driver(std::move(steps));
        runProfilesDialog(windows);
        EXPECT_EQ(windows.hwndCurrent, main);
    }
    std::wstring profileSelected() const { return windowText(item(IDC_PROFILE_LIST)); }

    HWND main = nullptr;
};

// One adapter, its dialog walked through: the bar, its menu and its mark, help, About, New/Set/
// Edit/Delete through the real Profile Name dialog and settings sheet, Export and Import through
// the real file dialogs (with Import Options' help), and the bar's close button.
TEST_F(ProfilesDialogWin32Test, OneAdapterTheBarHelpAboutNewSetEditDeleteExportAndImport) {
    const test::HelpRequests help;
    setDefault(u"CVCARD1", u"Home");
    loadAdapters(1);
    session.applyToAll = 1;
    session.showAtStartup = 1;
    system.storeSize = 4194304;
    system.storeFree = 1048575;
    test::MessageBoxCatcher boxes;
    boxes.answers = {IDOK, IDOK, IDYES};  // the switch's and the edit's messages, the deletion
    const auto font = [&](int id) { return SendMessageW(item(id), WM_GETFONT, 0, 0); };
    const auto setDomain = [&](const wchar_t* domain) {
        EXPECT_FALSE(IsWindowEnabled(dialog())) << "the sheet's owner";
        const HWND sheet = titled(L"Network Settings");
        SetDlgItemTextW(GetWindow(GetDlgItem(sheet, IDC_TABS), GW_CHILD), IDC_DOMAIN, domain);
        command(sheet, IDOK);
    };
    // Beside the tests: the file dialogs make the file's folder the current one, where the help
    // viewer's stand-in must still be found.
    const std::wstring path = test::besideTests(L"corvane-export-test.prf");
    const auto chooseFile = [&] {
        const HWND files = GetLastActivePopup(dialog());  // the save or open dialog
        SetDlgItemTextW(files, cmb13, path.c_str());
        command(files, IDOK);
    };
    DeleteFileW(path.c_str());
    run({[&] {
             EXPECT_EQ(std::tuple(windowText(dialog()), profileSelected(),
                                  IsWindowEnabled(item(IDC_APPLY_TO_ALL)) ||
                                      IsDlgButtonChecked(dialog(), IDC_APPLY_TO_ALL),
                                  font(IDC_NEW), font(IDC_APPLY_TO_ALL) == font(IDC_NEW)),
                       std::tuple(L"Corvane", L"Home", false,
                                  reinterpret_cast<LRESULT>(windows.boldFont.get()), false));
             const HWND commandBar = GetDlgItem(dialog(), 1);
             EXPECT_GT(commandBarHeight(commandBar), 10);
             for (const unsigned on : {1u, 0u, 1u}) {
                 EXPECT_EQ(
                     std::pair(GetMenuState(commandBarMenu(commandBar), IDM_SHOW_AT_STARTUP, 0),
                               session.showAtStartup),
                     std::pair(on * UINT{MF_CHECKED}, on));
                 SendMessageW(dialog(), WM_COMMAND, IDM_SHOW_AT_STARTUP, 0);
             }
             EXPECT_TRUE(getRaw(registry, kCurrentUser, kAppKeyPath, u"ShowStart").data.empty())
                 << "written only at exit";
             PostMessageW(GetFocus(), WM_SYSCHAR, L'c', 1 << 29);  // Alt+C: the bar's menu
         },
         [&] {
             EXPECT_TRUE(IsWindowVisible(FindWindowW(L"#32768", nullptr))) << "the menu is open";
             EndMenu();
             clickBarButton(dialog(), 2);  // "?"
             SendMessageW(dialog(), WM_COMMAND, IDM_HELP_TOPICS, 0);
             command(dialog(), IDM_ABOUT);
         },
         [&] {
             const HWND box = titled(L"About Corvane");
             const auto line = [&](int id) { return windowText(GetDlgItem(box, id)); };
             EXPECT_EQ(line(IDC_STORE_SIZE) + line(IDC_STORE_FREE),
                       L"Available Memory: 4096KBFree Memory: 1023KB");
             command(box, IDOK);
             command(dialog(), IDC_NEW);
         },
         [&] {
             SetDlgItemTextW(titled(L"Profile Name"), IDC_PROFILE_NAME, L"Lab");
             command(titled(L"Profile Name"), IDOK);
         },
         [&] { setDomain(L"LAB"); },
         [&] {
             SendMessageW(item(IDC_PROFILE_LIST), CB_SELECTSTRING, -1,
                          reinterpret_cast<LPARAM>(L"Lab"));
             SendMessageW(dialog(), WM_COMMAND, IDC_SET, 0);  // its message box is answered
             // Its refresh marks it in the icon's menu: Office, Lab, Home.
             EXPECT_EQ(std::pair(defaultOf(u"CVCARD1"),
                                 GetMenuState(windows.trayMenu.get(), kTrayProfilePosition + 1,
                                              MF_BYPOSITION)),
                       std::pair(u"Lab"s, UINT{MF_CHECKED | MFT_RADIOCHECK}));
             command(dialog(), IDC_EDIT);
         },
         [&] { setDomain(L"LAB2"); },
         [&] {
             SendMessageW(dialog(), WM_COMMAND, IDC_DELETE, 0);
             EXPECT_EQ(std::pair(profileSelected(), IsWindowEnabled(item(IDC_SET))),
                       std::pair(L""s, FALSE))
                 << "deleted, the list refreshed";
             setDefault(u"CVCARD1", u"Home");
             command(dialog(), IDM_EXPORT);
         },
         chooseFile,
         [&] {
             ASSERT_TRUE(deleteProfile(registry, u"Home"));
             command(dialog(), IDM_IMPORT);
         },
         chooseFile,
         [&] {
             const HWND options = titled(L"Import Options");
             EXPECT_TRUE(IsDlgButtonChecked(options, IDC_KEEP_EXISTING)) << "preselected";
             SendMessageW(options, WM_HELP, 0, 0);
             command(options, IDOK);
         },
         [&] {
             EXPECT_EQ(profileSelected(), L"Home") << "imported, and the list refreshed";
             clickBarButton(dialog(), 4);  // the close button
         }});
    DeleteFileW(path.c_str());

    std::wstring told;
    for (const std::wstring& text : boxes.texts) {
        told += text.substr(0, 19) + L"|";
    }
    EXPECT_EQ(told,
              L"The next time the a|The next time the a|Delete network prof|2 profiles exported|"
              L"2 profiles imported|The next time the a|");
    EXPECT_EQ(help.once(3),
              (std::vector<std::wstring>{L"corvane.htm#corvane_help", L"corvane.htm#corvane_help",
                                         L"corvane.htm#impexp"}));
}

// The card's offer of a default, through the real Profile Name dialog with its help; the dock's
// apply-to-all box, viewer with its help and the bar's "Undo Last Switch", which follows the
// selected adapter; closed with the bar's OK. Then the icon's menu as the dialog left it.
TEST_F(ProfilesDialogWin32Test,
       TheOfferTheNameDialogAnotherAdapterItsUndoItsViewerAndTheIconsMenu) {
    const test::HelpRequests help;
    addAdapter(u"CVDOCK1", u"R&D Dock");
    putString(registry, kLocalMachine, u"Comm\\CVDOCK1\\Parms\\TcpIp", u"DhcpIPAddress",
              u"192.168.1.37");
    setDefault(u"CVDOCK1", u"Home");
    loadAdapters(2);
    session.applyToAll = 1;
    test::MessageBoxCatcher boxes;
    boxes.answers = {IDYES};
    const auto nameEdit = [] { return GetDlgItem(titled(L"Profile Name"), IDC_PROFILE_NAME); };
    const auto undoItem = [&] {
        const HMENU bar = commandBarMenu(GetDlgItem(dialog(), 1));
        wchar_t text[32] = {};
        GetMenuStringW(bar, IDM_UNDO_SWITCH, text, 32, MF_BYCOMMAND);
        return text + (GetMenuState(bar, IDM_UNDO_SWITCH, 0) & MF_GRAYED ? L" (grey)"s : L""s);
    };
    const auto selectAdapter = [&](int index) {
        SendMessageW(item(IDC_ADAPTER_LIST), CB_SETCURSEL, index, 0);
        SendMessageW(dialog(), WM_COMMAND, MAKEWPARAM(IDC_ADAPTER_LIST, CBN_SELCHANGE), 0);
    };
    run({[&] {
             EXPECT_EQ(boxes.owners, std::vector{dialog()}) << "the offer's question";
             EXPECT_EQ(windowText(nameEdit()), L"Default");
             EXPECT_EQ(SendMessageW(nameEdit(), EM_GETLIMITTEXT, 0, 0), 39);
             SendMessageW(titled(L"Profile Name"), WM_HELP, 0, 0);
             SetWindowTextW(nameEdit(), L"office");
             SendMessageW(titled(L"Profile Name"), WM_COMMAND, IDOK, 0);
             EXPECT_EQ(SendMessageW(nameEdit(), EM_GETSEL, 0, 0), MAKELONG(0, 6)) << "all selected";
             command(titled(L"Profile Name"), IDCANCEL);
         },
         [&] {
             EXPECT_TRUE(IsWindowEnabled(item(IDC_APPLY_TO_ALL)) &&
                         IsDlgButtonChecked(dialog(), IDC_APPLY_TO_ALL));
             SendMessageW(item(IDC_APPLY_TO_ALL), BM_CLICK, 0, 0);
             EXPECT_NE(GetSubMenu(windows.trayMenu.get(), kTrayProfilePosition), nullptr)
                 << "the icon's menu was rebuilt per adapter";
             selectAdapter(1);
             EXPECT_EQ(std::pair(profileSelected(), undoItem()),
                       std::pair(L"Home"s, L"Undo Last Switch (grey)"s))
                 << "the dock, never switched";
             command(dialog(), IDC_SETTINGS);
         },
         [&] {
             const HWND viewer = titled(L"Current Network Settings");
             std::wstring rows;  // those of DHCP and its lease
             for (int i = 14; i < 20; ++i) {
                 wchar_t text[32] = {};
                 ListView_GetItemText(GetDlgItem(viewer, IDC_SETTINGS_LIST), i / 2, i % 2, text,
                                      32);
                 rows += text + L"|"s;
             }
             EXPECT_EQ(rows, L"Use DHCP|YES|>> DHCP|Leased!|IP Address|192.168.1.37|");
             SendMessageW(viewer, WM_HELP, 0, 0);
             command(viewer, IDCANCEL);
         },
         [&] {
             SendMessageW(item(IDC_PROFILE_LIST), CB_SELECTSTRING, -1,
                          reinterpret_cast<LPARAM>(L"Office"));
             SendMessageW(dialog(), WM_COMMAND, IDC_SET, 0);  // the dock alone, its box answered
             EXPECT_EQ(std::pair(systemIp(u"CVDOCK1"), undoItem()),
                       std::pair(u"10.1.0.1"s, L"Undo Last Switch"s));
             selectAdapter(0);  // the card's offer declined
             EXPECT_EQ(undoItem(), L"Undo Last Switch (grey)") << "the card was never switched";
             selectAdapter(1);
             SendMessageW(dialog(), WM_COMMAND, IDM_UNDO_SWITCH, 0);
             EXPECT_EQ(std::tuple(defaultOf(u"CVDOCK1"), systemIp(u"CVDOCK1"), profileSelected(),
                                  undoItem()),
                       std::tuple(u"Home"s, u""s, L"Home"s, L"Undo Last Switch"s))
                 << "given back, the list refreshed, and the switch can be redone";
             clickBarButton(dialog(), 3);  // OK
         }});
    EXPECT_EQ(help.once(2), std::vector<std::wstring>(2, L"corvane.htm#corvane_help"));
    EXPECT_EQ(boxes.texts.size(), 5u)
        << "the offer, the taken name, the switch, the card's offer and the undo";

    // An ampersand in a name is shown, not taken as a mnemonic; undo only where there is a switch.
    EXPECT_EQ(describe(windows.trayMenu.get()),
              "Network &Profiles... 40006|-|R&&D Dock>Home 10300(*)|Office 10301|-|"
              "Undo Last Switch 10101|<|PC Card>Home 10200|Office 10201|-|"
              "Undo Last Switch 10100(grey)|<|-|E&xit 40007|");
    // Opened by a pen down, its corner at the screen's bottom right, the program busy meanwhile.
    const test::Steps menu({[&] {
        const HWND popup = FindWindowW(L"#32768", nullptr);
        RECT shown{};
        GetWindowRect(popup, &shown);
        EXPECT_EQ(std::tuple(IsWindowVisible(popup), shown.right, shown.bottom, windows.busy),
                  std::tuple(TRUE, GetSystemMetrics(SM_CXSCREEN) - 2,
                             GetSystemMetrics(SM_CYSCREEN) - 26, true));
        EndMenu();
    }});
    onTrayNotify(windows, WM_LBUTTONDOWN);
    EXPECT_FALSE(windows.busy);
}

// Without its command bar the dialog cannot be used: the program ends with exit code 3.
TEST_F(ProfilesDialogWin32Test, ABarThatCannotBeMadeEndsTheProgramWithExitCode3) {
    loadAdapters(1);
    test::MessageBoxCatcher boxes;
    runProfilesDialog(windows, [](HINSTANCE, HWND, int) -> HWND { return nullptr; });
    MSG quit{};
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    EXPECT_EQ(std::tuple(boxes.texts, quit.message, quit.wParam, session.adapters.count()),
              std::tuple(std::vector<std::wstring>{L"Not enough memory to initialize application."},
                         UINT{WM_QUIT}, WPARAM{3}, 0));
}

}  // namespace
}  // namespace corvane
