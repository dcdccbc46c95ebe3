#include "ui/command_bar_win32.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "platform/late_modules_win32.h"
#include "resources/resource.h"
#include "ui/window_handles_win32.h"

namespace corvane {
namespace {

constexpr wchar_t kBarClass[] = L"CorvaneCommandBar";
constexpr int kToolbarId = 1;
// The toolbar's buttons. The adornments carry the commands they stand for.
constexpr int kMenuButton = 100;
constexpr int kSpaceButton = 101;
constexpr int kHelpButton = 102;
constexpr int kOkButton = IDOK;
constexpr int kCloseButton = IDCANCEL;

struct CommandBar {
    HWND dialog = nullptr;
    HWND toolbar = nullptr;
    OwnedMenu menuBar;     // the menu resource, which owns the popup
    HMENU menu = nullptr;  // its first popup: the bar's menu
};

CommandBar* barOf(HWND bar) {
    return reinterpret_cast<CommandBar*>(GetWindowLongPtrW(bar, GWLP_USERDATA));
}

// The separator between the menu button and the adornments takes the width left over, so that
// the adornments sit at the right end.
void layOut(HWND bar) {
    const CommandBar& data = *barOf(bar);
    RECT client{};
    GetClientRect(bar, &client);
    int used = 0;
    const auto count = static_cast<int>(SendMessageW(data.toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        RECT rect{};
        SendMessageW(data.toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if (button.idCommand != kSpaceButton &&
            SendMessageW(data.toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect))) {
            used += rect.right - rect.left;
        }
    }
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_SIZE;
    info.cx = static_cast<WORD>(client.right > used ? client.right - used : 0);
    SendMessageW(data.toolbar, TB_SETBUTTONINFOW, kSpaceButton, reinterpret_cast<LPARAM>(&info));
    MoveWindow(data.toolbar, 0, 0, client.right, client.bottom, TRUE);
}

void showMenu(HWND bar) {
    const CommandBar& data = *barOf(bar);
    RECT rect{};
    if (data.menu == nullptr ||
        !SendMessageW(data.toolbar, TB_GETRECT, kMenuButton, reinterpret_cast<LPARAM>(&rect))) {
        return;
    }
    MapWindowPoints(data.toolbar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    SendMessageW(data.toolbar, TB_PRESSBUTTON, kMenuButton, TRUE);
    TrackPopupMenuEx(data.menu, TPM_LEFTALIGN | TPM_TOPALIGN, rect.left, rect.bottom, data.dialog,
                     nullptr);
    SendMessageW(data.toolbar, TB_PRESSBUTTON, kMenuButton, FALSE);
}

// Adds buttons, then makes the bar as high as they are.
void addButtons(HWND bar, const TBBUTTON* buttons, int count) {
    const CommandBar& data = *barOf(bar);
    SendMessageW(data.toolbar, TB_ADDBUTTONSW, count, reinterpret_cast<LPARAM>(buttons));
    RECT rect{};
    GetWindowRect(bar, &rect);
    const int height = HIWORD(SendMessageW(data.toolbar, TB_GETBUTTONSIZE, 0, 0));
    SetWindowPos(bar, nullptr, 0, 0, rect.right - rect.left, height, SWP_NOMOVE | SWP_NOZORDER);
    layOut(bar);
}

TBBUTTON textButton(int id, const wchar_t* text, BYTE style = BTNS_BUTTON) {
    TBBUTTON button{};
    button.iBitmap = I_IMAGENONE;
    button.idCommand = id;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = static_cast<BYTE>(style | BTNS_AUTOSIZE | BTNS_SHOWTEXT);
    button.iString = reinterpret_cast<INT_PTR>(text);
    return button;
}

LRESULT CALLBACK barProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    CommandBar* data = barOf(bar);
    switch (message) {
        case WM_NCDESTROY: {
            const std::unique_ptr<CommandBar> owned(data);  // with its menu
            SetWindowLongPtrW(bar, GWLP_USERDATA, 0);
            break;
        }
        case WM_SIZE:
            if (data != nullptr) {
                layOut(bar);
            }
            return 0;
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->code == TBN_DROPDOWN) {
                showMenu(bar);
                return TBDDRET_DEFAULT;
            }
            break;
        case WM_COMMAND:
            if (data == nullptr) {
                break;
            }
            if (LOWORD(wParam) == kHelpButton) {
                HELPINFO help{sizeof help, HELPINFO_WINDOW, 0, bar, 0, {}};
                SendMessageW(data->dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
            } else if (LOWORD(wParam) == kOkButton || LOWORD(wParam) == kCloseButton) {
                PostMessageW(data->dialog, WM_COMMAND, LOWORD(wParam), 0);
            }
            return 0;
        // To the dialog the bar is a button titled "&Corvane", so Alt+C clicks it.
        case WM_GETDLGCODE:
            return DLGC_BUTTON;
        case BM_CLICK:
            if (data != nullptr) {
                showMenu(bar);
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(bar, message, wParam, lParam);
}

}  // namespace

HWND commandBarCreate(HINSTANCE instance, HWND dialog, int id) {
    initCommonControls(ICC_BAR_CLASSES);
    WNDCLASSW barClass{};
    barClass.lpfnWndProc = barProc;
    barClass.hInstance = instance;
    barClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    barClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    barClass.lpszClassName = kBarClass;
    if (!RegisterClassW(&barClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return nullptr;
    }
    RECT client{};
    GetClientRect(dialog, &client);
    const HWND bar = CreateWindowExW(
        0, kBarClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, client.right, 0, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (bar == nullptr) {
        return nullptr;
    }
    auto data = std::make_unique<CommandBar>();
    data->dialog = dialog;
    data->toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                                    WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST |
                                        CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                                    0, 0, client.right, 0, bar, reinterpret_cast<HMENU>(kToolbarId),
                                    instance, nullptr);
    if (data->toolbar == nullptr) {
        DestroyWindow(bar);
        return nullptr;
    }
    SendMessageW(data->toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(data->toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data.release()));
    addButtons(bar, nullptr, 0);
    return bar;
}

bool commandBarInsertMenubar(HWND bar, HINSTANCE instance, int menuId) {
    CommandBar* data = barOf(bar);
    if (data == nullptr) {
        return false;
    }
    data->menuBar.reset(LoadMenuW(instance, MAKEINTRESOURCEW(menuId)));
    data->menu = data->menuBar.get() != nullptr ? GetSubMenu(data->menuBar.get(), 0) : nullptr;
    wchar_t title[64] = {};
    if (data->menu == nullptr ||
        GetMenuStringW(data->menuBar.get(), 0, title, 64, MF_BYPOSITION) == 0) {
        return false;
    }
    SetWindowTextW(bar, title);
    // The space is a button that is never enabled: a flat toolbar draws a separator as a line.
    const TBBUTTON buttons[] = {textButton(kMenuButton, title, BTNS_WHOLEDROPDOWN),
                                {I_IMAGENONE, kSpaceButton, 0, BTNS_BUTTON, {}, 0, -1}};
    addButtons(bar, buttons, 2);
    return true;
}

bool commandBarAddAdornments(HWND bar, HINSTANCE instance) {
    if (barOf(bar) == nullptr) {
        return false;
    }
    // The toolbar copies the texts.
    wchar_t texts[3][8] = {};
    const int ids[] = {IDS_BAR_HELP, IDS_BAR_OK, IDS_BAR_CLOSE};
    for (int i = 0; i < 3; ++i) {
        LoadStringW(instance, static_cast<UINT>(ids[i]), texts[i], 8);
    }
    const TBBUTTON buttons[] = {textButton(kHelpButton, texts[0]), textButton(kOkButton, texts[1]),
                                textButton(kCloseButton, texts[2])};
    addButtons(bar, buttons, 3);
    return true;
}

int commandBarHeight(HWND bar) {
    RECT rect{};
    return GetWindowRect(bar, &rect) ? rect.bottom - rect.top : 0;
}

HMENU commandBarMenu(HWND bar) {
    const CommandBar* data = barOf(bar);
    return data != nullptr ? data->menu : nullptr;
}

}  // namespace corvane
