#include "tests/support/fake_menus.h"

#include "core/text.h"

namespace corvane {
namespace {

FakeMenuItem makeItem(FakeMenuItem::Kind kind, std::uint32_t id = 0, std::u16string_view text = {},
                      MenuRef submenu = 0) {
    return {kind, id, std::u16string(text), submenu, false};
}

}  // namespace

MenuRef FakeMenus::newMenu() {
    const MenuRef menu = next_++;
    menus_[menu];
    return menu;
}

MenuRef FakeMenus::loadTrayMenu() {
    if (failLoad) {
        return 0;
    }
    const MenuRef menu = newMenu();
    menus_[menu] = {makeItem(FakeMenuItem::Kind::String, 40006, u"Network &Profiles..."),
                    makeItem(FakeMenuItem::Kind::Separator),
                    makeItem(FakeMenuItem::Kind::String, 40007, u"E&xit")};
    return menu;
}

MenuRef FakeMenus::createPopup() {
    return failCreatePopup ? 0 : newMenu();
}

void FakeMenus::destroyMenu(MenuRef menu) {
    const auto found = menus_.find(menu);
    if (found == menus_.end()) {
        return;
    }
    const std::vector<FakeMenuItem> items = found->second;
    menus_.erase(found);
    for (const FakeMenuItem& item : items) {
        if (item.kind == FakeMenuItem::Kind::Popup) {
            destroyMenu(item.submenu);
        }
    }
}

bool FakeMenus::insert(MenuRef menu, int position, FakeMenuItem item) {
    const auto found = menus_.find(menu);
    if (found == menus_.end()) {
        return false;
    }
    std::vector<FakeMenuItem>& items = found->second;
    // As InsertMenu: a position past the end appends.
    if (position < 0 || static_cast<std::size_t>(position) >= items.size()) {
        items.push_back(std::move(item));
    } else {
        items.insert(items.begin() + position, std::move(item));
    }
    return true;
}

bool FakeMenus::addItem(MenuRef menu, int position, std::uint32_t commandId,
                        std::u16string_view text) {
    return insert(menu, position, makeItem(FakeMenuItem::Kind::String, commandId, text));
}

bool FakeMenus::addSubmenu(MenuRef menu, int position, MenuRef submenu, std::u16string_view text) {
    if (!menus_.contains(submenu)) {
        return false;
    }
    return insert(menu, position, makeItem(FakeMenuItem::Kind::Popup, 0, text, submenu));
}

bool FakeMenus::addSeparator(MenuRef menu, int position) {
    return insert(menu, position, makeItem(FakeMenuItem::Kind::Separator));
}

bool FakeMenus::checkRadio(MenuRef menu, std::uint32_t first, std::uint32_t last,
                           std::uint32_t checked) {
    const auto found = menus_.find(menu);
    if (found == menus_.end()) {
        return false;
    }
    bool marked = false;
    for (FakeMenuItem& item : found->second) {
        if (item.kind != FakeMenuItem::Kind::String || item.id < first || item.id > last) {
            continue;
        }
        item.checked = item.id == checked;
        marked = marked || item.checked;
    }
    return marked;
}

int FakeMenus::itemCount(MenuRef menu) {
    const auto found = menus_.find(menu);
    return found == menus_.end() ? -1 : static_cast<int>(found->second.size());
}

void FakeMenus::showWindow(WindowRef window) {
    windowCalls.push_back("show " + std::to_string(window));
    visible.insert(window);
}

void FakeMenus::setForegroundWindow(WindowRef window) {
    windowCalls.push_back("foreground " + std::to_string(window));
}

void FakeMenus::screenSize(int& width, int& height) {
    width = 640;
    height = 240;
}

void FakeMenus::trackPopup(MenuRef menu, std::uint32_t, int, int, WindowRef) {
    tracked.push_back(menu);
}

void FakeMenus::renderInto(MenuRef menu, const std::string& indent,
                           std::vector<std::string>& out) const {
    const auto found = menus_.find(menu);
    if (found == menus_.end()) {
        out.push_back(indent + "(destroyed)");
        return;
    }
    for (const FakeMenuItem& item : found->second) {
        switch (item.kind) {
            case FakeMenuItem::Kind::Separator:
                out.push_back(indent + "-");
                break;
            case FakeMenuItem::Kind::Popup:
                out.push_back(indent + toUtf8(item.text) + " >");
                renderInto(item.submenu, indent + "  ", out);
                break;
            case FakeMenuItem::Kind::String:
                out.push_back(indent + toUtf8(item.text) + " [" + std::to_string(item.id) + "]" +
                              (item.checked ? " (*)" : ""));
                break;
        }
    }
}

std::vector<std::string> FakeMenus::render(MenuRef menu) const {
    std::vector<std::string> out;
    renderInto(menu, "", out);
    return out;
}

}  // namespace corvane
