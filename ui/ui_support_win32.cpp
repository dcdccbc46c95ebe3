#include "ui/ui_support_win32.h"

#include "platform/handles_win32.h"
#include "ui/ui_support.h"

namespace corvane {
namespace {
constexpr int kClassNameChars = 41;  // up to 40 characters and the zero
}

void createBoldFont(AppState& state) {
    LOGFONTW font{};
    const HGDIOBJ systemFont = GetStockObject(SYSTEM_FONT);
    if (systemFont == nullptr || GetObjectW(systemFont, sizeof font, &font) == 0) {
        state.boldFont = 0;
        return;
    }
    font.lfWeight = FW_BOLD;
    state.boldFont = toRef(CreateFontIndirectW(&font));
}

void deleteBoldFont(AppState& state) {
    if (state.boldFont != 0) {
        DeleteObject(toHfont(state.boldFont));
        state.boldFont = 0;
    }
}

void centerWindow(AppState&, HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) {
        return;
    }
    const ScreenPoint at = centeredPosition(
        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), GetSystemMetrics(SM_CYMENU),
        rect.right - rect.left, rect.bottom - rect.top);
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

int applyBoldFont(AppState& state, HWND dialog) {
    if (state.boldFont == 0) {
        return 0;
    }
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[kClassNameChars] = {};
        GetClassNameW(child, className, kClassNameChars);
        const auto style = static_cast<std::uint32_t>(GetWindowLongPtrW(child, GWL_STYLE));
        if (takesBoldFont(utf16(std::wstring_view(className)), style)) {
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(toHfont(state.boldFont)),
                         TRUE);
        }
    }
    return 1;
}

void setupDialog(AppState& state, HWND dialog) {
    centerWindow(state, dialog);
    applyBoldFont(state, dialog);
}

void setupDialog(HWND dialog) {
    setupDialog(appState(), dialog);
}

}  // namespace corvane
