// The sheet is an ordinary modal dialog. Its pages are child dialogs of its tab control; made
// control parents, like the tab control, they let the sheet's dialog manager move the focus through
// their controls and take Enter and Escape in them as the sheet's OK and close.
#include "settings_editor/settings_sheet_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>

#include "address_control/ip_address_control_win32.h"
#include "core/text.h"
#include "platform/late_modules_win32.h"
#include "platform/wide_text_win32.h"
#include "resources/resource.h"
#include "settings_editor/settings_pages.h"
#include "ui/ui_support.h"
#include "ui/ui_support_win32.h"
#include "ui/window_state_win32.h"

namespace corvane {
namespace {

constexpr int kTabTextChars = 40;

// The sheet's data, reached by the sheet and its pages through their user slots.
struct Sheet {
    WindowState& windows;
    NetSettings& record;
    HWND window = nullptr;   // the sheet, from its WM_INITDIALOG on
    bool confirmed = false;  // every page accepted its values on OK
};

Sheet* sheetOf(HWND dialog) {
    return reinterpret_cast<Sheet*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// The soft-reset note is for platforms before 2.11 only.
bool proxyNoteHidden(const Sheet& sheet) {
    return isPlatform211OrLater(sheet.windows.session.system);
}

HWND tabsOf(HWND sheetWindow) {
    return GetDlgItem(sheetWindow, IDC_TABS);
}

// The page of tab `index`: each tab item carries its page's window.
HWND pageAt(HWND sheetWindow, int index) {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    if (!SendMessageW(tabsOf(sheetWindow), TCM_GETITEMW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&item))) {
        return nullptr;
    }
    return reinterpret_cast<HWND>(item.lParam);
}

int selectedTab(HWND sheetWindow) {
    return static_cast<int>(SendMessageW(tabsOf(sheetWindow), TCM_GETCURSEL, 0, 0));
}

void showPageWindow(HWND page) {
    if (page != nullptr) {
        ShowWindow(page, SW_SHOW);
        SetFocus(page);
    }
}

// Brings the page of tab `index` to the front.
void showPage(HWND sheetWindow, int index) {
    const int selected = selectedTab(sheetWindow);
    HWND page = pageAt(sheetWindow, index);
    if (index == selected || page == nullptr) {
        return;
    }
    if (HWND shown = pageAt(sheetWindow, selected)) {
        ShowWindow(shown, SW_HIDE);
    }
    SendMessageW(tabsOf(sheetWindow), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    showPageWindow(page);
}

void addStyle(HWND window, int index, LONG_PTR style) {
    SetWindowLongPtrW(window, index, GetWindowLongPtrW(window, index) | style);
}

// Puts a page's control states into its dialog items.
void showControls(HFONT boldFont, HWND page, const PageControls& controls) {
    for (const ControlState& control : controls) {
        const HWND item = GetDlgItem(page, control.id);
        switch (control.kind) {
            case ControlKind::Edit:
                if (control.limit > 0) {
                    SendMessageW(item, EM_LIMITTEXT, static_cast<WPARAM>(control.limit), 0);
                }
                SetWindowTextW(item, wide(control.text.c_str()));
                break;
            case ControlKind::Address:
                setAddressText(item, control.text);
                break;
            case ControlKind::Button:
                SendMessageW(item, BM_SETCHECK, control.checked ? BST_CHECKED : BST_UNCHECKED, 0);
                break;
            case ControlKind::Static:
                break;
        }
        if (control.bold && boldFont != nullptr) {
            SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont), TRUE);
        }
        EnableWindow(item, control.enabled ? TRUE : FALSE);
        if (!control.visible) {
            ShowWindow(item, SW_HIDE);
        }
    }
}

// What the user left in the page's controls, read as the controls hold it.
PageControls readControls(HWND page, PageControls controls) {
    for (ControlState& control : controls) {
        const HWND item = GetDlgItem(page, control.id);
        if (control.kind == ControlKind::Edit) {
            const int length = GetWindowTextLengthW(item);
            std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
            text.resize(static_cast<std::size_t>(
                std::max(0, GetWindowTextW(item, text.data(), static_cast<int>(text.size())))));
            control.text = utf16(text);
        } else if (control.kind == ControlKind::Address) {
            char16_t text[kFieldChars] = {};
            getAddressText(item, text);
            control.text = textOf(text);
        } else if (control.kind == ControlKind::Button) {
            control.checked = SendMessageW(item, BM_GETCHECK, 0, 0) == BST_CHECKED;
        }
    }
    return controls;
}

void changeControls(HWND page, const PageChange& change) {
    for (const auto& [id, checked] : change.checked) {
        SendDlgItemMessageW(page, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    for (const auto& [id, enabled] : change.enabled) {
        EnableWindow(GetDlgItem(page, id), enabled ? TRUE : FALSE);
    }
}

// UM_SAVEPAGE: true when the page accepted its values; a refusal is told, its page brought
// forward and its control focused.
bool savePageControls(const Sheet& sheet, HWND page, int index) {
    // The page's controls as it loaded them tell which controls to read back.
    const PageControls controls =
        readControls(page, loadPage(index, sheet.record, proxyNoteHidden(sheet)));
    const std::optional<PageRefusal> refused = savePage(index, controls, sheet.record);
    if (!refused) {
        return true;
    }
    showMessage(sheet.windows, sheet.window, refused->message);
    showPage(sheet.window, index);
    SetFocus(GetDlgItem(page, refused->control));
    return false;
}

INT_PTR pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam, int index) {
    if (message == WM_INITDIALOG) {
        const auto* sheet = reinterpret_cast<const Sheet*>(lParam);
        SetWindowLongPtrW(page, DWLP_USER, lParam);
        showControls(sheet->windows.boldFont.get(), page,
                     loadPage(index, sheet->record, proxyNoteHidden(*sheet)));
        applyBoldFont(sheet->windows.boldFont.get(), page);
        return TRUE;
    }
    const Sheet* sheet = sheetOf(page);
    if (sheet == nullptr) {
        return FALSE;
    }
    switch (message) {
        case UM_SAVEPAGE:
            // lParam: the sheet's 32-bit result, 0 until a page accepts its values.
            if (lParam != 0 && savePageControls(*sheet, page, index)) {
                *reinterpret_cast<std::int32_t*>(lParam) = 1;
            }
            return FALSE;
        case WM_COMMAND:
            changeControls(page,
                           pageCommand(index, LOWORD(wParam),
                                       IsDlgButtonChecked(page, LOWORD(wParam)) == BST_CHECKED));
            return FALSE;
        case WM_HELP:
            // Handled here, or the default handling would pass it up to the sheet as well.
            sheet->windows.session.system.showHelp(kHelpProfiles);
            return TRUE;
        default:
            return FALSE;
    }
}

template <int kIndex>
INT_PTR CALLBACK pageProcOf(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return pageProc(page, message, wParam, lParam, kIndex);
}

constexpr DLGPROC kPageProcs[kPageCount] = {pageProcOf<0>, pageProcOf<1>, pageProcOf<2>,
                                            pageProcOf<3>};

void createPages(Sheet& sheet) {
    HWND tabs = tabsOf(sheet.window);
    // The pages are the tab control's children: without WS_CLIPCHILDREN its own repaint after a
    // tab change would cover a page that had already painted itself.
    addStyle(tabs, GWL_STYLE, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    addStyle(tabs, GWL_EXSTYLE, WS_EX_CONTROLPARENT);
    const HINSTANCE instance = sheet.windows.instance;
    for (int i = 0; i < kPageCount; ++i) {
        HWND page = CreateDialogParamW(instance, MAKEINTRESOURCEW(kPageTabs[i].templateId), tabs,
                                       kPageProcs[i], reinterpret_cast<LPARAM>(&sheet));
        if (page != nullptr) {
            addStyle(page, GWL_EXSTYLE, WS_EX_CONTROLPARENT);
        }
        char16_t text[kTabTextChars] = {};
        loadAppString(instance, kPageTabs[i].textId, text, kTabTextChars);
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = wide(text);
        item.lParam = reinterpret_cast<LPARAM>(page);
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
    const int top = GetSystemMetrics(SM_CYCAPTION) + 3;
    for (int i = 0; i < kPageCount; ++i) {
        if (HWND page = pageAt(sheet.window, i)) {
            SetWindowPos(page, nullptr, 6, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
    }
    showPageWindow(pageAt(sheet.window, kLogonPage));
}

// OK: every page saves in tab order; the first refusal keeps the sheet open, its page having told
// the user and shown itself.
void confirm(Sheet& sheet) {
    HWND tabs = tabsOf(sheet.window);
    // The count is asked again after every page, as a page may have changed the sheet.
    for (int i = 0; i < static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)); ++i) {
        std::int32_t result = 0;
        if (HWND page = pageAt(sheet.window, i)) {
            SendMessageW(page, UM_SAVEPAGE, 0, reinterpret_cast<LPARAM>(&result));
        }
        if (result == 0) {
            return;
        }
    }
    sheet.confirmed = true;
    EndDialog(sheet.window, IDOK);
}

INT_PTR CALLBACK sheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* sheet = reinterpret_cast<Sheet*>(lParam);
        sheet->window = dialog;
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        setupDialog(sheet->windows, dialog);
        createPages(*sheet);
        // The focus is in the Logon page already; TRUE would move it to the OK button.
        return FALSE;
    }
    Sheet* sheet = sheetOf(dialog);
    if (sheet == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            HWND page = pageAt(dialog, selectedTab(dialog));
            // Switching tabs neither saves nor checks anything.
            if (header->code == TCN_SELCHANGING && page != nullptr) {
                ShowWindow(page, SW_HIDE);
            } else if (header->code == TCN_SELCHANGE) {
                showPageWindow(page);
            }
            return FALSE;
        }
        case WM_HELP:
            sheet->windows.session.system.showHelp(kHelpProfiles);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                confirm(*sheet);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

bool runSettingsSheet(WindowState& windows, HWND owner, NetSettings& record) {
    const HINSTANCE instance = windows.instance;
    initCommonControls(ICC_TAB_CLASSES);
    registerIpAddressClass(instance);
    Sheet sheet{windows, record};
    const INT_PTR ended = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SETTINGS_SHEET), owner,
                                          sheetProc, reinterpret_cast<LPARAM>(&sheet));
    unregisterIpAddressClass(instance);
    if (ended == -1) {
        return false;  // never shown: the owner stands as it was
    }
    if (owner != nullptr) {
        // A quit request ends the sheet without giving the owner back: do it here either way.
        ShowWindow(owner, SW_SHOWNORMAL);
        EnableWindow(owner, TRUE);
        SetFocus(owner);
    }
    // Not the dialog's result: a quit request ends the dialog's loop with the default button's
    // id, IDOK, as its result.
    return sheet.confirmed;
}

}  // namespace corvane
