// The desktop's notification area stands in for the handheld's taskbar icons.
#include "tray/tray_win32.h"

#include <shellapi.h>

#include <span>
#include <string>

#include "core/text.h"
#include "platform/wide_text_win32.h"
#include "resources/resource.h"
#include "tray/tray_menu.h"
#include "ui/ui_support.h"
#include "ui/ui_support_win32.h"
#include "ui/window_handles_win32.h"

namespace corvane {
namespace {

// The handheld's tip field holds 64 characters; the desktop's is larger, the tip stays as short.
constexpr std::size_t kTipChars = 64;
// The menu's bottom-right corner sits just above the taskbar's right end, where the icon is.
constexpr int kMenuRightMargin = 2;
constexpr int kTaskbarHeight = 26;

// The icon is known by its owner, the main window for the icon's whole life, and its id.
NOTIFYICONDATAW iconData(HWND owner) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = IDI_CORVANE;
    return data;
}

// A menu label showing `text` as it is: "&" marks a mnemonic in a menu, so a profile or adapter
// named "R&D" needs "&&" to keep its ampersand (and no underlined letter).
std::wstring menuLabel(std::u16string_view text) {
    std::wstring label;
    for (const char16_t c : text) {
        label.push_back(static_cast<wchar_t>(c));
        if (c == u'&') {
            label.push_back(L'&');
        }
    }
    return label;
}

// Inserts the items from `position` on; a submenu that cannot be made is left out.
void insertItems(HINSTANCE instance, HMENU menu, UINT position,
                 const std::vector<TrayMenuItem>& items) {
    for (const TrayMenuItem& item : items) {
        std::wstring label = menuLabel(item.text);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        switch (item.kind) {
            case TrayMenuItem::Kind::Undo: {
                char16_t text[kDefaultStringChars] = {};
                loadAppString(instance, IDS_UNDO_SWITCH, text);
                label = wide(text);
                info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
                info.fType = MFT_STRING;
                info.fState = item.grayed ? MFS_GRAYED : MFS_ENABLED;
                info.wID = item.commandId;
                info.dwTypeData = label.data();
                break;
            }
            case TrayMenuItem::Kind::Profile:
                info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
                info.fType = MFT_STRING | (item.checked ? MFT_RADIOCHECK : 0);
                info.fState = item.checked ? MFS_CHECKED : MFS_UNCHECKED;
                info.wID = item.commandId;
                info.dwTypeData = label.data();
                break;
            case TrayMenuItem::Kind::Submenu:
                info.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
                info.fType = MFT_STRING;
                info.hSubMenu = CreatePopupMenu();
                if (info.hSubMenu == nullptr) {
                    continue;
                }
                insertItems(instance, info.hSubMenu, 0, item.items);
                info.dwTypeData = label.data();
                break;
            case TrayMenuItem::Kind::Separator:
                info.fMask = MIIM_FTYPE;
                info.fType = MFT_SEPARATOR;
                break;
        }
        InsertMenuItemW(menu, position++, TRUE, &info);
    }
}

// The first popup of menu resource 112, standing on its own so that destroying it frees all.
HMENU loadTrayMenu(HINSTANCE instance) {
    const OwnedMenu bar(LoadMenuW(instance, MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    const HMENU popup = bar.get() != nullptr ? GetSubMenu(bar.get(), 0) : nullptr;
    return popup != nullptr && RemoveMenu(bar.get(), 0, MF_BYPOSITION) ? popup : nullptr;
}

}  // namespace

void addTrayIcon(WindowState& windows) {
    if (windows.trayIcon.get() == nullptr) {
        windows.trayIcon.reset(static_cast<HICON>(
            LoadImageW(windows.instance, MAKEINTRESOURCEW(IDI_CORVANE), IMAGE_ICON, 16, 16, 0)));
    }
    NOTIFYICONDATAW data = iconData(windows.hwndMain);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = UM_TRAYNOTIFY;
    data.hIcon = windows.trayIcon.get();
    char16_t tip[kTipChars] = {};
    loadAppString(windows.instance, IDS_PRODUCT_NAME, tip, kTipChars);
    copyText(std::span<char16_t>(utf16(data.szTip), kTipChars), textOf(tip));
    Shell_NotifyIconW(NIM_ADD, &data);
}

void removeTrayIcon(const WindowState& windows) {
    NOTIFYICONDATAW data = iconData(windows.hwndMain);
    Shell_NotifyIconW(NIM_DELETE, &data);
}

bool trayIconShown(HWND mainWindow) {
    NOTIFYICONDATAW data = iconData(mainWindow);
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void rebuildTrayMenu(WindowState& windows) {
    windows.trayMenu.reset(loadTrayMenu(windows.instance));
    windows.menuItems.clear();
    if (windows.trayMenu.get() == nullptr) {
        return;
    }
    TrayMenu built = buildTrayMenu(windows.session);
    insertItems(windows.instance, windows.trayMenu.get(), kTrayProfilePosition, built.items);
    windows.menuItems = std::move(built.entries);
}

void onTrayNotify(WindowState& windows, LPARAM mouseMessage) {
    const HWND current = windows.hwndCurrent;
    switch (decideTrayTap(mouseMessage, windows.trayMenu.get() != nullptr, windows.busy,
                          IsWindowVisible(current) != FALSE)) {
        case TrayTap::OpenMenu: {
            // On the desktop a tray menu only closes on a click elsewhere when its owner is in
            // front, and the owner needs a message afterwards to let go of it.
            SetForegroundWindow(current);
            // Busy while the menu is up: a command from elsewhere must not rebuild it meanwhile.
            const BusyScope busy(windows);
            TrackPopupMenuEx(windows.trayMenu.get(), TPM_RIGHTALIGN | TPM_BOTTOMALIGN,
                             GetSystemMetrics(SM_CXSCREEN) - kMenuRightMargin,
                             GetSystemMetrics(SM_CYSCREEN) - kTaskbarHeight, current, nullptr);
            PostMessageW(current, WM_NULL, 0, 0);
            break;
        }
        case TrayTap::ShowAndBringForward:
            ShowWindow(current, SW_SHOW);
            SetForegroundWindow(current);
            break;
        case TrayTap::BringForward:
            SetForegroundWindow(current);
            break;
        case TrayTap::Nothing:
            break;
    }
}

}  // namespace corvane
