#include "profiles_dialog/profiles_dialog_win32.h"

#include <string>

#include "core/settings_io.h"
#include "platform/command_bar_win32.h"
#include "platform/handles_win32.h"
#include "profiles/profile_store.h"
#include "profiles_dialog/profile_files_win32.h"
#include "profiles_dialog/profile_name.h"
#include "profiles_dialog/profile_name_win32.h"
#include "profiles_dialog/profiles_dialog.h"
#include "profiles_dialog/viewer_win32.h"
#include "resources/resource.h"
#include "settings_editor/settings_sheet_win32.h"
#include "tray/tray_win32.h"
#include "ui/ui_support.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

constexpr int kCommandBarId = 1;
constexpr INT_PTR kDialogResult = 2;

CommandBarFactory g_createCommandBar = commandBarCreate;

AppState* stateOf(HWND dialog) {
    return reinterpret_cast<AppState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// The adapter selected in `window`; a window without an adapter list (the hidden main window)
// reads as the first adapter.
AdapterInfo* selectedAdapter(const AppState& state, HWND window) {
    const HWND list = GetDlgItem(window, IDC_ADAPTER_LIST);
    const int index =
        list != nullptr ? static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)) : 0;
    return state.adapters ? state.adapters->at(index) : nullptr;
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
bool editProfile(AppState& state, HWND dialog, bool createNew) {
    AdapterInfo* adapter = selectedAdapter(state, dialog);
    if (adapter == nullptr) {
        return false;
    }
    NetSettings record;
    std::u16string name;
    if (createNew) {
        if (runProfileNameDialog(state, dialog, adapter, name) != kNameAccepted) {
            return false;
        }
        readSystemIdentity(*state.registry, record);
    } else {
        // The whole name: an imported one may be longer than a typed one.
        name = selectedProfile(dialog);
        if (name.empty()) {
            return false;
        }
        if (!loadProfile(*state.registry, name, record)) {
            showMessage(state, dialog, failure(IDS_LOAD_FAILED, name));
            return false;
        }
    }
    const NetSettings before = record;
    SettingsSheet sheet(state, &record);
    if (!sheet.Run(dialog)) {
        return false;
    }
    Messages messages;
    const bool stored = storeEditedProfile(state, *adapter, name, before, record, messages);
    showMessages(state, dialog, messages);
    return stored;
}

// "&Delete": asks, then deletes. True once the user confirmed, whether or not it was deleted.
bool deleteSelectedProfile(AppState& state, HWND dialog) {
    const std::u16string name = selectedProfile(dialog);
    if (selectedAdapter(state, dialog) == nullptr || name.empty() ||
        showMessage(state, dialog, question(IDS_CONFIRM_DELETE, name)) != IDYES) {
        return false;
    }
    if (!deleteProfile(*state.registry, name)) {
        showMessage(state, dialog, failure(IDS_DELETE_FAILED));
    }
    return true;
}

void setShowAtStartupMark(const AppState& state) {
    if (const HMENU menu = commandBarMenu(toHwnd(state.commandBar))) {
        CheckMenuItem(menu, IDM_SHOW_AT_STARTUP,
                      MF_BYCOMMAND | (state.showAtStartup != 0 ? MF_CHECKED : MF_UNCHECKED));
    }
}

// The application cannot go on without the bar: it ends with exit code 3 without its options.
void endWithoutCommandBar(AppState& state, HWND dialog) {
    showMessage(state, dialog, failure(IDS_NO_MEMORY));
    state.menuItems.clear();
    state.adapters.reset();
    removeTrayIcon(state);
    EndDialog(dialog, kDialogResult);
    PostQuitMessage(3);
}

INT_PTR onInitDialog(AppState& state, HWND dialog) {
    state.hwndCurrent = toRef(dialog);
    applyBoldFont(state, dialog);
    // The handheld's DWL_USER holds 32 bits; the desktop's DWLP_USER holds the pointer.
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    const HINSTANCE instance = toHinstance(state.hInstance);
    const HWND bar = g_createCommandBar(instance, dialog, kCommandBarId);
    if (bar == nullptr) {
        endWithoutCommandBar(state, dialog);
        return FALSE;
    }
    state.commandBar = toRef(bar);
    commandBarInsertMenubar(bar, instance, IDR_COMMANDBAR_MENU);
    commandBarAddAdornments(bar, instance);
    state.commandBarHeight = commandBarHeight(bar);
    centerWindow(dialog);

    const DialogOpening opening = openProfilesDialog(state);
    for (const std::u16string& name : opening.adapters) {
        SendDlgItemMessageW(dialog, IDC_ADAPTER_LIST, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(wide(name.c_str())));
    }
    SendDlgItemMessageW(dialog, IDC_ADAPTER_LIST, CB_SETCURSEL, 0, 0);
    enable(dialog, {IDC_APPLY_TO_ALL}, opening.applyToAllEnabled);
    char16_t title[kDefaultStringChars] = {};
    loadAppString(state, IDS_PRODUCT_NAME, title);
    SetWindowTextW(dialog, wide(title));
    CheckDlgButton(dialog, IDC_APPLY_TO_ALL,
                   opening.applyToAllChecked ? BST_CHECKED : BST_UNCHECKED);
    setShowAtStartupMark(state);
    // The refresh may ask a question: it is asked over the dialog, once the dialog shows.
    PostMessageW(dialog, UM_REFRESHPROFILES, 0, 0);
    return TRUE;
}

// One white line along the bar's lower edge, as the handheld's dialog draws it.
void paintLine(const AppState& state, HWND dialog) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(dialog, &paint);
    RECT client{};
    GetClientRect(dialog, &client);
    const HGDIOBJ previous = SelectObject(dc, GetStockObject(WHITE_PEN));
    MoveToEx(dc, client.left, state.commandBarHeight + 2, nullptr);
    LineTo(dc, client.right, state.commandBarHeight + 2);
    SelectObject(dc, previous);
    EndPaint(dialog, &paint);
}

void onCommand(AppState& state, HWND dialog, int id, int notification) {
    const DialogCommand command = dialogCommand(id, notification);
    if (command.busy) {
        state.busy = true;
    }
    switch (command.action) {
        case DialogAction::Close:
            state.hwndCurrent = state.hwndMain;
            EndDialog(dialog, kDialogResult);
            break;
        case DialogAction::New:
        case DialogAction::Edit:
            if (editProfile(state, dialog, command.action == DialogAction::New)) {
                refreshProfileList(state, dialog);
            }
            break;
        case DialogAction::Delete:
            if (deleteSelectedProfile(state, dialog)) {
                refreshProfileList(state, dialog);
            }
            break;
        case DialogAction::ShowSettings:
            if (const AdapterInfo* adapter = selectedAdapter(state, dialog)) {
                showCurrentSettings(state, *adapter, dialog);
            }
            break;
        case DialogAction::AdapterSelected:
            refreshProfileList(state, dialog);
            enable(dialog, {IDC_SETTINGS, IDC_NEW},
                   SendDlgItemMessageW(dialog, IDC_ADAPTER_LIST, CB_GETCURSEL, 0, 0) >= 0);
            break;
        case DialogAction::ProfileSelected:
            enableProfileButtons(dialog);
            break;
        case DialogAction::Set: {
            Messages messages;
            if (switchFromDialog(state, selectedAdapter(state, dialog), selectedProfile(dialog),
                                 messages)) {
                showMessages(state, dialog, messages);
                refreshProfileList(state, dialog);
            }
            break;
        }
        case DialogAction::ApplyToAll:
            state.applyToAll = IsDlgButtonChecked(dialog, IDC_APPLY_TO_ALL) == BST_CHECKED ? 1 : 0;
            rebuildTrayMenu(state);
            break;
        case DialogAction::HelpTopics:
            showHelp(state, kHelpMain);
            break;
        case DialogAction::About:
            showAboutBox(state, dialog);
            break;
        case DialogAction::BringForward:
            ShowWindow(dialog, SW_SHOW);
            SetForegroundWindow(dialog);
            break;
        case DialogAction::ToggleShowAtStartup:
            // Written to the registry when the program ends.
            state.showAtStartup = state.showAtStartup != 0 ? 0 : 1;
            setShowAtStartupMark(state);
            break;
        case DialogAction::Export:
            exportCommand(state, dialog);
            break;
        case DialogAction::Import:
            importCommand(state, dialog);
            break;
        case DialogAction::None:
            break;
    }
    if (command.busy) {
        state.busy = false;
    }
}

INT_PTR CALLBACK profilesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return onInitDialog(*reinterpret_cast<AppState*>(lParam), dialog);
    }
    AppState* state = stateOf(dialog);
    if (state == nullptr) {
        return FALSE;
    }
    switch (message) {
        case UM_REFRESHPROFILES:
            // The dialog manager shows a new dialog only once its queue is empty, after this
            // message: without this the question would stand alone, the dialog appearing after.
            ShowWindow(dialog, SW_SHOW);
            refreshProfileList(*state, dialog);
            return TRUE;
        case WM_PAINT:
            paintLine(*state, dialog);
            return TRUE;
        case WM_HELP:
            showHelp(*state, kHelpMain);
            return TRUE;
        case WM_COMMAND:
            onCommand(*state, dialog, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_DESTROY:
            // Ended, or destroyed with its owner at exit: the main window fronts the program again.
            state->hwndCurrent = state->hwndMain;
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

CommandBarFactory setCommandBarFactory(CommandBarFactory factory) {
    const CommandBarFactory previous = g_createCommandBar;
    g_createCommandBar = factory != nullptr ? factory : commandBarCreate;
    return previous;
}

void showProfilesDialog(AppState& state) {
    DialogBoxParamW(toHinstance(state.hInstance), MAKEINTRESOURCEW(IDD_PROFILES),
                    toHwnd(state.hwndMain), profilesDialogProc, reinterpret_cast<LPARAM>(&state));
}

void refreshProfileList(AppState& state, HWND window) {
    AdapterInfo* adapter = selectedAdapter(state, window);
    if (adapter == nullptr) {
        return;
    }
    ProfileList list = readProfileList(state, *adapter);
    fillProfileList(window, list.names);
    if (list.offerDefault &&
        showMessage(state, toHwnd(state.hwndCurrent), defaultProfileQuestion(*adapter)) == IDYES) {
        char16_t offered[kProfileNameChars] = {};
        loadAppString(state, IDS_DEFAULT_PROFILE_NAME, offered, kProfileNameChars);
        std::u16string name(offered);
        if (runProfileNameDialog(state, toHwnd(state.hwndCurrent), adapter, name) !=
            kNameAccepted) {
            return;  // the list's selection, its buttons and the icon's menu stay as they are
        }
        Messages messages;
        if (createProfileFromSystem(*state.registry, name, *adapter, messages)) {
            list = readProfileList(state, *adapter);
            fillProfileList(window, list.names);
        }
        showMessages(state, nullptr, messages);
    }
    selectProfile(window, list.selection);
    enableProfileButtons(window);
    rebuildTrayMenu(state);
}

}  // namespace corvane
