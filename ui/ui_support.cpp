#include "ui/ui_support.h"

#include <algorithm>

#include "core/text.h"
#include "resources/resource.h"

namespace corvane {
namespace {

// Appends what fits of `text` at `length`, leaving room for the zero.
void append(std::span<char16_t> out, std::size_t& length, std::u16string_view text) {
    const std::size_t room = out.size() - 1 - length;
    const std::size_t count = std::min(room, text.size());
    std::copy_n(text.begin(), count, out.begin() + static_cast<std::ptrdiff_t>(length));
    length += count;
}

int showText(AppState& state, WindowRef owner, std::u16string_view text, std::uint32_t style) {
    char16_t caption[kCaptionChars] = {};
    loadAppString(state, IDS_PRODUCT_NAME, caption);
    return state.ui->messageBox(owner != 0 ? owner : state.hwndCurrent, text, textOf(caption),
                                style);
}

}  // namespace

int loadAppString(const AppState& state, int id, std::span<char16_t> buffer, int capacity) {
    const std::size_t wanted =
        capacity > 0 ? static_cast<std::size_t>(capacity) : std::size_t{kDefaultStringChars};
    const std::span<char16_t> target = buffer.first(std::min(wanted, buffer.size()));
    if (target.empty()) {
        return 0;
    }
    target[0] = u'\0';
    return state.ui->loadString(id, target);
}

int formatText(std::span<char16_t> out, std::u16string_view format, std::u16string_view argument) {
    if (out.empty()) {
        return 0;
    }
    std::size_t length = 0;
    bool argumentUsed = false;
    for (std::size_t i = 0; i < format.size() && length + 1 < out.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size() &&
            (format[i + 1] == u's' || format[i + 1] == u'%')) {
            if (format[i + 1] == u'%') {
                append(out, length, u"%");
            } else if (!argumentUsed) {
                append(out, length, argument);
                argumentUsed = true;
            }
            ++i;
            continue;
        }
        append(out, length, format.substr(i, 1));
    }
    out[length] = u'\0';
    return static_cast<int>(length);
}

int showMessage(AppState& state, WindowRef owner, int stringId, std::uint32_t style) {
    char16_t text[kMessageChars] = {};
    loadAppString(state, stringId, text, kMessageChars);
    return showText(state, owner, textOf(text), style);
}

int showFormattedMessage(AppState& state, WindowRef owner, int stringId,
                         std::u16string_view argument, std::uint32_t style) {
    char16_t format[kMessageChars] = {};
    loadAppString(state, stringId, format, kMessageChars);
    char16_t text[kFormattedChars] = {};
    formatText(text, textOf(format), argument);
    return showText(state, owner, textOf(text), style);
}

void showHelp(AppState& state, std::u16string_view topic) {
    if (state.helpProgram == nullptr || state.system == nullptr) {
        return;
    }
    state.system->startProgram(state.helpProgram, topic);
}

ScreenPoint centeredPosition(int screenWidth, int screenHeight, int menuBarHeight, int windowWidth,
                             int windowHeight) {
    return {(screenWidth - windowWidth) / 2, (screenHeight - menuBarHeight - windowHeight) / 2};
}

bool takesBoldFont(std::u16string_view className, std::uint32_t style) {
    const std::uint32_t type = style & 0x0Fu;
    return equalsNoCase(className, u"button") && (type == 0 || type == 1 || type == 7);
}

}  // namespace corvane
