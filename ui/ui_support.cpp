#include "ui/ui_support.h"

#include "core/text.h"

namespace corvane {

ScreenPoint centeredPosition(int screenWidth, int screenHeight, int menuBarHeight, int windowWidth,
                             int windowHeight) {
    return {(screenWidth - windowWidth) / 2, (screenHeight - menuBarHeight - windowHeight) / 2};
}

bool takesBoldFont(std::u16string_view className, std::uint32_t style) {
    const std::uint32_t type = style & 0x0Fu;
    return equalsNoCase(className, u"button") && (type == 0 || type == 1 || type == 7);
}

}  // namespace corvane
