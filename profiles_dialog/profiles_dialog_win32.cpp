#include "profiles_dialog/profiles_dialog_win32.h"

#include <string>

#include "core/settings_io.h"
#include "platform/wide_text_win32.h"
#include "profiles/last_switch.h"
#include "profiles/profile_store.h"
#include "profiles_dialog/profile_files_win32.h"
#include "profiles_dialog/profile_name.h"
#include "profiles_dialog/profile_name_win32.h"
#include "profiles_dialog/profiles_dialog.h"
#include "profiles_dialog/viewer_win32.h"
#include "resources/resource.h"
#include "settings_editor/settings_sheet_win32.h"
#include "tray/tray_win32.h"
#include "ui/command_bar_win32.h"
#include "ui/ui_support.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

constexpr int kCommandBarId = 1;
constexpr INT_PTR kDialogResult = 2;

// The dialog's own data: what it was opened with and its command bar.
struct ProfilesDialog {
    WindowState& windows;
    CommandBarFactory makeBar;
    HWND commandBar = nullptr;
    int commandBarHeight = 0;
};

ProfilesDialog* dialogOf(HWND dialog) {
    return reinterpret_cast<ProfilesDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// The adapter selected in `window`; a window without an adapter list (the hidden main window)
// reads as the first adapter.
AdapterInfo* selectedAdapter(Session& session, HWND window) {
    const HWND list = GetDlgItem(window, IDC_ADAPTER_LIST);
    const int index =
        list != nullptr ? static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)) : 0;
    return session.adapters.at(index);
}

// The selected profile's whole name, however long; empty when none is selected.
std::u16string selectedProfile(HWND dialog) {
    const HWND list = GetDlgItem(dialog, IDC_PROFILE_LIST);
    const LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
    const LRESULT length = index >= 0 ? SendMessageW(list, CB_GETLBTEXTLEN, index, 0) : -1;
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied >= 0 && copied <= length ? static_cast<std::size_t>(copied) : 0);
    return std::u16string(utf16(text));
}

void fillProfileList(HWND window, const std::vector<std::u16string>& names) {
    const HWND list = GetDlgItem(window, IDC_PROFILE_LIST);
    if (list == nullptr) {
        return;
    }
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const std::u16string& name : names) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(name.c_str())));
    }
}

void enable(HWND dialog, std::initializer_list<int> ids, bool on) {
    for (const int id : ids) {
        EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE);
    }
}

// Enables the buttons that need a selected profile when there is one.
void enableProfileButtons(HWND dialog) {
    enable(dialog, {IDC_DELETE, IDC_EDIT, IDC_SET},
           SendDlgItemMessageW(dialog, IDC_PROFILE_LIST, CB_GETCURSEL, 0, 0) >= 0);
}

// Selects the item whose whole text is `name`, letter case ignored as the list box compares.
void selectProfile(HWND window, const std::u16string& name) {
    const HWND list = GetDlgItem(window, IDC_PROFILE_LIST);
    if (list == nullptr || name.empty()) {
        return;
    }
    const LRESULT found = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(wide(name.c_str())));
    if (found >= 0) {
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    }
}

// "&New..." and "&Edit...": the profile named or loaded, changed in the settings editor, stored
// when something changed and applied where it is the default. True when it was stored.
bool editProfile(WindowState& windows, HWND dialog, bool createNew) {
    Session& session = windows.session;
    AdapterInfo* adapter = selectedAdapter(session, dialog);
    if (adapter == nullptr) {
        return false;
    }
    NetSettings record;
    std::u16string name;
    if (createNew) {
        if (runProfileNameDialog(windows, dialog, name) != kNameAccepted) {
            return false;
        }
        readSystemIdentity(session.registry, record);
    } else {
        // The whole name: an imported one may be longer than a typed one.
        name = selectedProfile(dialog);
        if (name.empty()) {
            return false;
        }
        if (!loadProfile(session.registry, name, record)) {
            showMessage(windows, dialog, failure(IDS_LOAD_FAILED, name));
            return false;
        }
    }
    const NetSettings before = record;
    if (!runSettingsSheet(windows, dialog, record)) {
        return false;
    }
    Messages messages;
    const bool stored = storeEditedProfile(session, *adapter, name, before, record, messages);
    showMessages(windows, dialog, messages);
    return stored;
}

// "&Delete": asks, then deletes. True once the user confirmed, whether or not it was deleted.
bool deleteSelectedProfile(WindowState& windows, HWND dialog) {
    const std::u16string name = selectedProfile(dialog);
    if (selectedAdapter(windows.session, dialog) == nullptr || name.empty() ||
        showMessage(windows, dialog, question(IDS_CONFIRM_DELETE, name)) != IDYES) {
        return false;
    }
    if (!deleteProfile(windows.session.registry, name)) {
        showMessage(windows, dialog, failure(IDS_DELETE_FAILED));
    }
    return true;
}

void setShowAtStartupMark(const ProfilesDialog& data) {
    if (const HMENU menu = commandBarMenu(data.commandBar)) {
        CheckMenuItem(
            menu, IDM_SHOW_AT_STARTUP,
            MF_BYCOMMAND | (data.windows.session.showAtStartup != 0 ? MF_CHECKED : MF_UNCHECKED));
    }
}

// "Undo Last Switch" of the bar's menu is enabled when the adapter selected in `window`, when
// that is the dialog, has a switch to undo.
void showUndoState(WindowState& windows, HWND window) {
    if (GetDlgItem(window, IDC_ADAPTER_LIST) == nullptr) {
        return;  // the hidden main window: no bar
    }
    const ProfilesDialog* data = dialogOf(window);
    const HMENU menu = data != nullptr ? commandBarMenu(data->commandBar) : nullptr;
    const AdapterInfo* adapter = selectedAdapter(windows.session, window);
    if (menu != nullptr) {
        const bool undoable =
            adapter != nullptr && hasLastSwitch(windows.session.registry, *adapter);
        EnableMenuItem(menu, IDM_UNDO_SWITCH, MF_BYCOMMAND | (undoable ? MF_ENABLED : MF_GRAYED));
    }
}

// The program cannot go on without the bar: it ends with exit code 3 without its options.
void endWithoutCommandBar(WindowState& windows, HWND dialog) {
    showMessage(windows, dialog, failure(IDS_NO_MEMORY));
    windows.menuItems.clear();
    windows.session.adapters.clear();
    removeTrayIcon(windows);
    EndDialog(dialog, kDialogResult);
    PostQuitMessage(3);
}

INT_PTR onInitDialog(ProfilesDialog& data, HWND dialog) {
    WindowState& windows = data.windows;
    windows.hwndCurrent = dialog;
    applyBoldFont(windows.boldFont.get(), dialog);
    // The handheld's DWL_USER holds 32 bits; the desktop's DWLP_USER holds the pointer.
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&data));
    data.commandBar = data.makeBar(windows.instance, dialog, kCommandBarId);
    if (data.commandBar == nullptr) {
        endWithoutCommandBar(windows, dialog);
        return FALSE;
    }
    commandBarInsertMenubar(data.commandBar, windows.instance, IDR_COMMANDBAR_MENU);
    commandBarAddAdornments(data.commandBar, windows.instance);
    data.commandBarHeight = commandBarHeight(data.commandBar);
    centerWindow(dialog);

    const DialogOpening opening = openProfilesDialog(windows.session);
    for (const std::u16string& name : opening.adapters) {
        SendDlgItemMessageW(dialog, IDC_ADAPTER_LIST, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(wide(name.c_str())));
    }
    SendDlgItemMessageW(dialog, IDC_ADAPTER_LIST, CB_SETCURSEL, 0, 0);
    enable(dialog, {IDC_APPLY_TO_ALL}, opening.applyToAllEnabled);
    char16_t title[kDefaultStringChars] = {};
    loadAppString(windows.instance, IDS_PRODUCT_NAME, title);
    SetWindowTextW(dialog, wide(title));
    CheckDlgButton(dialog, IDC_APPLY_TO_ALL,
                   opening.applyToAllChecked ? BST_CHECKED : BST_UNCHECKED);
    setShowAtStartupMark(data);
    // The refresh may ask a question: it is asked over the dialog, once the dialog shows.
    PostMessageW(dialog, UM_REFRESHPROFILES, 0, 0);
    return TRUE;
}

// One white line along the bar's lower edge, as the handheld's dialog draws it.
void paintLine(const ProfilesDialog& data, HWND dialog) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(dialog, &paint);
    RECT client{};
    GetClientRect(dialog, &client);
    const HGDIOBJ previous = SelectObject(dc, GetStockObject(WHITE_PEN));
    MoveToEx(dc, client.left, data.commandBarHeight + 2, nullptr);
    LineTo(dc, client.right, data.commandBarHeight + 2);
    SelectObject(dc, previous);
    EndPaint(dialog, &paint);
}

void onCommand(ProfilesDialog& data, HWND dialog, int id, int notification) {
    WindowState& windows = data.windows;
    Session& session = windows.session;
    switch (id) {
        case IDOK:
        case IDCANCEL:
            windows.hwndCurrent = windows.hwndMain;
            EndDialog(dialog, kDialogResult);
            break;
        case IDC_NEW:
        case IDC_EDIT: {
            const BusyScope busy(windows);
            if (editProfile(windows, dialog, id == IDC_NEW)) {
                refreshProfileList(windows, dialog);
            }
            break;
        }
        case IDC_DELETE: {
            const BusyScope busy(windows);
            if (deleteSelectedProfile(windows, dialog)) {
                refreshProfileList(windows, dialog);
            }
            break;
        }
        case IDC_SETTINGS: {
            const BusyScope busy(windows);
            if (const AdapterInfo* adapter = selectedAdapter(session, dialog)) {
                showCurrentSettings(windows, *adapter, dialog);
            }
            break;
        }
        case IDC_ADAPTER_LIST:
            if (notification == CBN_SELCHANGE) {
                const BusyScope busy(windows);
                refreshProfileList(windows, dialog);
                enable(dialog, {IDC_SETTINGS, IDC_NEW},
                       SendDlgItemMessageW(dialog, IDC_ADAPTER_LIST, CB_GETCURSEL, 0, 0) >= 0);
            }
            break;
        case IDC_PROFILE_LIST:
            if (notification == CBN_SELCHANGE) {
                enableProfileButtons(dialog);
            }
            break;
        case IDC_SET: {
            Messages messages;
            if (switchFromDialog(session, selectedAdapter(session, dialog), selectedProfile(dialog),
                                 messages)) {
                showMessages(windows, dialog, messages);
                refreshProfileList(windows, dialog);
            }
            break;
        }
        case IDM_UNDO_SWITCH: {
            // For the selected adapter alone, whatever applyToAll says.
            Messages messages;
            if (AdapterInfo* adapter = selectedAdapter(session, dialog)) {
                undoLastSwitch(session, *adapter, false, messages);
                showMessages(windows, dialog, messages);
                refreshProfileList(windows, dialog);
            }
            break;
        }
        case IDC_APPLY_TO_ALL:
            session.applyToAll =
                IsDlgButtonChecked(dialog, IDC_APPLY_TO_ALL) == BST_CHECKED ? 1 : 0;
            rebuildTrayMenu(windows);
            break;
        case IDM_HELP_TOPICS:
            session.system.showHelp(kHelpMain);
            break;
        case IDM_ABOUT: {
            const BusyScope busy(windows);
            showAboutBox(windows, dialog);
            break;
        }
        case IDM_SHOW_PROFILES:
            ShowWindow(dialog, SW_SHOW);
            SetForegroundWindow(dialog);
            break;
        case IDM_SHOW_AT_STARTUP:
            // Written to the registry when the program ends.
            session.showAtStartup = session.showAtStartup != 0 ? 0 : 1;
            setShowAtStartupMark(data);
            break;
        case IDM_EXPORT: {
            const BusyScope busy(windows);
            exportCommand(windows, dialog);
            break;
        }
        case IDM_IMPORT: {
            const BusyScope busy(windows);
            importCommand(windows, dialog);
            break;
        }
        default:
            break;  // "E&xit" and the icon menu's profiles belong to the main window
    }
}

INT_PTR CALLBACK profilesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return onInitDialog(*reinterpret_cast<ProfilesDialog*>(lParam), dialog);
    }
    ProfilesDialog* data = dialogOf(dialog);
    if (data == nullptr) {
        return FALSE;
    }
    switch (message) {
        case UM_REFRESHPROFILES:
            // The dialog manager shows a new dialog only once its queue is empty, after this
            // message: without this the question would stand alone, the dialog appearing after.
            ShowWindow(dialog, SW_SHOW);
            refreshProfileList(data->windows, dialog);
            return TRUE;
        case WM_PAINT:
            paintLine(*data, dialog);
            return TRUE;
        case WM_HELP:
            data->windows.session.system.showHelp(kHelpMain);
            return TRUE;
        case WM_COMMAND:
            onCommand(*data, dialog, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_DESTROY:
            // Ended, or destroyed with its owner at exit: the main window fronts the program again.
            data->windows.hwndCurrent = data->windows.hwndMain;
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void runProfilesDialog(WindowState& windows, CommandBarFactory makeBar) {
    ProfilesDialog data{windows, makeBar};
    DialogBoxParamW(windows.instance, MAKEINTRESOURCEW(IDD_PROFILES), windows.hwndMain,
                    profilesDialogProc, reinterpret_cast<LPARAM>(&data));
}

void refreshProfileList(WindowState& windows, HWND window) {
    Session& session = windows.session;
    showUndoState(windows, window);
    AdapterInfo* adapter = selectedAdapter(session, window);
    if (adapter == nullptr) {
        return;
    }
    ProfileList list = readProfileList(session.registry, *adapter);
    fillProfileList(window, list.names);
    if (list.offerDefault &&
        showMessage(windows, windows.hwndCurrent, defaultProfileQuestion(*adapter)) == IDYES) {
        char16_t offered[kProfileNameChars] = {};
        loadAppString(windows.instance, IDS_DEFAULT_PROFILE_NAME, offered, kProfileNameChars);
        std::u16string name(offered);
        if (runProfileNameDialog(windows, windows.hwndCurrent, name) != kNameAccepted) {
            return;  // the list's selection, its buttons and the icon's menu stay as they are
        }
        Messages messages;
        if (createProfileFromSystem(session.registry, name, *adapter, messages)) {
            list = readProfileList(session.registry, *adapter);
            fillProfileList(window, list.names);
        }
        showMessages(windows, nullptr, messages);
    }
    selectProfile(window, list.selection);
    enableProfileButtons(window);
    rebuildTrayMenu(windows);
}

}  // namespace corvane
