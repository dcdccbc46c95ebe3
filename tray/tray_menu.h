// The notification icon's menu as data: the items it gains for the stored profiles, built from
// one scan of the store; the answer to a tap on the icon; the switch to a chosen profile and
// "Undo Last Switch".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/message.h"
#include "core/session.h"
#include "profiles/profile_store.h"

namespace corvane {

// Profile items go here in menu resource 112's popup, between "Network &Profiles..." with its
// separator and "E&xit".
inline constexpr int kTrayProfilePosition = 2;

struct TrayMenuItem {
    enum class Kind { Profile, Submenu, Separator, Undo };
    Kind kind = Kind::Profile;
    std::uint32_t commandId = 0;      // a profile's command, or an undo's
    std::u16string text;              // a profile's name or an adapter's display name, as it stands
    bool checked = false;             // the radio mark of the adapter's default profile
    std::vector<TrayMenuItem> items;  // a submenu's profiles
    bool grayed = false;              // an undo with no switch to undo

    bool operator==(const TrayMenuItem&) const = default;
};

struct TrayMenu {
    std::vector<TrayMenuItem> items;       // top to bottom, from kTrayProfilePosition on
    std::vector<ProfileMenuItem> entries;  // the profile commands, in the order they were made
};

// The first command id of the adapter at list position `index`: 100 ids each from 10200.
std::uint32_t firstProfileCommand(int index);

// The items for the session's adapters and option: one submenu per adapter (the last adapter on
// top) when there are several and applyToAll is off, else one flat list bound to the first
// adapter, in the reverse of the store's order. "Undo Last Switch" ends each submenu or the flat
// list after a separator (with applyToAll it undoes every adapter that has a switch to undo). A
// separator follows when anything was added.
TrayMenu buildTrayMenu(Session& session);

enum class TrayTap {
    Nothing,              // not a pen-down
    OpenMenu,             // at the screen's bottom-right corner
    ShowAndBringForward,  // the window that fronts the program
    BringForward,         // while a command runs: only bring that window to the front
};
// A pen-down opens the menu, unless there is none, a command runs or a window of the program is
// up; every other mouse message is ignored.
TrayTap decideTrayTap(std::intptr_t mouseMessage, bool hasMenu, bool busy, bool currentVisible);

// Makes the profile of menu command `commandId` among `entries` the default of its adapter (of
// every adapter with applyToAll) and applies it; `messages` gets what the user is told. False
// when no entry names the id and an adapter of the list: nothing happens then.
bool switchFromMenu(Session& session, const std::vector<ProfileMenuItem>& entries,
                    std::uint32_t commandId, Messages& messages);

// The undo command of the adapter at list position `index`.
std::uint32_t undoCommandId(int index);

// "Undo Last Switch" of command `commandId`: its adapter's last switch undone, or with
// applyToAll every adapter's; `messages` gets what the user is told. False when the id is no
// undo of an adapter of the list: nothing happens then.
bool undoFromMenu(Session& session, std::uint32_t commandId, Messages& messages);

}  // namespace corvane
