#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "profiles/profile_store.h"
#include "shell/menu_items.h"
#include "shell/tray_menu.h"
#include "tests/support/profile_world.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

class TrayMenuTest : public ::testing::Test {
  protected:
    // Adapters X then Y (the registry lists keys in sorted order); profiles A then B.
    void makeDevice(int adapters) {
        world.addAdapter(u"X", u"Adapter X", u"10.0.0.1");
        if (adapters > 1) {
            world.addAdapter(u"Y", u"Adapter Y", u"10.0.0.2");
        }
        ASSERT_EQ(world.loadAdapters(), adapters);
        world.addProfile(u"A", u"10.1.0.1");
        world.addProfile(u"B", u"10.1.0.2");
    }
    Lines menu() const { return world.menus.render(world.state.trayMenu); }
    std::string entry(int index) const {
        const ProfileMenuItem* item = world.state.menuItems.at(index);
        return toUtf8(textOf(item->profileName)) + " " + std::to_string(item->commandId) + " " +
               toUtf8(textOf(item->adapter->keyName));
    }
    void TearDown() override { EXPECT_EQ(world.registry.openHandleCount(), 0); }

    ProfileWorld world;
};

TEST_F(TrayMenuTest, OneAdapterListsTheProfilesFlatLastOnTop) {
    makeDevice(1);
    world.setDefault(u"X", u"A");
    rebuildTrayMenu(world.state);
    EXPECT_EQ(menu(), (Lines{"Network &Profiles... [40006]", "-", "B [10201]", "A [10200] (*)", "-",
                             "E&xit [40007]"}));
    ASSERT_EQ(world.state.menuItems.size(), 2);
    EXPECT_EQ(entry(0), "A 10200 X");
    EXPECT_EQ(entry(1), "B 10201 X");
}

TEST_F(TrayMenuTest, SeveralAdaptersGetASubmenuEachLastAdapterOnTop) {
    makeDevice(2);
    world.setDefault(u"X", u"B");
    world.setDefault(u"Y", u"A");
    rebuildTrayMenu(world.state);
    EXPECT_EQ(menu(), (Lines{"Network &Profiles... [40006]", "-", "Adapter Y >", "  A [10300] (*)",
                             "  B [10301]", "Adapter X >", "  A [10200]", "  B [10201] (*)", "-",
                             "E&xit [40007]"}));
    ASSERT_EQ(world.state.menuItems.size(), 4);
    EXPECT_EQ(entry(0), "A 10200 X");
    EXPECT_EQ(entry(1), "B 10201 X");
    EXPECT_EQ(entry(2), "A 10300 Y");
    EXPECT_EQ(entry(3), "B 10301 Y");
}

TEST_F(TrayMenuTest, ApplyToAllListsTheProfilesOnceBoundToTheFirstAdapter) {
    makeDevice(2);
    world.setDefault(u"X", u"B");
    world.setDefault(u"Y", u"A");
    world.state.applyToAll = 1;
    rebuildTrayMenu(world.state);
    EXPECT_EQ(menu(), (Lines{"Network &Profiles... [40006]", "-", "B [10201] (*)", "A [10200]", "-",
                             "E&xit [40007]"}));
    ASSERT_EQ(world.state.menuItems.size(), 2);
    EXPECT_EQ(entry(0), "A 10200 X");
    EXPECT_EQ(entry(1), "B 10201 X");
}

TEST_F(TrayMenuTest, RebuildsReleaseTheOldMenuAndKeepOnlyWhatWasAdded) {
    makeDevice(2);
    rebuildTrayMenu(world.state);
    const int live = world.menus.liveMenus();
    rebuildTrayMenu(world.state);
    EXPECT_EQ(world.menus.liveMenus(), live) << "the old menu went with its submenus";
    EXPECT_EQ(world.state.menuItems.size(), 4) << "entries start again empty";

    // A submenu that cannot be made leaves its adapter out; nothing added, no separator.
    world.menus.failCreatePopup = true;
    rebuildTrayMenu(world.state);
    EXPECT_EQ(menu(), (Lines{"Network &Profiles... [40006]", "-", "E&xit [40007]"}));
    EXPECT_EQ(world.state.menuItems.size(), 0);
    world.menus.failCreatePopup = false;

    // No profiles: empty submenus are destroyed, not inserted.
    world.registry.deleteTree(kCurrentUser, kProfilesKeyPath);
    rebuildTrayMenu(world.state);
    EXPECT_EQ(menu(), (Lines{"Network &Profiles... [40006]", "-", "E&xit [40007]"}));
    EXPECT_EQ(world.menus.liveMenus(), 1);

    world.menus.failLoad = true;
    rebuildTrayMenu(world.state);
    EXPECT_EQ(world.state.trayMenu, 0u);
    EXPECT_EQ(world.menus.liveMenus(), 0);
}

TEST_F(TrayMenuTest, AMenuWithoutAdaptersIsJustTheResource) {
    rebuildTrayMenu(world.state);
    EXPECT_EQ(menu(), (Lines{"Network &Profiles... [40006]", "-", "E&xit [40007]"}));
}

TEST(ProfileMenuListTest, GrowsByAnEighthAtLeastFourAndReleasesWhenEmptied) {
    ProfileMenuList list;
    std::vector<int> capacities;
    for (int i = 0; i < 60; ++i) {
        auto item = std::make_unique<ProfileMenuItem>();
        item->commandId = 10200u + static_cast<std::uint32_t>(i);
        ASSERT_TRUE(list.append(std::move(item)));
        if (capacities.empty() || capacities.back() != list.capacity()) {
            capacities.push_back(list.capacity());
        }
    }
    // 1 slot first; then steps of 4 until the size reaches 40, then of size / 8.
    EXPECT_EQ(capacities,
              (std::vector<int>{1, 5, 9, 13, 17, 21, 25, 29, 33, 37, 41, 46, 51, 57, 64}));
    EXPECT_EQ(list.size(), 60);
    EXPECT_EQ(list.at(59)->commandId, 10259u);
    EXPECT_EQ(list.at(60), nullptr);
    list.clear();
    EXPECT_EQ(list.size(), 0);
    EXPECT_EQ(list.capacity(), 0);
}

TEST(ProfileMenuListTest, FindsTheFirstEntryWithTheIdAndAnAdapter) {
    AdapterInfo adapter(u"X", u"\\Comm\\X\\Parms\\TcpIp", u"X");
    ProfileMenuList list;
    for (AdapterInfo* owner : {static_cast<AdapterInfo*>(nullptr), &adapter, &adapter}) {
        auto item = std::make_unique<ProfileMenuItem>();
        item->commandId = 10200;
        item->adapter = owner;
        list.append(std::move(item));
    }
    EXPECT_EQ(list.findCommand(10200), list.at(1));
    EXPECT_EQ(list.findCommand(10201), nullptr);
}

TEST_F(TrayMenuTest, APenDownOpensTheMenuAtTheBottomRightOrBringsTheWindowForward) {
    makeDevice(1);
    rebuildTrayMenu(world.state);
    for (std::intptr_t other : {0x0202, 0x0203, 0x0204, 0x0200}) {
        onTrayNotify(world.state, 107, other);
    }
    EXPECT_TRUE(world.menus.tracked.empty() && world.menus.windowCalls.empty())
        << "only a pen-down is answered";

    onTrayNotify(world.state, 107, 0x0201);
    ASSERT_EQ(world.menus.tracked.size(), 1u);
    const TrackedPopup& popup = world.menus.tracked[0];
    EXPECT_EQ(popup.menu, world.state.trayMenu);
    EXPECT_EQ(popup.flags, 0x28u);
    EXPECT_EQ(popup.x, 638);
    EXPECT_EQ(popup.y, 214);
    EXPECT_EQ(popup.owner, ProfileWorld::kMain);

    // Busy: no menu, no window shown, only brought forward.
    world.state.busy = 1;
    onTrayNotify(world.state, 107, 0x0201);
    EXPECT_EQ(world.menus.windowCalls, (Lines{"foreground 16"}));

    // The dialog visible: shown and brought forward instead of the menu.
    world.state.busy = 0;
    world.menus.windowCalls.clear();
    world.state.hwndCurrent = ProfileWorld::kDialog;
    world.menus.visible.insert(ProfileWorld::kDialog);
    onTrayNotify(world.state, 107, 0x0201);
    EXPECT_EQ(world.menus.windowCalls, (Lines{"show 32", "foreground 32"}));
    EXPECT_EQ(world.menus.tracked.size(), 1u);

    // No menu at all: the same.
    world.menus.windowCalls.clear();
    world.state.hwndCurrent = ProfileWorld::kMain;
    world.menus.failLoad = true;
    rebuildTrayMenu(world.state);
    onTrayNotify(world.state, 107, 0x0201);
    EXPECT_EQ(world.menus.windowCalls, (Lines{"show 16", "foreground 16"}));
    EXPECT_EQ(world.menus.tracked.size(), 1u);
}

}  // namespace
}  // namespace corvane
