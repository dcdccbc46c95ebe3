#include "tray/tray_menu.h"

#include <gtest/gtest.h>

#include "profiles/last_switch.h"
#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

// The items as the menu shows them: "Name id" with "(*)" for the radio mark, "-" for a separator,
// "Title >" for a submenu with its items indented, "Undo id" with "(grey)" when greyed; the ids'
// adapters show in switching from it.
Lines render(const std::vector<TrayMenuItem>& items, const std::string& indent = "") {
    using Kind = TrayMenuItem::Kind;
    Lines out;
    for (const TrayMenuItem& item : items) {
        out.push_back(indent + (item.kind == Kind::Undo ? "Undo" : toUtf8(item.text)) +
                      (item.kind == Kind::Profile || item.kind == Kind::Undo
                           ? " " + std::to_string(item.commandId)
                       : item.kind == Kind::Submenu ? " >"
                                                    : "-") +
                      (item.checked ? " (*)" : "") + (item.grayed ? " (grey)" : ""));
        const Lines inner = render(item.items, indent + "  ");
        out.insert(out.end(), inner.begin(), inner.end());
    }
    return out;
}

TEST(TrayMenuTest, TheThreeLayoutsLastOnTopWithIdsAndOnlyTheExactDefaultMarkedOrNothing) {
    // "Undo Last Switch" ends each list, greyed where there is nothing to undo: here A2 has a
    // switch to undo, and its default is "home" in another letter case.
    for (const auto& [adapters, applyToAll, items] :
         {std::tuple{1, 0u, Lines{"Office 10201 (*)", "Home 10200", "-", "Undo 10100 (grey)", "-"}},
          {2, 0u,
           Lines{"Card A2 >", "  Home 10300", "  Office 10301", "  -", "  Undo 10101", "Card A1 >",
                 "  Home 10200", "  Office 10201 (*)", "  -", "  Undo 10100 (grey)", "-"}},
          // Listed once, the first adapter's, and undoing every adapter that has a switch to undo.
          {2, 1u, Lines{"Office 10201 (*)", "Home 10200", "-", "Undo 10100", "-"}}}) {
        Device device(adapters, true);
        if (adapters > 1) {
            keepLastSwitch(device.registry, device.adapter(1),
                           *adapterState(device.registry, device.adapter(1)));
        }
        device.setDefault(u"A1", u"Office");
        device.setDefault(u"A2", u"home");
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
    using enum TrayTap;
    using Tap = std::tuple<std::intptr_t, bool, bool, bool, TrayTap>;  // has menu, busy, up
    for (const auto& [message, hasMenu, busy, up, answer] :
         {Tap{0x0201, true, false, false, OpenMenu},
          {0x0201, true, false, true, ShowAndBringForward},
          {0x0201, false, false, false, ShowAndBringForward},
          {0x0201, true, true, false, BringForward},
          {0x0200, true, false, false, Nothing},
          {0x0202, true, false, false, Nothing},
          {0x0203, true, false, false, Nothing},
          {0x0204, true, false, false, Nothing}}) {
        EXPECT_EQ(decideTrayTap(message, hasMenu, busy, up), answer)
            << message << hasMenu << busy << up;
    }
}

// A profile's id switches its adapter, an undo's id undoes its adapter's last switch; with
// applyToAll each does so for every adapter. The menu, the dialog's "Set!" and the command line
// switch through switchToProfile.
TEST(TrayMenuTest, AnIdSwitchesOrUndoesItsAdapterOrEveryAdapterAndAnIdOfNoEntryDoesNothing) {
    Device device(3, true);
    std::vector<ProfileMenuItem> entries = buildTrayMenu(device.session).entries;
    Messages messages;
    EXPECT_TRUE(switchFromMenu(device.session, entries, 10301, messages));  // Office for A2
    EXPECT_FALSE(switchFromMenu(device.session, entries, 10202, messages)) << "rebuilt since";
    for (const std::uint32_t notUndo : {10099u, 10103u, 10150u, 10200u}) {
        EXPECT_FALSE(undoFromMenu(device.session, notUndo, messages)) << notUndo;
    }
    EXPECT_EQ(std::pair(device.defaultOf(u"A1"), device.defaultOf(u"A2")),
              std::pair(std::u16string(u"(none)"), std::u16string(u"Office")));
    EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)}) << "told once, and nothing more done";

    device.session.applyToAll = 1;
    entries = buildTrayMenu(device.session).entries;
    messages.clear();
    EXPECT_TRUE(switchFromMenu(device.session, entries, 10200, messages));  // Home, bound to A1
    EXPECT_EQ(device.systemIps(), "10.1.0.1 10.1.0.1 10.1.0.1 ");
    EXPECT_EQ(device.defaultOf(u"A3"), u"Home");
    EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)}) << "only the last adapter reports";

    device.session.applyToAll = 0;
    EXPECT_TRUE(undoFromMenu(device.session, 10101, messages));
    EXPECT_EQ(device.systemIps(), "10.1.0.1 10.2.0.1 10.1.0.1 ");
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
