#include "tray/tray_menu.h"

#include <gtest/gtest.h>

#include "profiles/last_switch.h"
#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

// The items as the menu shows them: "Name id" with "(*)" for the radio mark, "-" for a separator,
// "Undo id" with "(grey)" when greyed.
Lines render(const std::vector<TrayMenuItem>& items) {
    using enum TrayMenuItem::Kind;
    Lines out;
    for (const TrayMenuItem& item : items) {
        out.push_back((item.kind == Undo ? "Undo" : toUtf8(item.text)) +
                      (item.kind == Separator ? "-" : " " + std::to_string(item.commandId)) +
                      (item.checked ? " (*)" : "") + (item.grayed ? " (grey)" : ""));
    }
    return out;
}

// With several adapters, one submenu each: the Windows menu's test draws that layout.
TEST(TrayMenuTest, TheFlatLayoutsWithIdsAndOnlyTheExactDefaultMarkedOrNothing) {
    // "Undo Last Switch" ends the list, greyed where there is nothing to undo; with applyToAll, of
    // the first adapter, it undoes every adapter that has a switch to undo, here A2.
    for (const auto& [adapters, applyToAll, a1, items] :
         {std::tuple{1, 0u, u"office",
                     Lines{"Office 10201", "Home 10200", "-", "Undo 10100 (grey)", "-"}},
          {2, 1u, u"Office", Lines{"Office 10201 (*)", "Home 10200", "-", "Undo 10100", "-"}}}) {
        Device device(adapters, true);
        if (adapters > 1) {
            keepLastSwitch(device.registry, device.adapter(1),
                           *adapterState(device.registry, device.adapter(1)));
        }
        device.setDefault(u"A1", a1);
        device.session.applyToAll = applyToAll;
        EXPECT_EQ(render(buildTrayMenu(device.session).items), items);
    }
    // Without profiles, or without adapters, nothing is added: no submenu, no separator.
    Device device(2);
    EXPECT_EQ(render(buildTrayMenu(device.session).items), Lines{});
    device.addProfile(u"Home");
    device.session.adapters.clear();
    EXPECT_EQ(render(buildTrayMenu(device.session).items), Lines{});
}

TEST(TrayMenuTest, OnlyAPenDownIsAnsweredAndOnlyWithTheMenuWhenNothingElseIsUp) {
    constexpr std::intptr_t kPenDown = 0x0201;
    for (const std::intptr_t other : {0x0200, 0x0202, 0x0203, 0x0204}) {
        EXPECT_EQ(decideTrayTap(other, true, false, false), TrayTap::Nothing) << other;
    }
    // As (a menu there, busy, a window of the program up).
    EXPECT_EQ(decideTrayTap(kPenDown, true, false, false), TrayTap::OpenMenu);
    EXPECT_EQ(decideTrayTap(kPenDown, true, false, true), TrayTap::ShowAndBringForward);
    EXPECT_EQ(decideTrayTap(kPenDown, false, false, false), TrayTap::ShowAndBringForward);
    EXPECT_EQ(decideTrayTap(kPenDown, true, true, false), TrayTap::BringForward);
}

// A profile's id switches its adapter (a submenu's, in the Windows program's test), an undo's id
// undoes its adapter's last switch; with applyToAll each does so for every adapter. The menu, the
// dialog's "Set!" and the command line switch through switchToProfile.
TEST(TrayMenuTest, AnIdSwitchesOrUndoesItsAdapterOrEveryAdapterAndAnIdOfNoEntryDoesNothing) {
    Device device(3, true);
    device.session.applyToAll = 1;
    const std::vector<ProfileMenuItem> entries = buildTrayMenu(device.session).entries;
    Messages messages;
    EXPECT_TRUE(switchFromMenu(device.session, entries, 10200, messages));  // Home, bound to A1
    EXPECT_FALSE(switchFromMenu(device.session, entries, 10301, messages)) << "no such entry";
    for (const std::uint32_t notUndo : {10099u, 10103u, 10150u, 10200u}) {
        EXPECT_FALSE(undoFromMenu(device.session, notUndo, messages)) << notUndo;
    }
    EXPECT_EQ(device.systemIps(), "10.1.0.1 10.1.0.1 10.1.0.1 ");
    EXPECT_EQ(device.defaultOf(u"A3"), u"Home");
    EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)}) << "only the last adapter reports, once";

    device.session.applyToAll = 0;
    EXPECT_TRUE(undoFromMenu(device.session, 10101, messages));
    EXPECT_EQ(device.systemIps(), "10.1.0.1 192.168.0.2 10.1.0.1 ");
    device.session.applyToAll = 1;
    EXPECT_TRUE(undoFromMenu(device.session, 10100, messages));
    EXPECT_EQ(device.systemIps(), "192.168.0.1 10.1.0.1 192.168.0.3 ") << "A2's undo redone";

    messages.clear();
    device.registry.failValue(u"DefProfile", status::kAccessDenied);
    EXPECT_TRUE(switchFromMenu(device.session, entries, 10201, messages));  // Office
    EXPECT_EQ(device.systemIp(u"A1"), u"192.168.0.1") << "not applied without the default";
    EXPECT_EQ(messages, Messages{failure(IDS_SET_DEFAULT_FAILED, u"Office")})
        << "after the first failure no adapter is tried";
}

}  // namespace
}  // namespace corvane
