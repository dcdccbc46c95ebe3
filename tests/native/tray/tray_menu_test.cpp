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
    // switch to undo.
    for (const auto& [adapters, applyToAll, a1, items] :
         {std::tuple{1, 0u, u"Office",
                     Lines{"Office 10201 (*)", "Home 10200", "-", "Undo 10100 (grey)", "-"}},
          {2, 0u, u"Office",
           Lines{"Card A2 >", "  Home 10300 (*)", "  Office 10301", "  -", "  Undo 10101",
                 "Card A1 >", "  Home 10200", "  Office 10201 (*)", "  -", "  Undo 10100 (grey)",
                 "-"}},
          // Listed once, the first adapter's, and undoing every adapter that has a switch to undo.
          {2, 1u, u"Office", Lines{"Office 10201 (*)", "Home 10200", "-", "Undo 10100", "-"}},
          {1, 0u, u"office", Lines{"Office 10201", "Home 10200", "-", "Undo 10100 (grey)", "-"}}}) {
        Device device(adapters, true);
        if (adapters > 1) {
            keepLastSwitch(device.registry, device.adapter(1),
                           *adapterState(device.registry, device.adapter(1)));
        }
        device.setDefault(u"A1", a1);
        device.setDefault(u"A2", u"Home");
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
    EXPECT_EQ(decideTrayTap(kPenDown, true, false, false), TrayTap::OpenMenu);
    EXPECT_EQ(decideTrayTap(kPenDown, true, false, true), TrayTap::ShowAndBringForward)
        << "the dialog is up";
    EXPECT_EQ(decideTrayTap(kPenDown, false, false, false), TrayTap::ShowAndBringForward)
        << "no menu could be loaded";
    EXPECT_EQ(decideTrayTap(kPenDown, true, true, false), TrayTap::BringForward) << "busy";
}

// The menu, the dialog's "Set!" and the command line switch through switchToProfile.
TEST(SwitchFromMenuTest, OneOrEveryAdapterIsSwitchedAndToldOnceAndAnIdOfNoEntryDoesNothing) {
    Device device(3, true);
    std::vector<ProfileMenuItem> entries = buildTrayMenu(device.session).entries;
    Messages messages;
    EXPECT_TRUE(switchFromMenu(device.session, entries, 10301, messages));  // Office for A2
    EXPECT_EQ(device.defaultOf(u"A2"), u"Office");
    EXPECT_FALSE(switchFromMenu(device.session, entries, 10202, messages))
        << "the menu was rebuilt";
    EXPECT_EQ(device.defaultOf(u"A1"), u"(none)");
    EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)}) << "told once, and nothing more done";

    device.session.applyToAll = 1;
    entries = buildTrayMenu(device.session).entries;
    messages.clear();
    EXPECT_TRUE(switchFromMenu(device.session, entries, 10200, messages));  // Home, bound to A1
    for (const char16_t* key : {u"A1", u"A2", u"A3"}) {
        EXPECT_EQ(device.defaultOf(key) + u" " + device.systemIp(key), u"Home 10.1.0.1");
    }
    EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)}) << "only the last adapter reports";

    messages.clear();
    device.registry.failValue(u"DefProfile", status::kAccessDenied);
    EXPECT_TRUE(switchFromMenu(device.session, entries, 10201, messages));  // Office
    EXPECT_EQ(device.systemIp(u"A1"), u"10.1.0.1") << "not applied without the default";
    EXPECT_EQ(messages, Messages{failure(IDS_SET_DEFAULT_FAILED, u"Office")})
        << "after the first failure no adapter is tried";
    device.session.applyToAll = 0;
    messages.clear();
    EXPECT_TRUE(switchFromMenu(device.session, entries, 10200, messages));
    EXPECT_EQ(messages, Messages{failure(IDS_SET_DEFAULT_FAILED, u"Home")}) << "one adapter";
}

// An undo id names its adapter by position; with applyToAll every adapter that has a switch to
// undo is undone, as a choice of a profile switches every adapter.
TEST(UndoFromMenuTest, AnIdUndoesItsAdapterOrWithApplyToAllEveryAdapterAndNoOtherIdDoesAnything) {
    Device device(2, true);
    Messages messages;
    switchToProfile(device.session, device.adapter(0), u"Office", true, messages);
    for (const std::uint32_t notUndo : {10099u, 10102u, 10150u, 10200u}) {
        EXPECT_FALSE(undoFromMenu(device.session, notUndo, messages)) << notUndo;
    }
    messages.clear();
    EXPECT_TRUE(undoFromMenu(device.session, 10101, messages));
    EXPECT_EQ(std::pair(device.systemIp(u"A1"), device.systemIp(u"A2")),
              std::pair(std::u16string(u"10.2.0.1"), std::u16string(u"192.168.0.2")));
    EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)});

    device.session.applyToAll = 1;
    EXPECT_TRUE(undoFromMenu(device.session, 10100, messages));
    EXPECT_EQ(std::pair(device.systemIp(u"A1"), device.systemIp(u"A2")),
              std::pair(std::u16string(u"192.168.0.1"), std::u16string(u"10.2.0.1")))
        << "each adapter's last switch undone: A2's undo redone";
}

}  // namespace
}  // namespace corvane
