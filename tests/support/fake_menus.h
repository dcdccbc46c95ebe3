// A recording stand-in for the menu seam: menus as lists of items in memory, destroyed with
// their submenus as real ones are, plus the window calls of the icon's tap.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tray/menu_seam.h"

namespace corvane {

struct FakeMenuItem {
    enum class Kind { String, Separator, Popup };
    Kind kind = Kind::String;
    std::uint32_t id = 0;
    std::u16string text;
    MenuRef submenu = 0;
    bool checked = false;  // the radio mark
};

class FakeMenus : public MenuSeam {
  public:
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

    bool isWindowVisible(WindowRef window) override { return visible.contains(window); }
    void showWindow(WindowRef window) override;
    void setForegroundWindow(WindowRef window) override;
    void screenSize(int& width, int& height) override;
    void trackPopup(MenuRef menu, std::uint32_t flags, int x, int y, WindowRef owner) override;

    // The menu as text, one line per item: "Name [id]", "Name [id] (*)" for the radio mark,
    // "-" for a separator, "Name >" for a submenu followed by its items indented.
    std::vector<std::string> render(MenuRef menu) const;
    int liveMenus() const { return static_cast<int>(menus_.size()); }

    bool failLoad = false;
    bool failCreatePopup = false;
    std::set<WindowRef> visible;
    std::vector<MenuRef> tracked;  // the menus opened at the tap
    // Window calls in order: "show 5", "foreground 5".
    std::vector<std::string> windowCalls;

  private:
    MenuRef newMenu();
    bool insert(MenuRef menu, int position, FakeMenuItem item);
    void renderInto(MenuRef menu, const std::string& indent, std::vector<std::string>& out) const;

    std::map<MenuRef, std::vector<FakeMenuItem>> menus_;
    MenuRef next_ = 0x100;
};

}  // namespace corvane
