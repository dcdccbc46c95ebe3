#include "tray/tray_icon_win32.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <span>

#include "app/main_window.h"
#include "core/text.h"
#include "platform/handles_win32.h"
#include "resources/resource.h"
#include "ui/ui_support.h"

namespace corvane {
namespace {
// The handheld's tip field holds 64 characters; the desktop's is larger, the tip stays as short.
constexpr std::size_t kTipChars = 64;

NOTIFYICONDATAW iconData(const AppState& state) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = toHwnd(state.hwndMain);  // the owner of the icon for its whole life
    data.uID = kTrayIconId;
    return data;
}
}  // namespace

void addTrayIcon(AppState& state) {
    if (state.trayIcon == 0) {
        state.trayIcon = toRef(static_cast<HICON>(LoadImageW(
            toHinstance(state.hInstance), MAKEINTRESOURCEW(IDI_CORVANE), IMAGE_ICON, 16, 16, 0)));
    }
    NOTIFYICONDATAW data = iconData(state);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kUmTrayNotify;
    data.hIcon = toHicon(state.trayIcon);
    char16_t tip[kTipChars] = {};
    loadAppString(state, IDS_PRODUCT_NAME, tip, kTipChars);
    copyText(std::span<char16_t>(utf16(data.szTip), kTipChars), textOf(tip));
    Shell_NotifyIconW(NIM_ADD, &data);
}

void removeTrayIcon(AppState& state) {
    NOTIFYICONDATAW data = iconData(state);
    Shell_NotifyIconW(NIM_DELETE, &data);
}

}  // namespace corvane
