// The desktop's caption has no OK button, so the template carries a default OK button; the
// caption keeps its help and close buttons.
#include "profiles_dialog/profile_name_win32.h"

#include "platform/wide_text_win32.h"
#include "profiles_dialog/profile_name.h"
#include "resources/resource.h"
#include "ui/ui_support.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

struct NameDialog {
    WindowState& windows;
    std::u16string& name;
};

// The edit box's whole text, however it got there.
std::u16string typedText(HWND edit) {
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int copied = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return std::u16string(utf16(text));
}

void onOk(HWND dialog, NameDialog& data) {
    const HWND edit = GetDlgItem(dialog, IDC_PROFILE_NAME);
    const NameCheck check = acceptProfileName(data.windows.session.registry, typedText(edit));
    switch (check.answer) {
        case NameAnswer::Accepted:
            data.name = check.name;
            EndDialog(dialog, kNameAccepted);
            break;
        case NameAnswer::Empty:
            SetFocus(edit);
            MessageBeep(0);
            break;
        case NameAnswer::Refused:
            showMessage(data.windows, dialog, check.message);
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
            setupDialog(data->windows, dialog);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            const HWND edit = GetDlgItem(dialog, IDC_PROFILE_NAME);
            SetWindowTextW(edit, wide(data->name.c_str()));
            SendMessageW(edit, EM_LIMITTEXT, kProfileNameChars - 1, 0);
            return TRUE;  // the focus goes to the edit box, the first control that takes it
        }
        case WM_COMMAND:
            if (data != nullptr && LOWORD(wParam) == IDOK) {
                onOk(dialog, *data);
                return TRUE;
            }
            if (data != nullptr && LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, kNameCancelled);
                return TRUE;
            }
            return FALSE;
        case WM_HELP:
            if (data != nullptr) {
                data->windows.session.system.showHelp(kHelpMain);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

int runProfileNameDialog(WindowState& windows, HWND owner, std::u16string& name) {
    NameDialog data{windows, name};
    return static_cast<int>(DialogBoxParamW(windows.instance, MAKEINTRESOURCEW(IDD_PROFILE_NAME),
                                            owner, nameDialogProc,
                                            reinterpret_cast<LPARAM>(&data)));
}

}  // namespace corvane
