#include "profiles_dialog/profile_views_win32.h"

#include <windows.h>

#include <string>

#include "core/app_state.h"
#include "platform/handles_win32.h"
#include "profiles_dialog/profile_name.h"
#include "resources/resource.h"

namespace corvane {
namespace {

// The control, or null when the window has none of that id (the hidden main window).
HWND control(WindowRef window, int id) {
    return window != 0 ? GetDlgItem(toHwnd(window), id) : nullptr;
}

LRESULT send(HWND list, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(list, message, wParam, lParam);
}

}  // namespace

int Win32ProfileViews::adapterSelection(WindowRef window) {
    const HWND list = control(window, IDC_ADAPTER_LIST);
    return list != nullptr ? static_cast<int>(send(list, CB_GETCURSEL)) : 0;
}

void Win32ProfileViews::resetProfiles(WindowRef window) {
    if (const HWND list = control(window, IDC_PROFILE_LIST)) {
        send(list, CB_RESETCONTENT);
    }
}

void Win32ProfileViews::addProfile(WindowRef window, std::u16string_view name) {
    if (const HWND list = control(window, IDC_PROFILE_LIST)) {
        const std::wstring text(name.begin(), name.end());
        send(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

int Win32ProfileViews::profileCount(WindowRef window) {
    const HWND list = control(window, IDC_PROFILE_LIST);
    return list != nullptr ? static_cast<int>(send(list, CB_GETCOUNT)) : 0;
}

int Win32ProfileViews::profileSelection(WindowRef window) {
    const HWND list = control(window, IDC_PROFILE_LIST);
    return list != nullptr ? static_cast<int>(send(list, CB_GETCURSEL)) : CB_ERR;
}

void Win32ProfileViews::selectProfile(WindowRef window, int index) {
    if (const HWND list = control(window, IDC_PROFILE_LIST)) {
        send(list, CB_SETCURSEL, static_cast<WPARAM>(index));
    }
}

int Win32ProfileViews::findProfile(WindowRef window, std::u16string_view name) {
    const HWND list = control(window, IDC_PROFILE_LIST);
    if (list == nullptr) {
        return CB_ERR;
    }
    const std::wstring text(name.begin(), name.end());
    return static_cast<int>(send(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(text.c_str())));
}

std::u16string Win32ProfileViews::profileText(WindowRef window, int index) {
    const HWND list = control(window, IDC_PROFILE_LIST);
    if (list == nullptr) {
        return {};
    }
    // Sized by the item itself: no item's text can overrun the buffer.
    const LRESULT length = send(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        send(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (copied < 0 || copied > length) {
        return {};
    }
    text.resize(static_cast<std::size_t>(copied));
    return std::u16string(utf16(text));
}

void Win32ProfileViews::enableProfileButtons(WindowRef window, bool enable) {
    for (const int id : {IDC_DELETE, IDC_EDIT, IDC_SET}) {
        if (const HWND button = control(window, id)) {
            EnableWindow(button, enable ? TRUE : FALSE);
        }
    }
}

int Win32ProfileViews::promptProfileName(AppState& state, AdapterInfo* adapter) {
    return runProfileNameDialog(state, state.hwndCurrent, adapter);
}

}  // namespace corvane
