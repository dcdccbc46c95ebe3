#include "tray/tray_menu.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

// The items as the menu shows them: "Name id" with "(*)" for the radio mark, "-" for a separator,
// "Title >" for a submenu with its items indented; the ids' adapters show in switching from it.
Lines render(const std::vector<TrayMenuItem>& items, const std::string& indent = "") {
    using Kind = TrayMenuItem::Kind;
    Lines out;
    for (const TrayMenuItem& item : items) {
        out.push_back(indent + toUtf8(item.text) +
                      (item.kind == Kind::Profile   ? " " + std::to_string(item.commandId)
                       : item.kind == Kind::Submenu ? " >"
                                                    : "-") +
                      (item.checked ? " (*)" : ""));
        const Lines inner = render(item.items, indent + "  ");
        out.insert(out.end(), inner.begin(), inner.end());
    }
    return out;
}

TEST(TrayMenuTest, TheThreeLayoutsLastOnTopWithIdsAndOnlyTheExactDefaultMarkedOrNothing) {
    for (const auto& [adapters, applyToAll, a1, items] :
         {std::tuple{1, 0u, u"Office", Lines{"Office 10201 (*)", "Home 10200", "-"}},
          {2, 0u, u"Office",
           Lines{"Card A2 >", "  Home 10300 (*)", "  Office 10301", "Card A1 >", "  Home 10200",
                 "  Office 10201 (*)", "-"}},
          {2, 1u, u"Office", Lines{"Office 10201 (*)", "Home 10200", "-"}},  // once, the first's
          {1, 0u, u"office", Lines{"Office 10201", "Home 10200", "-"}}}) {
        Device device(adapters, true);
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

}  // namespace
}  // namespace corvane
