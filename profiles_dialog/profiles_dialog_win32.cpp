#include "profiles_dialog/profiles_dialog_win32.h"

#include <windows.h>

#include "platform/handles_win32.h"
#include "resources/resource.h"
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

}  // namespace

void showProfilesDialog(AppState& state) {
    DialogBoxParamW(toHinstance(state.hInstance), MAKEINTRESOURCEW(IDD_PROFILES),
                    toHwnd(state.hwndMain), profilesDialogProc, reinterpret_cast<LPARAM>(&state));
}

}  // namespace corvane
