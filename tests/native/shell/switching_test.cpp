#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "profiles/profile_store.h"
#include "resource.h"
#include "shell/switching.h"
#include "shell/tray_menu.h"
#include "tests/support/profile_world.h"

namespace corvane {
namespace {

using Texts = std::vector<std::u16string>;

class SwitchingTest : public ::testing::Test {
  protected:
    // Adapters A1, A2, A3 in list order; profiles Home and Office.
    void makeDevice(int adapters) {
        const char16_t* keys[] = {u"A1", u"A2", u"A3"};
        const char16_t* ips[] = {u"192.168.0.1", u"192.168.0.2", u"192.168.0.3"};
        for (int i = 0; i < adapters; ++i) {
            world.addAdapter(keys[i], std::u16string(u"Card ") + keys[i], ips[i]);
        }
        ASSERT_EQ(world.loadAdapters(), adapters);
        world.addProfile(u"Home", u"10.1.0.1");
        world.addProfile(u"Office", u"10.2.0.1");
    }
    std::u16string notSet(std::u16string_view name) {
        return ProfileWorld::text(IDS_SET_DEFAULT_FAILED, name);
    }
    void TearDown() override { EXPECT_EQ(world.registry.openHandleCount(), 0); }

    ProfileWorld world;
};

TEST_F(SwitchingTest, MenuSwitchOfOneAdapterAppliesReportsAndMovesTheMark) {
    makeDevice(1);
    world.setDefault(u"A1", u"Home");
    rebuildTrayMenu(world.state);
    ASSERT_EQ(world.menus.render(world.state.trayMenu)[3], "Home [10200] (*)");

    EXPECT_TRUE(switchFromMenu(world.state, 10201));
    EXPECT_EQ(world.defaultOf(u"A1"), u"Office");
    EXPECT_EQ(world.systemIp(u"A1"), u"10.2.0.1");
    EXPECT_EQ(world.messages(), (Texts{ProfileWorld::text(IDS_NEXT_USE)}));
    EXPECT_EQ(world.ui.boxes[0].owner, ProfileWorld::kMain);
    EXPECT_EQ(world.menus.windowCalls, (std::vector<std::string>{"foreground 16"}));
    EXPECT_EQ(world.state.busy, 0u);
    EXPECT_EQ(world.menus.render(world.state.trayMenu),
              (std::vector<std::string>{"Network &Profiles... [40006]", "-", "Office [10201] (*)",
                                        "Home [10200]", "-", "E&xit [40007]"}));

    // An id no entry carries (the menu was rebuilt in between): nothing happens.
    const int writes = world.registry.setValueCount();
    EXPECT_FALSE(switchFromMenu(world.state, 10202));
    EXPECT_FALSE(switchFromMenu(world.state, 10300));
    EXPECT_EQ(world.registry.setValueCount(), writes);
    EXPECT_EQ(world.messages().size(), 1u);
}

TEST_F(SwitchingTest, MenuSwitchOfAllAdaptersStopsAtTheFirstDefaultThatCannotBeStored) {
    makeDevice(3);
    for (const char16_t* key : {u"A1", u"A2", u"A3"}) {
        world.setDefault(key, u"Home");
    }
    world.state.applyToAll = 1;
    rebuildTrayMenu(world.state);
    world.registry.failValue(u"DefProfile", status::kAccessDenied, kCurrentUser,
                             u"Software\\Tavelorn\\Corvane\\1.2\\A2");

    EXPECT_TRUE(switchFromMenu(world.state, 10201));  // Office, bound to A1
    EXPECT_EQ(world.defaultOf(u"A1"), u"Office");
    EXPECT_EQ(world.systemIp(u"A1"), u"10.2.0.1") << "switched silently";
    EXPECT_EQ(world.defaultOf(u"A2"), u"Home");
    EXPECT_EQ(world.systemIp(u"A2"), u"192.168.0.2");
    EXPECT_EQ(world.defaultOf(u"A3"), u"Home") << "after the failure nothing is touched";
    EXPECT_EQ(world.systemIp(u"A3"), u"192.168.0.3");
    EXPECT_EQ(world.messages(), (Texts{notSet(u"Office")}));
    EXPECT_EQ(world.ui.boxes[0].style, mb::kIconExclamation);
    EXPECT_EQ(world.ui.boxes[0].owner, ProfileWorld::kMain);
    EXPECT_EQ(world.menus.render(world.state.trayMenu)[2], "Office [10201] (*)")
        << "the refresh rebuilt the menu";
}

TEST_F(SwitchingTest, MenuSwitchOfAllAdaptersReportsOnceForTheLast) {
    makeDevice(3);
    world.setDefault(u"A1", u"Home");
    world.state.applyToAll = 1;
    rebuildTrayMenu(world.state);
    EXPECT_TRUE(switchFromMenu(world.state, 10200));  // Home
    for (const char16_t* key : {u"A1", u"A2", u"A3"}) {
        EXPECT_EQ(world.defaultOf(key), u"Home");
        EXPECT_EQ(world.systemIp(key), u"10.1.0.1");
    }
    EXPECT_EQ(world.messages(), (Texts{ProfileWorld::text(IDS_NEXT_USE)}));
}

TEST_F(SwitchingTest, SwitchFromASecondSubmenuOffersADefaultForTheFirstAdapter) {
    makeDevice(2);
    rebuildTrayMenu(world.state);
    EXPECT_TRUE(switchFromMenu(world.state, 10301));  // Office for A2
    EXPECT_EQ(world.defaultOf(u"A2"), u"Office");
    EXPECT_EQ(world.defaultOf(u"A1"), u"(none)");
    EXPECT_EQ(world.systemIp(u"A1"), u"192.168.0.1");
    EXPECT_EQ(world.messages(), (Texts{ProfileWorld::text(IDS_NEXT_USE),
                                       ProfileWorld::text(IDS_OFFER_DEFAULT, u"Card A1")}));
    EXPECT_EQ(world.menus.render(world.state.trayMenu)[4], "  Office [10301] (*)");
}

TEST_F(SwitchingTest, SetOnTheDefaultDoesNothingUnlessAppliedToAll) {
    makeDevice(1);
    world.setDefault(u"A1", u"Office");
    FakeDialogViews& dialog = world.openDialog(0);
    dialog.profiles = {u"Home", u"Office"};
    dialog.profileSelection = 1;
    const int writes = world.registry.setValueCount();

    switchFromDialog(world.state, ProfileWorld::kDialog);
    EXPECT_EQ(world.registry.setValueCount(), writes) << "nothing stored";
    EXPECT_EQ(world.systemIp(u"A1"), u"192.168.0.1") << "nothing applied";
    EXPECT_TRUE(world.messages().empty());
    EXPECT_EQ(world.state.trayMenu, 0u) << "nothing refreshed";

    world.state.applyToAll = 1;
    switchFromDialog(world.state, ProfileWorld::kDialog);
    EXPECT_EQ(world.systemIp(u"A1"), u"10.2.0.1");
    EXPECT_EQ(world.messages(), (Texts{ProfileWorld::text(IDS_NEXT_USE)}));
    EXPECT_EQ(world.ui.boxes[0].owner, ProfileWorld::kDialog);
    EXPECT_EQ(dialog.profileSelection, 1) << "refreshed, the default selected";
    EXPECT_NE(world.state.trayMenu, 0u);
}

TEST_F(SwitchingTest, SetSwitchesTheSelectedAdapterAndReportsAFailedDefault) {
    makeDevice(2);
    world.setDefault(u"A1", u"Home");
    world.setDefault(u"A2", u"Home");
    FakeDialogViews& dialog = world.openDialog(1);
    dialog.profiles = {u"Home", u"Office"};
    dialog.profileSelection = 1;
    switchFromDialog(world.state, ProfileWorld::kDialog);
    EXPECT_EQ(world.defaultOf(u"A2"), u"Office");
    EXPECT_EQ(world.systemIp(u"A2"), u"10.2.0.1");
    EXPECT_EQ(world.systemIp(u"A1"), u"192.168.0.1");
    EXPECT_EQ(dialog.profileSelection, 1);
    EXPECT_TRUE(dialog.buttonsEnabled);

    world.ui.boxes.clear();
    dialog.profileSelection = 0;
    world.registry.failValue(u"DefProfile", status::kAccessDenied);
    switchFromDialog(world.state, ProfileWorld::kDialog);
    EXPECT_EQ(world.messages(), (Texts{notSet(u"Home")}));
    EXPECT_EQ(world.systemIp(u"A2"), u"10.2.0.1");
    EXPECT_EQ(dialog.profileSelection, 1) << "the refresh still ran";
}

TEST_F(SwitchingTest, SetWithoutASelectionOnlyRefreshes) {
    makeDevice(1);
    world.setDefault(u"A1", u"Home");
    FakeDialogViews& dialog = world.openDialog(0);
    dialog.profileSelection = -1;
    switchFromDialog(world.state, ProfileWorld::kDialog);
    EXPECT_EQ(dialog.profiles, (Texts{u"Home", u"Office"}));
    EXPECT_EQ(dialog.profileSelection, 0);
    EXPECT_EQ(world.systemIp(u"A1"), u"192.168.0.1");

    dialog.adapterSelection = 3;
    dialog.profileSelection = 1;
    switchFromDialog(world.state, ProfileWorld::kDialog);
    EXPECT_EQ(world.defaultOf(u"A1"), u"Home");
    EXPECT_TRUE(world.messages().empty());
}

TEST_F(SwitchingTest, NamesLongerThanADefaultHoldsAreRefusedWhole) {
    makeDevice(1);
    world.setDefault(u"A1", u"Home");
    const std::u16string longName = u"Imported " + std::u16string(150, u'x');
    world.addProfile(longName, u"10.9.0.1");
    world.addProfile(longName.substr(0, 127), u"10.8.0.1");
    FakeDialogViews& dialog = world.openDialog(0);
    dialog.profiles = {u"Home", longName};
    dialog.profileSelection = 1;
    switchFromDialog(world.state, ProfileWorld::kDialog);
    EXPECT_EQ(world.messages(), (Texts{notSet(longName)}));
    EXPECT_EQ(world.defaultOf(u"A1"), u"Home");
    EXPECT_EQ(world.systemIp(u"A1"), u"192.168.0.1") << "no cut name reaches another profile";

    // The same from the menu, where entries hold up to 259 characters.
    world.ui.boxes.clear();
    world.state.hwndCurrent = ProfileWorld::kMain;
    rebuildTrayMenu(world.state);
    const ProfileMenuItem* item = nullptr;
    for (int i = 0; i < world.state.menuItems.size(); ++i) {
        if (textOf(world.state.menuItems.at(i)->profileName) == longName) {
            item = world.state.menuItems.at(i);
        }
    }
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(switchFromMenu(world.state, item->commandId));
    EXPECT_EQ(world.messages(), (Texts{notSet(longName)}));
    EXPECT_EQ(world.systemIp(u"A1"), u"192.168.0.1");
}

}  // namespace
}  // namespace corvane
