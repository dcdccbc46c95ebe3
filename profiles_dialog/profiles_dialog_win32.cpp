#include "profiles_dialog/profiles_dialog_win32.h"

#include <string>

#include "platform/handles_win32.h"
#include "profiles/profile_store.h"
#include "profiles_dialog/profile_name.h"
#include "profiles_dialog/profile_name_win32.h"
#include "profiles_dialog/profiles_dialog.h"
#include "resources/resource.h"
#include "tray/tray_win32.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

// For now the dialog shows its controls and ends with OK (Enter) or cancel (Escape, close);
// its commands are not handled yet.
INT_PTR CALLBACK profilesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<AppState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            state = reinterpret_cast<AppState*>(lParam);
            // The handheld's DWL_USER slot holds 32 bits; the desktop's DWLP_USER holds the
            // pointer.
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            state->hwndCurrent = toRef(dialog);
            setupDialog(*state, dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            // Ended, or destroyed with its owner at exit: the main window fronts the program again.
            if (state != nullptr) {
                state->hwndCurrent = state->hwndMain;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

// The adapter selected in `window`; a window without an adapter list (the hidden main window)
// reads as the first adapter.
AdapterInfo* selectedAdapter(const AppState& state, HWND window) {
    const HWND list = GetDlgItem(window, IDC_ADAPTER_LIST);
    const int index =
        list != nullptr ? static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)) : 0;
    return state.adapters ? state.adapters->at(index) : nullptr;
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

// Selects the item whose whole text is `name`, letter case ignored as the list box compares;
// enables the buttons that need a selected profile when there is one.
void selectProfile(HWND window, const std::u16string& name) {
    const HWND list = GetDlgItem(window, IDC_PROFILE_LIST);
    if (list == nullptr) {
        return;
    }
    if (!name.empty()) {
        const LRESULT found = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(wide(name.c_str())));
        if (found >= 0) {
            SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
        }
    }
    const BOOL selected = SendMessageW(list, CB_GETCURSEL, 0, 0) >= 0;
    for (const int id : {IDC_DELETE, IDC_EDIT, IDC_SET}) {
        EnableWindow(GetDlgItem(window, id), selected);
    }
}

}  // namespace

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
        if (createProfileFromSystem(state, name, *adapter, messages)) {
            list = readProfileList(state, *adapter);
            fillProfileList(window, list.names);
        }
        showMessages(state, nullptr, messages);
    }
    selectProfile(window, list.selection);
    rebuildTrayMenu(state);
}

}  // namespace corvane
