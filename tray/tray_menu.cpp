#include "tray/tray_menu.h"

#include "core/app_state.h"
#include "core/text.h"
#include "profiles/profile_store.h"
#include "resources/resource.h"
#include "tray/menu_seam.h"

namespace corvane {
namespace {

// The menu's bottom-right corner sits just above the taskbar's right end, where the icon is.
inline constexpr int kMenuRightMargin = 2;
inline constexpr int kTaskbarHeight = 26;

}  // namespace

std::uint32_t firstProfileCommand(int index) {
    return IDM_FIRST_PROFILE + IDM_PROFILES_PER_ADAPTER * static_cast<std::uint32_t>(index);
}

void rebuildTrayMenu(AppState& state) {
    MenuSeam& menus = *state.menus;
    if (state.trayMenu != 0) {
        menus.destroyMenu(state.trayMenu);
    }
    state.trayMenu = menus.loadTrayMenu();
    state.menuItems.clear();
    if (state.trayMenu == 0 || state.adapters == nullptr || state.adapters->count() < 1) {
        return;
    }

    const int adapterCount = state.adapters->count();
    int added = 0;
    for (int index = 0; index < AdapterList::MaxAdapters; ++index) {
        AdapterInfo* adapter = state.adapters->at(index);
        if (adapter == nullptr) {
            continue;
        }
        const std::uint32_t firstId = firstProfileCommand(index);
        if (state.applyToAll != 0) {
            // One flat list, bound to the first adapter.
            added +=
                enumerateProfiles(state, *adapter, state.trayMenu, firstId, kTrayProfilePosition);
            break;
        }
        if (adapterCount > 1) {
            const MenuRef submenu = menus.createPopup();
            if (submenu == 0) {
                continue;
            }
            if (enumerateProfiles(state, *adapter, submenu, firstId, -1) > 0 &&
                menus.addSubmenu(state.trayMenu, kTrayProfilePosition, submenu,
                                 textOf(adapter->displayName))) {
                ++added;
            } else {
                menus.destroyMenu(submenu);
            }
        } else {
            added +=
                enumerateProfiles(state, *adapter, state.trayMenu, firstId, kTrayProfilePosition);
        }
    }
    if (added > 0) {
        menus.addSeparator(state.trayMenu, added + kTrayProfilePosition);
    }
}

void onTrayNotify(AppState& state, std::uintptr_t, std::intptr_t lParam) {
    if (lParam != static_cast<std::intptr_t>(kTrayMessageLeftButtonDown)) {
        return;
    }
    MenuSeam& menus = *state.menus;
    if (state.trayMenu != 0 && state.busy == 0 && !menus.isWindowVisible(state.hwndCurrent)) {
        int width = 0;
        int height = 0;
        menus.screenSize(width, height);
        menus.trackPopup(state.trayMenu, tpm::kRightAlign | tpm::kBottomAlign,
                         width - kMenuRightMargin, height - kTaskbarHeight, state.hwndCurrent);
        return;
    }
    if (state.busy == 0) {
        menus.showWindow(state.hwndCurrent);
    }
    menus.setForegroundWindow(state.hwndCurrent);
}

}  // namespace corvane
