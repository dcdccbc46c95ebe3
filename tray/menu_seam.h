// The menu and window calls of the notification icon's menu and of the switch, behind one seam:
// real menus and windows in the program, a recording fake in tests.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/ui.h"

namespace corvane {

namespace tpm {
inline constexpr std::uint32_t kRightAlign = 0x08;
inline constexpr std::uint32_t kBottomAlign = 0x20;
}  // namespace tpm

class MenuSeam {
  public:
    virtual ~MenuSeam() = default;

    // The first popup of the icon's menu resource, standing on its own so that destroying it
    // frees everything; 0 when the resource cannot be loaded.
    virtual MenuRef loadTrayMenu() = 0;
    virtual MenuRef createPopup() = 0;
    // Destroys the menu with every submenu inserted into it.
    virtual void destroyMenu(MenuRef menu) = 0;
    // A string item with a command id, inserted before the item at `position`, or appended when
    // `position` is negative.
    virtual bool addItem(MenuRef menu, int position, std::uint32_t commandId,
                         std::u16string_view text) = 0;
    // A submenu, inserted at `position`; `menu` then owns it.
    virtual bool addSubmenu(MenuRef menu, int position, MenuRef submenu,
                            std::u16string_view text) = 0;
    virtual bool addSeparator(MenuRef menu, int position) = 0;
    // Puts the radio mark on `checked` and clears it from the other ids of first..last.
    virtual bool checkRadio(MenuRef menu, std::uint32_t first, std::uint32_t last,
                            std::uint32_t checked) = 0;
    virtual int itemCount(MenuRef menu) = 0;

    virtual bool isWindowVisible(WindowRef window) = 0;
    virtual void showWindow(WindowRef window) = 0;
    virtual void setForegroundWindow(WindowRef window) = 0;
    virtual void screenSize(int& width, int& height) = 0;
    // Shows `menu` as a popup anchored at x, y; its commands go to `owner`.
    virtual void trackPopup(MenuRef menu, std::uint32_t flags, int x, int y, WindowRef owner) = 0;
};

}  // namespace corvane
