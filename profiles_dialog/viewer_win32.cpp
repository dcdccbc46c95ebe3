#include "profiles_dialog/viewer_win32.h"

#include <commctrl.h>

#include "core/current_settings.h"
#include "core/text.h"
#include "platform/late_modules_win32.h"
#include "platform/wide_text_win32.h"
#include "profiles_dialog/profiles_dialog.h"
#include "resources/resource.h"
#include "ui/ui_support.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

constexpr int kPropertyWidth = 106;
constexpr int kValueWidth = 212;

struct Viewed {
    WindowState& windows;
    const AdapterInfo& adapter;
};

void addColumn(HWND list, int index, const char16_t* title, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(wide(title));
    column.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

void fillList(HINSTANCE instance, HWND list, const SettingsRows& rows) {
    char16_t text[kDefaultStringChars] = {};
    loadAppString(instance, IDS_COLUMN_PROPERTY, text);
    addColumn(list, 0, text, kPropertyWidth);
    loadAppString(instance, IDS_COLUMN_VALUE, text);
    addColumn(list, 1, text, kValueWidth);
    int index = 0;
    for (const SettingsRow& row : rows) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        loadAppString(instance, row.labelId, text);
        item.pszText = wide(text);
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        std::u16string value = row.value;
        if (row.valueId != 0) {
            loadAppString(instance, row.valueId, text);
            value = text;
        }
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(wide(value.c_str()));
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index++),
                     reinterpret_cast<LPARAM>(&item));
    }
}

INT_PTR CALLBACK viewerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const auto& viewed = *reinterpret_cast<const Viewed*>(lParam);
            setupDialog(viewed.windows, dialog);
            fillList(viewed.windows.instance, GetDlgItem(dialog, IDC_SETTINGS_LIST),
                     currentSettingsRows(viewed.windows.session.registry, viewed.adapter));
            SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&viewed.windows));
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        case WM_HELP:
            if (auto* windows =
                    reinterpret_cast<WindowState*>(GetWindowLongPtrW(dialog, DWLP_USER))) {
                windows->session.system.showHelp(kHelpMain);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        WindowState& windows = *reinterpret_cast<WindowState*>(lParam);
        setupDialog(windows, dialog);
        char16_t format[kDefaultStringChars] = {};
        char16_t text[kDefaultStringChars] = {};
        for (const AboutLine& line : aboutStoreLines(windows.session.system)) {
            loadAppString(windows.instance, line.textId, format);
            formatNumbers(textOf(format), std::span(&line.kilobytes, 1), text);
            SetDlgItemTextW(dialog, line.controlId, wide(text));
        }
        loadAppString(windows.instance, IDS_VERSION, text);
        SetDlgItemTextW(dialog, IDC_VERSION, wide(text));
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void showCurrentSettings(WindowState& windows, const AdapterInfo& adapter, HWND owner) {
    initCommonControls(ICC_LISTVIEW_CLASSES);
    Viewed viewed{windows, adapter};
    DialogBoxParamW(windows.instance, MAKEINTRESOURCEW(IDD_CURRENT_SETTINGS), owner, viewerProc,
                    reinterpret_cast<LPARAM>(&viewed));
}

void showAboutBox(WindowState& windows, HWND owner) {
    DialogBoxParamW(windows.instance, MAKEINTRESOURCEW(IDD_ABOUT), owner, aboutProc,
                    reinterpret_cast<LPARAM>(&windows));
}

}  // namespace corvane
