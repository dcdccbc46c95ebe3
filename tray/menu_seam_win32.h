// The menu seam over real menus and windows.
#pragma once

#include <windows.h>

#include "tray/menu_seam.h"

namespace corvane {

class Win32MenuSeam : public MenuSeam {
  public:
    // Menu resources come from `instance`.
    explicit Win32MenuSeam(HINSTANCE instance) : instance_(instance) {}

    MenuRef loadTrayMenu() override;
    MenuRef createPopup() override;
    void destroyMenu(MenuRef menu) override;
    bool addItem(MenuRef menu, int position, std::uint32_t commandId,
                 std::u16string_view text) override;
    bool addSubmenu(MenuRef menu, int position, MenuRef submenu, std::u16string_view text) override;
    bool addSeparator(MenuRef menu, int position) override;
    bool checkRadio(MenuRef menu, std::uint32_t first, std::uint32_t last,
                    std::uint32_t checked) override;
    int itemCount(MenuRef menu) override;

    bool isWindowVisible(WindowRef window) override;
    void showWindow(WindowRef window) override;
    void setForegroundWindow(WindowRef window) override;
    void screenSize(int& width, int& height) override;
    void trackPopup(MenuRef menu, std::uint32_t flags, int x, int y, WindowRef owner) override;

  private:
    HINSTANCE instance_;
};

}  // namespace corvane
