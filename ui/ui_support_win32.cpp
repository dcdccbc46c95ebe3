#include "ui/ui_support_win32.h"

#include <algorithm>

#include "core/text.h"
#include "platform/wide_text_win32.h"
#include "resources/resource.h"
#include "ui/ui_support.h"

namespace corvane {
namespace {
constexpr int kClassNameChars = 41;  // up to 40 characters and the zero
}

int loadAppString(HINSTANCE instance, int id, std::span<char16_t> buffer, int capacity) {
    const std::size_t wanted =
        capacity > 0 ? static_cast<std::size_t>(capacity) : std::size_t{kDefaultStringChars};
    const std::span<char16_t> target = buffer.first(std::min(wanted, buffer.size()));
    // LoadStringW with a size of 0 hands out a pointer into the resource instead of copying.
    if (target.empty()) {
        return 0;
    }
    const int loaded = LoadStringW(instance, static_cast<UINT>(id), wide(target.data()),
                                   static_cast<int>(target.size()));
    if (loaded <= 0) {
        target[0] = u'\0';
        return 0;
    }
    return loaded;
}

int showMessage(WindowState& windows, HWND owner, const Message& message, bool quiet) {
    if (quiet && isNotice(message)) {
        return IDOK;
    }
    char16_t caption[kCaptionChars] = {};
    loadAppString(windows.instance, IDS_PRODUCT_NAME, caption, kCaptionChars);
    char16_t format[kMessageChars] = {};
    loadAppString(windows.instance, message.textId, format, kMessageChars);
    char16_t text[kFormattedChars] = {};
    formatText(text, textOf(format), message.argument);
    ++windows.messageBoxesUp;
    const int answer = MessageBoxW(owner != nullptr ? owner : windows.hwndCurrent, wide(text),
                                   wide(caption), message.style);
    --windows.messageBoxesUp;
    return answer;
}

void showMessages(WindowState& windows, HWND owner, const Messages& messages, bool quiet) {
    for (const Message& message : messages) {
        showMessage(windows, owner, message, quiet);
    }
}

OwnedFont createBoldFont() {
    LOGFONTW font{};
    const HGDIOBJ systemFont = GetStockObject(SYSTEM_FONT);
    if (systemFont == nullptr || GetObjectW(systemFont, sizeof font, &font) == 0) {
        return OwnedFont();
    }
    font.lfWeight = FW_BOLD;
    return OwnedFont(CreateFontIndirectW(&font));
}

void centerWindow(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) {
        return;
    }
    const ScreenPoint at = centeredPosition(
        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), GetSystemMetrics(SM_CYMENU),
        rect.right - rect.left, rect.bottom - rect.top);
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

bool applyBoldFont(HFONT font, HWND dialog) {
    if (font == nullptr) {
        return false;
    }
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[kClassNameChars] = {};
        GetClassNameW(child, className, kClassNameChars);
        const auto style = static_cast<std::uint32_t>(GetWindowLongPtrW(child, GWL_STYLE));
        if (takesBoldFont(utf16(std::wstring_view(className)), style)) {
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        }
    }
    return true;
}

void setupDialog(const WindowState& windows, HWND dialog) {
    centerWindow(dialog);
    applyBoldFont(windows.boldFont.get(), dialog);
}

}  // namespace corvane
