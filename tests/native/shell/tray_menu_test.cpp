#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "profiles/profile_store.h"
#include "tests/support/profile_world.h"
#include "tray/menu_items.h"
#include "tray/tray_menu.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

// Adapters X then Y (the registry lists keys in sorted order), defaults B and A; profiles A, B.
void makeDevice(ProfileWorld& world, int adapters) {
    world.addAdapter(u"X", u"Adapter X", u"10.0.0.1");
    world.setDefault(u"X", u"B");
    if (adapters > 1) {
        world.addAdapter(u"Y", u"Adapter Y", u"10.0.0.2");
        world.setDefault(u"Y", u"A");
    }
    ASSERT_EQ(world.loadAdapters(), adapters);
    world.addProfile(u"A", u"10.1.0.1");
    world.addProfile(u"B", u"10.1.0.2");
}

// The menu's entries as "name id adapter".
Lines entries(const ProfileWorld& world) {
    Lines out;
    for (int i = 0; i < world.state.menuItems.size(); ++i) {
        const ProfileMenuItem* item = world.state.menuItems.at(i);
        out.push_back(toUtf8(textOf(item->profileName)) + " " + std::to_string(item->commandId) +
                      " " + toUtf8(textOf(item->adapter->keyName)));
    }
    return out;
}

TEST(TrayMenuTest, TheThreeLayoutsLastOnTopWithIdsAndMarks) {
    struct Case {
        int adapters;
        std::uint32_t applyToAll;
        Lines profiles;  // between the resource's "Network Profiles..." and separator + "Exit"
        Lines entries;
    };
    const Lines flat{"A 10200 X", "B 10201 X"};
    const Case cases[] = {
        {1, 0, {"B [10201] (*)", "A [10200]"}, flat},
        {2,
         0,
         {"Adapter Y >", "  A [10300] (*)", "  B [10301]", "Adapter X >", "  A [10200]",
          "  B [10201] (*)"},
         {"A 10200 X", "B 10201 X", "A 10300 Y", "B 10301 Y"}},
        {2, 1, {"B [10201] (*)", "A [10200]"}, flat},  // once, bound to the first adapter
    };
    for (const Case& c : cases) {
        ProfileWorld world;
        makeDevice(world, c.adapters);
        world.state.applyToAll = c.applyToAll;
        rebuildTrayMenu(world.state);
        Lines expected{"Network &Profiles... [40006]", "-"};
        expected.insert(expected.end(), c.profiles.begin(), c.profiles.end());
        expected.insert(expected.end(), {"-", "E&xit [40007]"});
        EXPECT_EQ(world.menus.render(world.state.trayMenu), expected);
        EXPECT_EQ(entries(world), c.entries);
        EXPECT_EQ(world.registry.openHandleCount(), 0);
    }
}

TEST(TrayMenuTest, RebuildsReleaseTheOldMenuAndAddOnlyWhatCanBeMade) {
    ProfileWorld world;
    const Lines bare{"Network &Profiles... [40006]", "-", "E&xit [40007]"};
    rebuildTrayMenu(world.state);
    EXPECT_EQ(world.menus.render(world.state.trayMenu), bare) << "no adapters";

    makeDevice(world, 2);
    rebuildTrayMenu(world.state);
    const int live = world.menus.liveMenus();
    rebuildTrayMenu(world.state);
    EXPECT_EQ(world.menus.liveMenus(), live) << "the old menu went with its submenus";
    EXPECT_EQ(world.state.menuItems.size(), 4) << "entries start again empty";

    // A submenu that cannot be made leaves its adapter out; nothing added, no separator.
    world.menus.failCreatePopup = true;
    rebuildTrayMenu(world.state);
    EXPECT_EQ(world.menus.render(world.state.trayMenu), bare);
    EXPECT_EQ(world.state.menuItems.size(), 0);
    world.menus.failCreatePopup = false;

    // No profiles: empty submenus are destroyed, not inserted.
    world.registry.deleteTree(kCurrentUser, kProfilesKeyPath);
    rebuildTrayMenu(world.state);
    EXPECT_EQ(world.menus.render(world.state.trayMenu), bare);
    EXPECT_EQ(world.menus.liveMenus(), 1);

    world.menus.failLoad = true;
    rebuildTrayMenu(world.state);
    EXPECT_EQ(world.state.trayMenu, 0u);
    EXPECT_EQ(world.menus.liveMenus(), 0);
}

TEST(ProfileMenuListTest, GrowsByAnEighthAtLeastFourFindsByIdAndReleasesWhenEmptied) {
    AdapterInfo adapter(u"X", u"\\Comm\\X\\Parms\\TcpIp", u"X");
    ProfileMenuList list;
    std::vector<int> capacities;
    for (int i = 0; i < 60; ++i) {
        auto item = std::make_unique<ProfileMenuItem>();
        item->commandId = 10200u + static_cast<std::uint32_t>(i % 30);
        item->adapter = i == 0 ? nullptr : &adapter;
        ASSERT_TRUE(list.append(std::move(item)));
        if (capacities.empty() || capacities.back() != list.capacity()) {
            capacities.push_back(list.capacity());
        }
    }
    // 1 slot first; then steps of 4 until the size reaches 40, then of size / 8.
    EXPECT_EQ(capacities,
              (std::vector<int>{1, 5, 9, 13, 17, 21, 25, 29, 33, 37, 41, 46, 51, 57, 64}));
    EXPECT_EQ(list.at(60), nullptr);
    EXPECT_EQ(list.findCommand(10200), list.at(30)) << "the first with the id and an adapter";
    EXPECT_EQ(list.findCommand(10230), nullptr);
    list.clear();
    EXPECT_EQ(list.size(), 0);
    EXPECT_EQ(list.capacity(), 0);
}

// The popup's position on the real screen is proven under Wine.
TEST(TrayMenuTest, APenDownOpensTheMenuOrBringsTheWindowForward) {
    ProfileWorld world;
    makeDevice(world, 1);
    rebuildTrayMenu(world.state);
    for (std::intptr_t event : {0x0202, 0x0203, 0x0204, 0x0200, 0x0201}) {
        onTrayNotify(world.state, 107, event);
    }
    EXPECT_EQ(world.menus.tracked, std::vector<MenuRef>{world.state.trayMenu})
        << "only a pen-down is answered";

    // Busy: only brought forward. The dialog visible, or no menu at all: shown and brought
    // forward instead of the menu.
    world.state.busy = 1;
    onTrayNotify(world.state, 107, 0x0201);
    world.state.busy = 0;
    world.state.hwndCurrent = ProfileWorld::kDialog;
    world.menus.visible.insert(ProfileWorld::kDialog);
    onTrayNotify(world.state, 107, 0x0201);
    world.state.hwndCurrent = ProfileWorld::kMain;
    world.menus.failLoad = true;
    rebuildTrayMenu(world.state);
    onTrayNotify(world.state, 107, 0x0201);
    EXPECT_EQ(world.menus.windowCalls,
              (Lines{"foreground 16", "show 32", "foreground 32", "show 16", "foreground 16"}));
    EXPECT_EQ(world.menus.tracked.size(), 1u);
}

}  // namespace
}  // namespace corvane
