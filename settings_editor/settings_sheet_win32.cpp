#include "settings_editor/settings_sheet_win32.h"

#include <commctrl.h>

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

// The soft-reset note is for platforms before 2.11 only.
bool proxyNoteHidden(WindowState& windows) {
    return isPlatform211OrLater(windows.session.system);
}

const DLGTEMPLATE* findTemplate(HINSTANCE instance, int id) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_DIALOG);
    HGLOBAL loaded = resource != nullptr ? LoadResource(instance, resource) : nullptr;
    return loaded != nullptr ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

SettingsSheet* sheetOf(HWND dialog) {
    return reinterpret_cast<SettingsSheet*>(GetWindowLongPtrW(dialog, DWLP_USER));
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

// WM_SAVEPAGE: true when the page accepted its values; a refusal is told, its page brought
// forward and its control focused.
bool savePageControls(SettingsSheet& sheet, HWND page, int index) {
    // The page's controls as it loaded them tell which controls to read back.
    const PageControls controls =
        readControls(page, loadPage(index, *sheet.settings, proxyNoteHidden(sheet.windows)));
    const std::optional<PageRefusal> refused = savePage(index, controls, *sheet.settings);
    if (!refused) {
        return true;
    }
    showMessage(sheet.windows, sheet.sheetWindow, refused->message);
    sheet.ShowPage(index);
    SetFocus(GetDlgItem(page, refused->control));
    return false;
}

INT_PTR pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam, int index) {
    if (message == WM_INITDIALOG) {
        auto* sheet = reinterpret_cast<SettingsSheet*>(lParam);
        SetWindowLongPtrW(page, DWLP_USER, lParam);
        showControls(sheet->windows.boldFont.get(), page,
                     loadPage(index, *sheet->settings, proxyNoteHidden(sheet->windows)));
        applyBoldFont(sheet->windows.boldFont.get(), page);
        return TRUE;
    }
    SettingsSheet* sheet = sheetOf(page);
    if (sheet == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_SAVEPAGE:
            if (lParam != 0 && savePageControls(*sheet, page, index)) {
                *reinterpret_cast<std::int32_t*>(lParam) = 1;
            }
            return FALSE;
        case WM_COMMAND:
            // Enter and Escape reach the page that has the focus; they mean the sheet's OK and
            // close, as in any dialog.
            if ((LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) &&
                sheet->sheetWindow != nullptr) {
                PostMessageW(sheet->sheetWindow, WM_COMMAND, LOWORD(wParam), 0);
                return TRUE;
            }
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

}  // namespace

SettingsSheet::SettingsSheet(WindowState& owningWindows, NetSettings* record)
    : settings(record), windows(owningWindows) {}

bool runSettingsSheet(WindowState& windows, HWND owner, NetSettings& record) {
    SettingsSheet sheet(windows, &record);
    return sheet.Run(owner);
}

bool SettingsSheet::Run(HWND owner) {
    if (settings == nullptr) {
        return false;
    }
    const HINSTANCE instance = windows.instance;
    initCommonControls(ICC_TAB_CLASSES);
    registerIpAddressClass(instance);
    const DLGTEMPLATE* sheetTemplate = findTemplate(instance, IDD_SETTINGS_SHEET);
    finished_ = false;
    HWND dialog = sheetTemplate != nullptr
                      ? CreateDialogIndirectParamW(instance, sheetTemplate, owner, sheetProc,
                                                   reinterpret_cast<LPARAM>(this))
                      : nullptr;
    if (dialog == nullptr) {
        unregisterIpAddressClass(instance);
        return false;
    }
    if (owner != nullptr) {
        EnableWindow(owner, FALSE);
    }
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);

    MSG msg{};
    BOOL got = 0;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        if (currentPage != nullptr && IsDialogMessageW(currentPage, &msg)) {
            continue;
        }
        if (sheetWindow != nullptr && IsDialogMessageW(sheetWindow, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    const bool quit = got == 0;
    const bool ownQuit = quit && finished_;
    if (!ownQuit && sheetWindow != nullptr) {
        // The application is quitting: the sheet must not outlive this object, which its pages
        // point to.
        DestroyWindow(sheetWindow);
    }
    if (owner != nullptr) {
        ShowWindow(owner, SW_SHOWNORMAL);
        EnableWindow(owner, TRUE);
        SetFocus(owner);
    }
    unregisterIpAddressClass(instance);
    if (quit && !ownQuit) {
        // Not ours to swallow: the application's own loop ends on it too.
        PostQuitMessage(static_cast<int>(msg.wParam));
    }
    if (!ownQuit) {
        return false;
    }
    return msg.wParam == 1;
}

void SettingsSheet::ShowPage(int index) {
    HWND tabs = GetDlgItem(sheetWindow, IDC_TABS);
    const auto selected = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
    HWND page = pageAt(index);
    if (index == selected || page == nullptr) {
        return;
    }
    if (HWND shown = pageAt(selected)) {
        ShowWindow(shown, SW_HIDE);
    }
    SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    currentPage = page;
    ShowWindow(page, SW_SHOW);
    SetFocus(page);
}

HWND SettingsSheet::pageAt(int index) const {
    if (sheetWindow == nullptr || index < 0) {
        return nullptr;
    }
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    if (!SendMessageW(GetDlgItem(sheetWindow, IDC_TABS), TCM_GETITEMW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&item))) {
        return nullptr;
    }
    return reinterpret_cast<HWND>(item.lParam);
}

void SettingsSheet::createPages() {
    HWND tabs = GetDlgItem(sheetWindow, IDC_TABS);
    // The pages are the tab control's children: without WS_CLIPCHILDREN its own repaint after a
    // tab change would cover a page that had already painted itself.
    SetWindowLongPtrW(tabs, GWL_STYLE,
                      GetWindowLongPtrW(tabs, GWL_STYLE) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    const HINSTANCE instance = windows.instance;
    for (int i = 0; i < kPageCount; ++i) {
        const DLGTEMPLATE* pageTemplate = findTemplate(instance, kPageTabs[i].templateId);
        HWND page = pageTemplate != nullptr
                        ? CreateDialogIndirectParamW(instance, pageTemplate, tabs, kPageProcs[i],
                                                     reinterpret_cast<LPARAM>(this))
                        : nullptr;
        char16_t text[kTabTextChars] = {};
        loadAppString(windows.instance, kPageTabs[i].textId, text, kTabTextChars);
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = wide(text);
        item.lParam = reinterpret_cast<LPARAM>(page);
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
    currentPage = pageAt(kLogonPage);
    const int top = GetSystemMetrics(SM_CYCAPTION) + 3;
    for (int i = 0; i < kPageCount; ++i) {
        if (HWND page = pageAt(i)) {
            SetWindowPos(page, nullptr, 6, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            ShowWindow(page, i == kLogonPage ? SW_SHOW : SW_HIDE);
        }
    }
    SetFocus(currentPage);
}

void SettingsSheet::confirm() {
    HWND tabs = GetDlgItem(sheetWindow, IDC_TABS);
    // The count is asked again after every page, as a page may have changed the sheet.
    for (int i = 0; i < static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)); ++i) {
        std::int32_t result = 0;
        if (HWND page = pageAt(i)) {
            SendMessageW(page, WM_SAVEPAGE, 0, reinterpret_cast<LPARAM>(&result));
        }
        if (result == 0) {
            return;  // the page has told the user and shown itself; the sheet stays open
        }
    }
    finish(1);
}

void SettingsSheet::finish(int exitCode) {
    finished_ = true;
    DestroyWindow(sheetWindow);
    PostQuitMessage(exitCode);
}

INT_PTR CALLBACK SettingsSheet::sheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* sheet = reinterpret_cast<SettingsSheet*>(lParam);
        sheet->sheetWindow = dialog;
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        setupDialog(sheet->windows, dialog);
        sheet->createPages();
        // The focus is in the Logon page already; TRUE would move it to the OK button.
        return FALSE;
    }
    SettingsSheet* sheet = sheetOf(dialog);
    if (sheet == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            HWND tabs = GetDlgItem(dialog, IDC_TABS);
            const auto selected = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
            if (header->code == TCN_SELCHANGING) {
                if (HWND page = sheet->pageAt(selected)) {
                    ShowWindow(page, SW_HIDE);
                }
            } else if (header->code == TCN_SELCHANGE) {
                if (HWND page = sheet->pageAt(selected)) {
                    sheet->currentPage = page;
                    ShowWindow(page, SW_SHOW);
                    SetFocus(page);
                }
            }
            return FALSE;
        }
        case WM_HELP:
            sheet->windows.session.system.showHelp(kHelpProfiles);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                sheet->confirm();
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                sheet->finish(2);
                return FALSE;
            }
            return FALSE;
        case WM_DESTROY:
            // The pages go with the sheet; nothing may reach them afterwards.
            sheet->sheetWindow = nullptr;
            sheet->currentPage = nullptr;
            SetWindowLongPtrW(dialog, DWLP_USER, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace corvane
