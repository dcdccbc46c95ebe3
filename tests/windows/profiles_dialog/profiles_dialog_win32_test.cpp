// The Network Profiles dialog as real windows under Wine: its opening, command bar and menu, its
// lists and buttons with the real Profile Name dialog and settings sheet, Export and Import
// through the real file dialogs, the viewer, the About box, and the end of the program when the
// bar cannot be made.
#include <windows.h>
// After windows.h.
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/settings_io.h"
#include "core/text.h"
#include "platform/command_bar_win32.h"
#include "platform/handles_win32.h"
#include "platform/registry_win32.h"
#include "profiles/profile_store.h"
#include "profiles_dialog/profiles_dialog_win32.h"
#include "profiles_dialog/viewer_win32.h"
#include "resources/resource.h"
#include "tests/support/device.h"
#include "tests/support/example_profile_file.h"
#include "tests/support/registry_helpers.h"
#include "tests/windows/harness.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

using test::windowText;

constexpr std::u16string_view kCard = u"Comm\\CVCARD1";
constexpr std::u16string_view kDock = u"Comm\\CVDOCK1";

HWND dialogTitled(const wchar_t* title) {
    return FindWindowW(L"#32770", title);
}

// The open or save dialog of this thread, found by its file name box.
HWND fileDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) {
            if (IsWindowVisible(window) && GetDlgItem(window, cmb13) != nullptr) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void command(HWND window, int id, int notification = 0) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, notification), 0);
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

std::wstring listText(HWND list, int index, int column = 0) {
    wchar_t text[300] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 300;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

class ProfilesDialogWin32Test : public testing::Test {
  protected:
    void SetUp() override {
        wipe();
        state.registry = &registry;
        state.system = &system;
        state.hInstance = toRef(GetModuleHandleW(nullptr));
        state.showAtStartup = 1;
        createBoldFont(state);
        main = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        state.hwndMain = state.hwndCurrent = toRef(main);
        addAdapter(kCard, u"PC Card", u"10.0.0.25");
        addProfile(u"Home", u"10.1.0.1");
        addProfile(u"Office", u"10.2.0.1");
    }
    void TearDown() override {
        DestroyWindow(main);
        wipe();
    }
    void wipe() {
        registry.deleteTree(kLocalMachine, u"Comm");
        registry.deleteTree(kCurrentUser, u"Software\\Tavelorn");
        registry.deleteTree(kCurrentUser, kProxyKeyPath);
    }
    void addAdapter(std::u16string_view key, std::u16string_view name, std::u16string_view ip) {
        putString(registry, kLocalMachine, key, u"Group", u"NDIS");
        putString(registry, kLocalMachine, key, u"DisplayName", name);
        const std::u16string tcpip = std::u16string(key) + u"\\Parms\\TcpIp";
        putDword(registry, kLocalMachine, tcpip, u"EnableDHCP", ip.empty() ? 1 : 0);
        putMulti(registry, kLocalMachine, tcpip, u"IpAddress", {ip});
    }
    void addProfile(std::u16string_view name, std::u16string_view ip) {
        NetSettings record;
        setDefaults(record);
        record.dhcpEnabled = 0;
        copyText(record.ipAddress, ip);
        ASSERT_TRUE(saveProfile(registry, name, record));
    }
    void setDefault(std::u16string_view key, std::u16string_view name) {
        putString(registry, kCurrentUser,
                  std::u16string(kAppKeyPath) + u"\\" + std::u16string(key.substr(5)),
                  u"DefProfile", name);
    }
    void loadAdapters(int count) {
        state.adapters = std::make_unique<AdapterList>();
        ASSERT_EQ(state.adapters->enumerate(registry), count);
    }
    HWND dialog() const { return toHwnd(state.hwndCurrent); }
    // Runs the dialog, one step a tick; the last step should close it.
    void run(std::vector<std::function<void()>> steps) {
        test::Steps driver(std::move(steps), [this] { command(dialog(), IDCANCEL); });
        showProfilesDialog(state);
        EXPECT_TRUE(driver.allRan());
        EXPECT_EQ(state.hwndCurrent, toRef(main));
    }
    bool checked(int id) const { return IsDlgButtonChecked(dialog(), id) == BST_CHECKED; }
    bool showAtStartupMarked() const {
        return (GetMenuState(commandBarMenu(toHwnd(state.commandBar)), IDM_SHOW_AT_STARTUP,
                             MF_BYCOMMAND) &
                MF_CHECKED) != 0;
    }
    std::wstring profileSelected() const {
        return windowText(GetDlgItem(dialog(), IDC_PROFILE_LIST));
    }

    Win32Registry registry;
    FakeSystem system;
    AppState state;
    HWND main = nullptr;
};

TEST_F(ProfilesDialogWin32Test, OpeningWithOneAdapterTheBarItsMenuAndANewBarEachTime) {
    setDefault(kCard, u"Office");
    loadAdapters(1);
    state.applyToAll = 1;
    WindowRef firstBar = 0;
    run({[&] {
             EXPECT_EQ(windowText(dialog()), L"Corvane");
             EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog(), IDC_APPLY_TO_ALL)));
             EXPECT_FALSE(checked(IDC_APPLY_TO_ALL));
             EXPECT_EQ(state.applyToAll, 0u) << "what the program writes at exit";
             EXPECT_EQ(profileSelected(), L"Office") << "the refresh selected the default";
             EXPECT_GT(state.commandBarHeight, 10);
             firstBar = state.commandBar;
             EXPECT_TRUE(showAtStartupMarked());
             command(dialog(), IDM_SHOW_AT_STARTUP);
         },
         [&] {
             EXPECT_FALSE(showAtStartupMarked());
             EXPECT_EQ(state.showAtStartup, 0u);
             command(dialog(), IDM_SHOW_AT_STARTUP);
         },
         [&] {
             EXPECT_TRUE(showAtStartupMarked());
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
         [&] { clickBarButton(dialog(), 4); }});  // the close button
    run({[&] {
        EXPECT_NE(state.commandBar, firstBar) << "a new bar for the dialog opened again";
        clickBarButton(dialog(), 3);  // OK
    }});
}

TEST_F(ProfilesDialogWin32Test, TwoAdaptersAnotherAdapterSelectedAndTheApplyToAllBox) {
    addAdapter(kDock, u"Dock", u"");
    setDefault(kDock, u"Home");
    loadAdapters(2);
    state.applyToAll = 1;
    test::MessageBoxCatcher boxes;
    run({[&] {
             EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog(), IDC_APPLY_TO_ALL)));
             EXPECT_TRUE(checked(IDC_APPLY_TO_ALL));
             ASSERT_EQ(boxes.boxes.size(), 1u) << "the card has no default: the question";
             EXPECT_EQ(boxes.boxes[0].owner, dialog());
             SendDlgItemMessageW(dialog(), IDC_ADAPTER_LIST, CB_SETCURSEL, 1, 0);
             command(dialog(), IDC_ADAPTER_LIST, CBN_SELCHANGE);
         },
         [&] {
             EXPECT_EQ(profileSelected(), L"Home");
             EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog(), IDC_SET)));
             EXPECT_EQ(boxes.boxes.size(), 1u);
             SendMessageW(GetDlgItem(dialog(), IDC_APPLY_TO_ALL), BM_CLICK, 0, 0);
             EXPECT_EQ(state.applyToAll, 0u);
             EXPECT_NE(state.trayMenu.get(), 0u) << "the icon's menu was rebuilt";
             command(dialog(), IDOK);
         }});
}

TEST_F(ProfilesDialogWin32Test, NewSetEditAndDeleteThroughTheRealWindows) {
    loadAdapters(1);
    setDefault(kCard, u"Home");
    test::MessageBoxCatcher boxes;
    // The next-use messages of the switch and of the edit of the default, then the deletion's
    // question.
    boxes.answers = {IDOK, IDOK, IDYES};
    run({[&] { command(dialog(), IDC_NEW); },
         [&] {
             SetDlgItemTextW(dialogTitled(L"Profile Name"), IDC_PROFILE_NAME, L"Lab");
             command(dialogTitled(L"Profile Name"), IDOK);
         },
         [&] {
             const HWND sheet = dialogTitled(L"Network Settings");
             ASSERT_NE(sheet, nullptr);
             EXPECT_FALSE(IsWindowEnabled(dialog()));
             SetDlgItemTextW(GetWindow(GetDlgItem(sheet, IDC_TABS), GW_CHILD), IDC_DOMAIN, L"LAB");
             command(sheet, IDOK);
         },
         [&] {
             EXPECT_EQ(profileSelected(), L"Home") << "refreshed, the default selected";
             const auto lab =
                 SendDlgItemMessageW(dialog(), IDC_PROFILE_LIST, CB_FINDSTRINGEXACT,
                                     static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Lab"));
             ASSERT_GE(lab, 0) << "the new profile is listed";
             SendDlgItemMessageW(dialog(), IDC_PROFILE_LIST, CB_SETCURSEL, lab, 0);
             command(dialog(), IDC_SET);
         },
         [&] {
             EXPECT_EQ(profileSelected(), L"Lab") << "the new default";
             command(dialog(), IDC_EDIT);
         },
         [&] {
             const HWND sheet = dialogTitled(L"Network Settings");
             SetDlgItemTextW(GetWindow(GetDlgItem(sheet, IDC_TABS), GW_CHILD), IDC_DOMAIN, L"LAB2");
             command(sheet, IDOK);
         },
         [&] { command(dialog(), IDC_DELETE); }, [&] { command(dialog(), IDOK); }});

    ASSERT_EQ(boxes.boxes.size(), 3u);
    EXPECT_EQ(boxes.boxes[2].text, L"Delete network profile \"Lab\"; Are you sure?");
    EXPECT_EQ(
        getRaw(registry, kLocalMachine, std::u16string(kCard) + u"\\Parms\\TcpIp", u"DhcpIPAddress")
            .chars(),
        withZero(u"0.0.0.0"))
        << "applied";
    EXPECT_EQ(getRaw(registry, kLocalMachine, kIdentityKeyPath, u"Domain").chars(),
              withZero(u"LAB2"))
        << "the edit of the default was applied";
    EXPECT_FALSE(profileExists(registry, u"Lab")) << "deleted";
}

TEST_F(ProfilesDialogWin32Test, ExportWritesTheFormatsBytesAndImportBringsTheProfileBack) {
    registry.deleteTree(kCurrentUser, kProfilesKeyPath);
    putDword(registry, kCurrentUser, std::u16string(kProfilesKeyPath) + u"\\Home", u"UseProxy", 0);
    setDefault(kCard, u"Home");
    loadAdapters(1);
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"corvane-export-test.prf";
    DeleteFileW(path.c_str());
    const auto chooseFile = [&] {
        ASSERT_NE(fileDialog(), nullptr);
        SetDlgItemTextW(fileDialog(), cmb13, path.c_str());
        command(fileDialog(), IDOK);
    };
    std::vector<unsigned char> written;
    bool keepPreselected = false;
    test::MessageBoxCatcher boxes;
    run({[&] { command(dialog(), IDM_EXPORT); }, chooseFile,
         [&] {
             std::ifstream file(std::filesystem::path(path), std::ios::binary);
             written.assign(std::istreambuf_iterator<char>(file), {});
             ASSERT_TRUE(deleteProfile(registry, u"Home"));
             command(dialog(), IDM_IMPORT);
         },
         chooseFile,
         [&] {
             const HWND options = dialogTitled(L"Import Options");
             ASSERT_NE(options, nullptr);
             keepPreselected = IsDlgButtonChecked(options, IDC_KEEP_EXISTING) == BST_CHECKED;
             command(options, IDOK);
         },
         [&] {
             EXPECT_EQ(profileSelected(), L"Home") << "the list was refreshed";
             command(dialog(), IDOK);
         }});
    DeleteFileW(path.c_str());

    EXPECT_EQ(written, kHomeProfileFile);
    EXPECT_TRUE(keepPreselected);
    EXPECT_EQ(
        getRaw(registry, kCurrentUser, std::u16string(kProfilesKeyPath) + u"\\Home", u"UseProxy")
            .dword(),
        0u);
    std::vector<std::wstring> texts;
    for (const test::ShownBox& box : boxes.boxes) {
        texts.push_back(box.text.substr(0, 40));
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"1 profiles exported successfully!",
                                                L"1 profiles imported successfully!",
                                                L"The next time the adapter is used it wil"}));
}

TEST_F(ProfilesDialogWin32Test, TheViewerListsTheLeaseAndTheAboutBoxTheStore) {
    addAdapter(kDock, u"Dock", u"");
    const std::u16string tcpip = std::u16string(kDock) + u"\\Parms\\TcpIp";
    putString(registry, kLocalMachine, tcpip, u"DhcpIPAddress", u"192.168.1.37");
    putMulti(registry, kLocalMachine, tcpip, u"DhcpDNS", {u"192.168.1.1", u"192.168.1.254"});
    loadAdapters(2);
    system.storeSize = 4194304;
    system.storeFree = 1048575;

    test::Steps steps(
        {[&] {
            const HWND list =
                GetDlgItem(dialogTitled(L"Current Network Settings"), IDC_SETTINGS_LIST);
            const std::vector<std::pair<const wchar_t*, const wchar_t*>> expected = {
                {L"IP Address", L""},
                {L"Subnet Mask", L""},
                {L"Default Gateway", L""},
                {L"DNS Server(s)", L""},
                {L"WINS Server(s)", L""},
                {L"User Name", L""},
                {L"Domain", L""},
                {L"Use DHCP", L"YES"},
                {L">> DHCP", L"Leased!"},
                {L"IP Address", L"192.168.1.37"},
                {L"Subnet Mask", L""},
                {L"Default Gateway", L""},
                {L"DNS Server(s)", L"192.168.1.1,192.168.1.254"},
                {L"WINS Server(s)", L""},
                {L"Use Proxy", L"NO"}};
            ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 15);
            for (int i = 0; i < 15; ++i) {
                EXPECT_EQ(listText(list, i) + L"=" + listText(list, i, 1),
                          std::wstring(expected[i].first) + L"=" + expected[i].second);
            }
            command(dialogTitled(L"Current Network Settings"), IDCANCEL);
        }},
        [] {});
    showCurrentSettings(state, *state.adapters->at(1), main);
    EXPECT_TRUE(steps.allRan());

    for (const bool known : {true, false}) {
        system.storeKnown = known;
        std::wstring lines;
        test::Steps about({[&] {
                              const HWND box = dialogTitled(L"About Corvane");
                              for (const int id : {IDC_VERSION, IDC_STORE_SIZE, IDC_STORE_FREE}) {
                                  lines += windowText(GetDlgItem(box, id)) + L"|";
                              }
                              command(box, IDOK);
                          }},
                          [] {});
        showAboutBox(state, main);
        EXPECT_EQ(lines, known ? L"Corvane Version 1.4 (1.023.0327)|Available Memory: 4096KB|"
                                 L"Free Memory: 1023KB|"
                               : L"Corvane Version 1.4 (1.023.0327)|Information about storage "
                                 L"memory availability is |inaccessible|");
    }
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
