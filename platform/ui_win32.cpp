#include "platform/ui_win32.h"

#include <climits>
#include <string>

#include "platform/handles_win32.h"

namespace corvane {

int Win32UserInterface::loadString(int id, std::span<char16_t> buffer) {
    // LoadStringW with a size of 0 hands out a pointer into the resource instead of copying.
    if (buffer.empty()) {
        return 0;
    }
    const int size = buffer.size() > INT_MAX ? INT_MAX : static_cast<int>(buffer.size());
    const int loaded = LoadStringW(instance_, static_cast<UINT>(id), wide(buffer.data()), size);
    if (loaded <= 0) {
        buffer[0] = u'\0';
        return 0;
    }
    return loaded;
}

int Win32UserInterface::messageBox(WindowRef owner, std::u16string_view text,
                                   std::u16string_view caption, std::uint32_t style) {
    const std::u16string zeroText(text);
    const std::u16string zeroCaption(caption);
    return MessageBoxW(toHwnd(owner), wide(zeroText.c_str()), wide(zeroCaption.c_str()), style);
}

}  // namespace corvane
