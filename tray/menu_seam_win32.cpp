#include "tray/menu_seam_win32.h"

#include <string>

#include "platform/handles_win32.h"
#include "platform/owned_handle_win32.h"
#include "resources/resource.h"

namespace corvane {
namespace {

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

}  // namespace

MenuRef Win32MenuSeam::loadTrayMenu() {
    const OwnedMenu bar(LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    if (bar.get() == nullptr) {
        return 0;
    }
    const HMENU popup = GetSubMenu(bar.get(), 0);
    // Detached from the bar, the popup outlives it and is destroyed on its own.
    if (popup == nullptr || !RemoveMenu(bar.get(), 0, MF_BYPOSITION)) {
        return 0;
    }
    return toRef(popup);
}

MenuRef Win32MenuSeam::createPopup() {
    return toRef(CreatePopupMenu());
}

void Win32MenuSeam::destroyMenu(MenuRef menu) {
    if (menu != 0) {
        DestroyMenu(toHmenu(menu));
    }
}

bool Win32MenuSeam::addItem(MenuRef menu, int position, std::uint32_t commandId,
                            std::u16string_view text) {
    const std::wstring label = menuLabel(text);
    if (position < 0) {
        return AppendMenuW(toHmenu(menu), MF_STRING, commandId, label.c_str()) != 0;
    }
    return InsertMenuW(toHmenu(menu), static_cast<UINT>(position), MF_BYPOSITION | MF_STRING,
                       commandId, label.c_str()) != 0;
}

bool Win32MenuSeam::addSubmenu(MenuRef menu, int position, MenuRef submenu,
                               std::u16string_view text) {
    const std::wstring label = menuLabel(text);
    return InsertMenuW(toHmenu(menu), static_cast<UINT>(position),
                       MF_BYPOSITION | MF_POPUP | MF_STRING,
                       reinterpret_cast<UINT_PTR>(toHmenu(submenu)), label.c_str()) != 0;
}

bool Win32MenuSeam::addSeparator(MenuRef menu, int position) {
    return InsertMenuW(toHmenu(menu), static_cast<UINT>(position), MF_BYPOSITION | MF_SEPARATOR, 0,
                       nullptr) != 0;
}

bool Win32MenuSeam::checkRadio(MenuRef menu, std::uint32_t first, std::uint32_t last,
                               std::uint32_t checked) {
    return CheckMenuRadioItem(toHmenu(menu), first, last, checked, MF_BYCOMMAND) != 0;
}

int Win32MenuSeam::itemCount(MenuRef menu) {
    return GetMenuItemCount(toHmenu(menu));
}

bool Win32MenuSeam::isWindowVisible(WindowRef window) {
    return IsWindowVisible(toHwnd(window)) != 0;
}

void Win32MenuSeam::showWindow(WindowRef window) {
    ShowWindow(toHwnd(window), SW_SHOW);
}

void Win32MenuSeam::setForegroundWindow(WindowRef window) {
    SetForegroundWindow(toHwnd(window));
}

void Win32MenuSeam::screenSize(int& width, int& height) {
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
}

void Win32MenuSeam::trackPopup(MenuRef menu, std::uint32_t flags, int x, int y, WindowRef owner) {
    // On the desktop a tray menu only closes on a click elsewhere when its owner is in front,
    // and the owner needs a message afterwards to let go of it.
    SetForegroundWindow(toHwnd(owner));
    TrackPopupMenuEx(toHmenu(menu), flags, x, y, toHwnd(owner), nullptr);
    PostMessageW(toHwnd(owner), WM_NULL, 0, 0);
}

}  // namespace corvane
