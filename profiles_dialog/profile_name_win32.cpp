// The Profile Name dialog (template 106): the desktop's caption has no OK button, so the
// template carries a default OK button; the caption keeps its help and close buttons.
#include <windows.h>

#include <string>

#include "core/app_state.h"
#include "platform/handles_win32.h"
#include "profiles_dialog/profile_name.h"
#include "resources/resource.h"
#include "ui/ui_support.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

constexpr int kMaxNameChars = kProfileNameChars - 1;
constexpr INT_PTR kNoAdapter = 3;

struct NameDialog {
    AppState* state = nullptr;
    AdapterInfo* adapter = nullptr;
};

// The edit box's whole text, however it got there.
std::u16string typedName(HWND edit) {
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int copied = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return std::u16string(utf16(text));
}

void onOk(HWND dialog, NameDialog& data) {
    const HWND edit = GetDlgItem(dialog, IDC_PROFILE_NAME);
    switch (acceptProfileName(*data.state, toRef(dialog), typedName(edit))) {
        case NameAnswer::Accepted:
            EndDialog(dialog, IDOK);
            break;
        case NameAnswer::Empty:
            SetFocus(edit);
            MessageBeep(0);
            break;
        case NameAnswer::Refused:
            SetFocus(edit);
            SendMessageW(edit, EM_SETSEL, 0, -1);
            break;
    }
}

INT_PTR CALLBACK nameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = reinterpret_cast<NameDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            data = reinterpret_cast<NameDialog*>(lParam);
            if (data == nullptr || data->adapter == nullptr) {
                EndDialog(dialog, kNoAdapter);
                return TRUE;
            }
            setupDialog(*data->state, dialog);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            const HWND edit = GetDlgItem(dialog, IDC_PROFILE_NAME);
            SetWindowTextW(edit, wide(data->state->profileName));
            SendMessageW(edit, EM_LIMITTEXT, kMaxNameChars, 0);
            return TRUE;  // the focus goes to the edit box, the first control that takes it
        }
        case WM_COMMAND:
            if (data == nullptr) {
                return FALSE;
            }
            if (LOWORD(wParam) == IDOK) {
                onOk(dialog, *data);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        case WM_HELP:
            if (data != nullptr) {
                showHelp(*data->state, kHelpMain);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

int runProfileNameDialog(AppState& state, WindowRef owner, AdapterInfo* adapter) {
    NameDialog data{&state, adapter};
    return static_cast<int>(DialogBoxParamW(toHinstance(state.hInstance),
                                            MAKEINTRESOURCEW(IDD_PROFILE_NAME), toHwnd(owner),
                                            nameDialogProc, reinterpret_cast<LPARAM>(&data)));
}

}  // namespace corvane
