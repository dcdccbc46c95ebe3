// The Network Profiles dialog's real wiring under Wine, with the real windows it opens. The
// decisions behind it are proven natively.
#include "tests/windows/harness.h"
// After windows.h.
#include <commctrl.h>
#include <dlgs.h>

#include <filesystem>
#include <fstream>

#include "platform/command_bar_win32.h"
#include "profiles_dialog/profile_name_win32.h"
#include "profiles_dialog/profiles_dialog_win32.h"
#include "resources/resource.h"
#include "tests/support/example_profile_file.h"
#include "tray/tray_menu.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

using test::command;
using test::windowText;

HWND titled(const wchar_t* title) {
    return FindWindowW(L"#32770", title);
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
        state.showAtStartup = 1;
        createBoldFont(state);
        main = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        state.hwndMain = state.hwndCurrent = toRef(main);
        addAdapter(u"CVCARD1", u"PC Card", u"10.0.0.25");
        addProfile(u"Home");
        addProfile(u"Office");
    }
    void TearDown() override { DestroyWindow(main); }
    HWND dialog() const { return toHwnd(state.hwndCurrent); }
    HWND item(int id) const { return GetDlgItem(dialog(), id); }
    void run(std::vector<std::function<void()>> steps) {
        test::Steps driver(std::move(steps), [this] { command(dialog(), IDCANCEL); });
        showProfilesDialog(state);
        EXPECT_TRUE(driver.allRan());
        EXPECT_EQ(state.hwndCurrent, toRef(main));
    }
    std::wstring profileSelected() const { return windowText(item(IDC_PROFILE_LIST)); }

    HWND main = nullptr;
};

// One adapter, its dialog walked through: the bar and its menu, About, New/Set/Edit/Delete through
// the real Profile Name dialog and settings sheet, then Export and Import through the real file
// dialogs; closed from the bar, and opened again with a new bar.
TEST_F(ProfilesDialogWin32Test, OneAdapterTheBarAboutNewSetEditDeleteExportAndImport) {
    setDefault(u"CVCARD1", u"Home");
    loadAdapters(1);
    state.applyToAll = 1;
    system.storeSize = 4194304;
    system.storeFree = 1048575;
    test::MessageBoxCatcher boxes;
    boxes.answers = {IDOK, IDOK, IDYES};  // the switch's and the edit's messages, the deletion
    const auto font = [&](int id) { return SendMessageW(item(id), WM_GETFONT, 0, 0); };
    const auto marked = [&] {
        const HMENU menu = commandBarMenu(toHwnd(state.commandBar));
        return (GetMenuState(menu, IDM_SHOW_AT_STARTUP, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    const auto about = [] {
        const HWND box = titled(L"About Corvane");
        std::wstring lines;
        for (const int id : {IDC_VERSION, IDC_STORE_SIZE, IDC_STORE_FREE}) {
            lines += windowText(GetDlgItem(box, id)) + L"|";
        }
        command(box, IDOK);
        return lines;
    };
    const auto setDomain = [](const wchar_t* domain) {
        const HWND sheet = titled(L"Network Settings");
        SetDlgItemTextW(GetWindow(GetDlgItem(sheet, IDC_TABS), GW_CHILD), IDC_DOMAIN, domain);
        command(sheet, IDOK);
    };
    const auto value = [&](KeyHandle root, std::u16string_view path, std::u16string_view name) {
        return getRaw(registry, root, path, name).chars();
    };
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"corvane-export-test.prf";
    DeleteFileW(path.c_str());
    const auto chooseFile = [&] {
        const HWND files = GetLastActivePopup(dialog());  // the save or open dialog
        ASSERT_NE(GetDlgItem(files, cmb13), nullptr);
        SetDlgItemTextW(files, cmb13, path.c_str());
        command(files, IDOK);
    };
    std::vector<unsigned char> written;
    WindowRef firstBar = 0;
    run({[&] {
             EXPECT_EQ(windowText(dialog()), L"Corvane");
             EXPECT_FALSE(IsWindowEnabled(item(IDC_APPLY_TO_ALL)));
             EXPECT_FALSE(IsDlgButtonChecked(dialog(), IDC_APPLY_TO_ALL));
             EXPECT_EQ(profileSelected(), L"Home") << "the refresh selected the default";
             EXPECT_EQ(font(IDC_NEW), static_cast<LRESULT>(state.boldFont.get()));
             EXPECT_NE(font(IDC_APPLY_TO_ALL), static_cast<LRESULT>(state.boldFont.get()));
             EXPECT_GT(state.commandBarHeight, 10);
             firstBar = state.commandBar;
             EXPECT_TRUE(marked());
             command(dialog(), IDM_SHOW_AT_STARTUP);
         },
         [&] {
             EXPECT_FALSE(marked());
             EXPECT_EQ(state.showAtStartup, 0u);
             command(dialog(), IDM_SHOW_AT_STARTUP);
         },
         [&] {
             EXPECT_TRUE(marked());
             EXPECT_EQ(state.showAtStartup, 1u);
             EXPECT_NE(getRaw(registry, kCurrentUser, kAppKeyPath, u"ShowStart").result,
                       status::kSuccess)
                 << "written only at exit";
             // Alt+C opens the bar's menu, as a mnemonic of the dialog.
             PostMessageW(GetFocus(), WM_SYSCHAR, L'c', 1 << 29);
         },
         [&] {
             const HWND popup = FindWindowW(L"#32768", nullptr);
             EXPECT_TRUE(popup != nullptr && IsWindowVisible(popup)) << "the menu is open";
             EndMenu();
         },
         [&] { command(dialog(), IDM_ABOUT); },
         [&] {
             EXPECT_EQ(about(),
                       L"Corvane Version 1.4 (1.023.0327)|Available Memory: 4096KB|"
                       L"Free Memory: 1023KB|");
             system.storeKnown = false;
             command(dialog(), IDM_ABOUT);
         },
         [&] {
             EXPECT_EQ(about(),
                       L"Corvane Version 1.4 (1.023.0327)|Information about storage "
                       L"memory availability is |inaccessible|");
             command(dialog(), IDC_NEW);
         },
         [&] {
             SetDlgItemTextW(titled(L"Profile Name"), IDC_PROFILE_NAME, L"Lab");
             command(titled(L"Profile Name"), IDOK);
         },
         [&] {
             EXPECT_FALSE(IsWindowEnabled(dialog())) << "the sheet's owner";
             setDomain(L"LAB");
         },
         [&] {
             EXPECT_EQ(profileSelected(), L"Home") << "refreshed, the default selected";
             const auto lab =
                 SendMessageW(item(IDC_PROFILE_LIST), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(L"Lab"));
             ASSERT_GE(lab, 0) << "the new profile is listed";
             SendMessageW(item(IDC_PROFILE_LIST), CB_SETCURSEL, lab, 0);
             command(dialog(), IDC_SET);
         },
         [&] {
             EXPECT_EQ(profileSelected(), L"Lab") << "the new default";
             EXPECT_EQ(value(kLocalMachine, u"Comm\\CVCARD1\\Parms\\TcpIp", u"DhcpIPAddress"),
                       withZero(u"0.0.0.0"))
                 << "applied";
             command(dialog(), IDC_EDIT);
         },
         [&] { setDomain(L"LAB2"); },
         [&] {
             EXPECT_EQ(value(kLocalMachine, kIdentityKeyPath, u"Domain"), withZero(u"LAB2"))
                 << "the edit of the default was applied";
             command(dialog(), IDC_DELETE);
         },
         [&] {
             EXPECT_FALSE(profileExists(registry, u"Lab")) << "deleted";
             // The store of the format's example file: "Home" holding only UseProxy 0.
             registry.deleteTree(kCurrentUser, kProfilesKeyPath);
             putDword(registry, kCurrentUser, profilePath(u"Home"), u"UseProxy", 0);
             setDefault(u"CVCARD1", u"Home");
             command(dialog(), IDM_EXPORT);
         },
         chooseFile,
         [&] {
             std::ifstream file(std::filesystem::path(path), std::ios::binary);
             written.assign(std::istreambuf_iterator<char>(file), {});
             ASSERT_TRUE(deleteProfile(registry, u"Home"));
             command(dialog(), IDM_IMPORT);
         },
         chooseFile,
         [&] {
             const HWND options = titled(L"Import Options");
             EXPECT_TRUE(IsDlgButtonChecked(options, IDC_KEEP_EXISTING)) << "preselected";
             command(options, IDOK);
         },
         [&] {
             EXPECT_EQ(profileSelected(), L"Home") << "the list was refreshed";
             clickBarButton(dialog(), 4);  // the close button
         }});
    run({[&] {
        EXPECT_NE(state.commandBar, firstBar) << "a new bar for the dialog opened again";
        clickBarButton(dialog(), 3);  // OK
    }});
    DeleteFileW(path.c_str());

    EXPECT_EQ(written, kHomeProfileFile);
    EXPECT_EQ(getRaw(registry, kCurrentUser, profilePath(u"Home"), u"UseProxy").dword(), 0u);
    std::vector<std::wstring> texts;
    for (const test::ShownBox& box : boxes.boxes) {
        texts.push_back(box.text.substr(0, 44));
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"The next time the adapter is used it will ha",
                                                L"The next time the adapter is used it will ha",
                                                L"Delete network profile \"Lab\"; Are you sure?",
                                                L"1 profiles exported successfully!",
                                                L"1 profiles imported successfully!",
                                                L"The next time the adapter is used it will ha"}));
}

// The card has no default: the offer's question, then the real Profile Name dialog offering
// "Default"; then the dock, its own default, its viewer rows and the apply-to-all box.
TEST_F(ProfilesDialogWin32Test, TheOfferTheNameDialogAnotherAdapterItsViewerAndApplyToAll) {
    addAdapter(u"CVDOCK1", u"Dock");
    const std::u16string tcpip = u"Comm\\CVDOCK1\\Parms\\TcpIp";
    putString(registry, kLocalMachine, tcpip, u"DhcpIPAddress", u"192.168.1.37");
    putMulti(registry, kLocalMachine, tcpip, u"DhcpDNS", {u"192.168.1.1", u"192.168.1.254"});
    setDefault(u"CVDOCK1", u"Home");
    loadAdapters(2);
    state.applyToAll = 1;
    test::MessageBoxCatcher boxes;
    boxes.answers = {IDYES};
    const auto nameEdit = [] { return GetDlgItem(titled(L"Profile Name"), IDC_PROFILE_NAME); };
    const auto firstIsSubmenu = [&] {
        return GetSubMenu(toHmenu(state.trayMenu.get()), kTrayProfilePosition) != nullptr;
    };
    run({[&] {
             ASSERT_EQ(boxes.boxes.size(), 1u);
             EXPECT_EQ(boxes.boxes[0].owner, dialog());
             EXPECT_EQ(windowText(nameEdit()), L"Default");
             EXPECT_EQ(SendMessageW(nameEdit(), EM_GETLIMITTEXT, 0, 0), 39);
             SetWindowTextW(nameEdit(), L"office");
             command(titled(L"Profile Name"), IDOK);
         },
         [&] {
             ASSERT_EQ(boxes.boxes.size(), 2u);
             EXPECT_EQ(boxes.boxes[1].text,
                       L"Profile \"office\" already exists. Please enter another name.");
             EXPECT_EQ(SendMessageW(nameEdit(), EM_GETSEL, 0, 0), MAKELONG(0, 6)) << "all selected";
             command(titled(L"Profile Name"), IDCANCEL);
         },
         [&] {
             EXPECT_TRUE(IsWindowEnabled(item(IDC_APPLY_TO_ALL)));
             EXPECT_TRUE(IsDlgButtonChecked(dialog(), IDC_APPLY_TO_ALL));
             SendMessageW(item(IDC_ADAPTER_LIST), CB_SETCURSEL, 1, 0);
             command(dialog(), IDC_ADAPTER_LIST, CBN_SELCHANGE);
         },
         [&] {
             EXPECT_EQ(profileSelected(), L"Home");
             EXPECT_TRUE(IsWindowEnabled(item(IDC_SET)));
             EXPECT_EQ(boxes.boxes.size(), 2u);
             EXPECT_FALSE(firstIsSubmenu());
             SendMessageW(item(IDC_APPLY_TO_ALL), BM_CLICK, 0, 0);
             EXPECT_EQ(state.applyToAll, 0u);
             EXPECT_TRUE(firstIsSubmenu()) << "the icon's menu was rebuilt per adapter";
             command(dialog(), IDC_SETTINGS);
         },
         [&] {
             const HWND list = GetDlgItem(titled(L"Current Network Settings"), IDC_SETTINGS_LIST);
             std::wstring rows;
             for (int i = 0; i < SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); ++i) {
                 for (const int column : {0, 1}) {
                     wchar_t text[300] = {};
                     ListView_GetItemText(list, i, column, text, 300);
                     rows += text + std::wstring(column == 0 ? L"=" : L"|");
                 }
             }
             EXPECT_EQ(rows,
                       L"IP Address=|Subnet Mask=|Default Gateway=|DNS Server(s)=|"
                       L"WINS Server(s)=|User Name=|Domain=|Use DHCP=YES|>> DHCP=Leased!|"
                       L"IP Address=192.168.1.37|Subnet Mask=|Default Gateway=|"
                       L"DNS Server(s)=192.168.1.1,192.168.1.254|WINS Server(s)=|"
                       L"Use Proxy=NO|");
             command(titled(L"Current Network Settings"), IDCANCEL);
         },
         [&] { command(dialog(), IDOK); }});
    std::u16string name;
    EXPECT_EQ(runProfileNameDialog(state, nullptr, nullptr, name), kNameWithoutAdapter);
}

// Without its command bar the dialog cannot be used: the program ends with exit code 3.
TEST_F(ProfilesDialogWin32Test, ABarThatCannotBeMadeEndsTheProgramWithExitCode3) {
    loadAdapters(1);
    const CommandBarFactory previous =
        setCommandBarFactory([](HINSTANCE, HWND, int) -> HWND { return nullptr; });
    test::MessageBoxCatcher boxes;
    showProfilesDialog(state);
    setCommandBarFactory(previous);

    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, L"Not enough memory to initialize application.");
    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 3u);
    EXPECT_EQ(state.adapters, nullptr);
    for (const char16_t* option : {u"ShowStart", u"ApplyToAll"}) {
        EXPECT_NE(getRaw(registry, kCurrentUser, kAppKeyPath, option).result, status::kSuccess)
            << "no option written";
    }
}

}  // namespace
}  // namespace corvane
