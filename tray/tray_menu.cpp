#include "tray/tray_menu.h"

#include <algorithm>

#include "core/text.h"
#include "profiles/last_switch.h"
#include "profiles/profile_store.h"
#include "resources/resource.h"

namespace corvane {
namespace {

inline constexpr std::intptr_t kPenDown = 0x0201;  // WM_LBUTTONDOWN

// One adapter's profile items in the store's order, with consecutive ids from `firstId` and the
// mark on the adapter's default; their commands are added to `entries`.
std::vector<TrayMenuItem> profileItems(Registry& registry, const AdapterInfo& adapter,
                                       int adapterIndex, const std::vector<std::u16string>& names,
                                       std::uint32_t firstId,
                                       std::vector<ProfileMenuItem>& entries) {
    std::u16string defaultName;
    const bool hasDefault = loadDefaultProfileName(registry, adapter, defaultName);
    std::vector<TrayMenuItem> items;
    std::uint32_t commandId = firstId;
    for (const std::u16string& name : names) {
        items.push_back(
            {TrayMenuItem::Kind::Profile, commandId, name, hasDefault && name == defaultName, {}});
        entries.push_back({commandId, name, adapterIndex});
        ++commandId;
    }
    return items;
}

// A separator, then "Undo Last Switch" for the adapter at `index` (for every adapter with
// `everyAdapter`), greyed without a switch to undo.
void addUndo(Session& session, int index, bool everyAdapter, std::vector<TrayMenuItem>& items) {
    bool any = false;
    for (int i = 0; i < session.adapters.count() && !any; ++i) {
        any = (everyAdapter || i == index) &&
              hasLastSwitch(session.registry, *session.adapters.at(i));
    }
    items.push_back({TrayMenuItem::Kind::Separator, 0, {}, false, {}});
    items.push_back({TrayMenuItem::Kind::Undo, undoCommandId(index), {}, false, {}, !any});
}

}  // namespace

std::uint32_t firstProfileCommand(int index) {
    return IDM_FIRST_PROFILE + IDM_PROFILES_PER_ADAPTER * static_cast<std::uint32_t>(index);
}

TrayMenu buildTrayMenu(Session& session) {
    TrayMenu menu;
    const int count = session.adapters.count();
    if (count < 1) {
        return menu;
    }
    const std::vector<std::u16string> names = listProfileNames(session.registry);
    for (int index = 0; index < count; ++index) {
        const AdapterInfo& adapter = *session.adapters.at(index);
        std::vector<TrayMenuItem> items = profileItems(session.registry, adapter, index, names,
                                                       firstProfileCommand(index), menu.entries);
        if (count > 1 && session.applyToAll == 0) {
            if (!items.empty()) {
                addUndo(session, index, false, items);
                // Each submenu goes in above those of the adapters before it.
                menu.items.insert(menu.items.begin(), {TrayMenuItem::Kind::Submenu, 0,
                                                       std::u16string(textOf(adapter.displayName)),
                                                       false, std::move(items)});
            }
            continue;
        }
        // Each profile went in above the one before it.
        std::reverse(items.begin(), items.end());
        if (!items.empty()) {
            addUndo(session, index, session.applyToAll != 0, items);
        }
        menu.items = std::move(items);
        break;  // with applyToAll the profiles are listed once, bound to the first adapter
    }
    if (!menu.items.empty()) {
        menu.items.push_back({TrayMenuItem::Kind::Separator, 0, {}, false, {}});
    }
    return menu;
}

TrayTap decideTrayTap(std::intptr_t mouseMessage, bool hasMenu, bool busy, bool currentVisible) {
    if (mouseMessage != kPenDown) {
        return TrayTap::Nothing;
    }
    if (busy) {
        return TrayTap::BringForward;
    }
    return hasMenu && !currentVisible ? TrayTap::OpenMenu : TrayTap::ShowAndBringForward;
}

bool switchFromMenu(Session& session, const std::vector<ProfileMenuItem>& entries,
                    std::uint32_t commandId, Messages& messages) {
    const auto entry = std::find_if(entries.begin(), entries.end(), [&](const auto& item) {
        return item.commandId == commandId && session.adapters.at(item.adapter) != nullptr;
    });
    if (entry == entries.end()) {
        return false;
    }
    // The refresh after the switch rebuilds the menu and its entries: work on a copy.
    const ProfileMenuItem chosen = *entry;
    switchToProfile(session, *session.adapters.at(chosen.adapter), chosen.profileName,
                    session.applyToAll != 0, messages);
    return true;
}

std::uint32_t undoCommandId(int index) {
    return IDM_FIRST_UNDO + static_cast<std::uint32_t>(index);
}

bool undoFromMenu(Session& session, std::uint32_t commandId, Messages& messages) {
    if (commandId < IDM_FIRST_UNDO || commandId >= undoCommandId(AdapterList::MaxAdapters)) {
        return false;
    }
    AdapterInfo* adapter = session.adapters.at(static_cast<int>(commandId - IDM_FIRST_UNDO));
    if (adapter == nullptr) {
        return false;
    }
    undoLastSwitch(session, *adapter, session.applyToAll != 0, messages);
    return true;
}

}  // namespace corvane
