#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "profiles/profile_store.h"
#include "resources/resource.h"
#include "tests/support/profile_world.h"
#include "tray/switching.h"
#include "tray/tray_menu.h"

namespace corvane {
namespace {

using Texts = std::vector<std::u16string>;

class SwitchingTest : public ::testing::Test {
  protected:
    // Adapters A1, A2, A3 ("Card A1"...) on 192.168.0.1...; profiles Home and Office.
    void makeDevice(int adapters) {
        for (int i = 1; i <= adapters; ++i) {
            const std::u16string n = fromUtf8(std::to_string(i));
            world.addAdapter(u"A" + n, u"Card A" + n, u"192.168.0." + n);
        }
        ASSERT_EQ(world.loadAdapters(), adapters);
        world.addProfile(u"Home", u"10.1.0.1");
        world.addProfile(u"Office", u"10.2.0.1");
    }
    static std::u16string notSet(std::u16string_view name) {
        return ProfileWorld::text(IDS_SET_DEFAULT_FAILED, name);
    }
    FakeDialogViews& selectInDialog(int adapter, int profile) {
        FakeDialogViews& dialog = world.openDialog(adapter);
        dialog.profiles = {u"Home", u"Office"};
        dialog.profileSelection = profile;
        return dialog;
    }
    void TearDown() override { EXPECT_EQ(world.registry.openHandleCount(), 0); }

    ProfileWorld world;
    const Texts nextUse{ProfileWorld::text(IDS_NEXT_USE)};
};

TEST_F(SwitchingTest, MenuSwitchOfOneAdapterAppliesReportsAndMovesTheMark) {
    makeDevice(1);
    world.setDefault(u"A1", u"Home");
    rebuildTrayMenu(world.state);

    EXPECT_TRUE(switchFromMenu(world.state, 10201));
    EXPECT_EQ(world.defaultOf(u"A1"), u"Office");
    EXPECT_EQ(world.systemIp(u"A1"), u"10.2.0.1");
    EXPECT_EQ(world.messages(), nextUse);
    EXPECT_EQ(world.ui.boxes[0].owner, ProfileWorld::kMain);
    EXPECT_EQ(world.state.busy, 0u);
    EXPECT_EQ(world.menus.render(world.state.trayMenu)[2], "Office [10201] (*)");

    // An id no entry carries (the menu was rebuilt in between): nothing happens.
    const int writes = world.registry.setValueCount();
    EXPECT_FALSE(switchFromMenu(world.state, 10202));
    EXPECT_FALSE(switchFromMenu(world.state, 10300));
    EXPECT_EQ(world.registry.setValueCount(), writes);
    EXPECT_EQ(world.messages().size(), 1u);
}

TEST_F(SwitchingTest, MenuSwitchOfAllAdaptersReportsOnceAndStopsAtADefaultNotStored) {
    makeDevice(3);
    world.setDefault(u"A1", u"Office");
    world.state.applyToAll = 1;
    rebuildTrayMenu(world.state);
    EXPECT_TRUE(switchFromMenu(world.state, 10200));  // Home, bound to A1
    for (const char16_t* key : {u"A1", u"A2", u"A3"}) {
        EXPECT_EQ(world.defaultOf(key), u"Home");
        EXPECT_EQ(world.systemIp(key), u"10.1.0.1");
    }
    EXPECT_EQ(world.messages(), nextUse) << "only the last adapter reports";

    world.ui.boxes.clear();
    world.registry.failValue(u"DefProfile", status::kAccessDenied, kCurrentUser,
                             u"Software\\Tavelorn\\Corvane\\1.2\\A2");
    EXPECT_TRUE(switchFromMenu(world.state, 10201));  // Office
    EXPECT_EQ(world.systemIp(u"A1"), u"10.2.0.1") << "switched silently";
    EXPECT_EQ(world.defaultOf(u"A2"), u"Home");
    EXPECT_EQ(world.systemIp(u"A2"), u"10.1.0.1") << "not applied without the default";
    EXPECT_EQ(world.defaultOf(u"A3"), u"Home") << "after the failure nothing is touched";
    EXPECT_EQ(world.systemIp(u"A3"), u"10.1.0.1");
    EXPECT_EQ(world.messages(), (Texts{notSet(u"Office")}));
    EXPECT_EQ(world.ui.boxes[0].style, mb::kIconExclamation);
    EXPECT_EQ(world.menus.render(world.state.trayMenu)[2], "Office [10201] (*)")
        << "the refresh rebuilt the menu";
}

TEST_F(SwitchingTest, SwitchFromASecondSubmenuOffersADefaultForTheFirstAdapter) {
    makeDevice(2);
    rebuildTrayMenu(world.state);
    EXPECT_TRUE(switchFromMenu(world.state, 10301));  // Office for A2
    EXPECT_EQ(world.defaultOf(u"A2"), u"Office");
    EXPECT_EQ(world.defaultOf(u"A1"), u"(none)");
    EXPECT_EQ(world.systemIp(u"A1"), u"192.168.0.1");
    EXPECT_EQ(world.messages(),
              (Texts{nextUse[0], ProfileWorld::text(IDS_OFFER_DEFAULT, u"Card A1")}));
    EXPECT_EQ(world.menus.render(world.state.trayMenu)[4], "  Office [10301] (*)");
}

TEST_F(SwitchingTest, SetSwitchesTheSelectedAdapterUnlessItIsAlreadyItsDefault) {
    makeDevice(2);
    world.setDefault(u"A1", u"Office");
    world.setDefault(u"A2", u"Home");
    FakeDialogViews& dialog = selectInDialog(0, 1);
    const int writes = world.registry.setValueCount();
    switchFromDialog(world.state, ProfileWorld::kDialog);
    EXPECT_EQ(world.registry.setValueCount(), writes) << "the default: nothing stored";
    EXPECT_TRUE(world.messages().empty());
    EXPECT_EQ(world.state.trayMenu, 0u) << "nothing refreshed";

    world.state.applyToAll = 1;  // re-applies the default to every adapter
    switchFromDialog(world.state, ProfileWorld::kDialog);
    EXPECT_EQ(world.systemIp(u"A1"), u"10.2.0.1");
    EXPECT_EQ(world.systemIp(u"A2"), u"10.2.0.1");
    EXPECT_EQ(world.messages(), nextUse);
    EXPECT_EQ(world.ui.boxes[0].owner, ProfileWorld::kDialog);
    EXPECT_EQ(dialog.profileSelection, 1) << "refreshed, the default selected";
    EXPECT_NE(world.state.trayMenu, 0u);

    world.state.applyToAll = 0;
    world.ui.boxes.clear();
    dialog.adapterSelection = 1;
    dialog.profileSelection = 0;
    world.registry.failValue(u"DefProfile", status::kAccessDenied);
    switchFromDialog(world.state, ProfileWorld::kDialog);
    EXPECT_EQ(world.messages(), (Texts{notSet(u"Home")}));
    EXPECT_EQ(world.systemIp(u"A2"), u"10.2.0.1");
    EXPECT_EQ(dialog.profileSelection, 1) << "the refresh still ran";

    // No profile or no adapter selected: only a refresh.
    world.registry.clearFaults();
    world.ui.boxes.clear();
    dialog.profileSelection = -1;
    switchFromDialog(world.state, ProfileWorld::kDialog);
    dialog.adapterSelection = 3;
    dialog.profileSelection = 0;
    switchFromDialog(world.state, ProfileWorld::kDialog);
    EXPECT_EQ(world.defaultOf(u"A2"), u"Office");
    EXPECT_TRUE(world.messages().empty());
}

TEST_F(SwitchingTest, NamesLongerThanADefaultHoldsAreRefusedWhole) {
    makeDevice(1);
    world.setDefault(u"A1", u"Home");
    const std::u16string longName = u"Imported " + std::u16string(150, u'x');
    world.addProfile(longName, u"10.9.0.1");
    world.addProfile(longName.substr(0, 127), u"10.8.0.1");
    FakeDialogViews& dialog = selectInDialog(0, 1);
    dialog.profiles[1] = longName;
    switchFromDialog(world.state, ProfileWorld::kDialog);
    EXPECT_EQ(world.messages(), (Texts{notSet(longName)}));
    EXPECT_EQ(world.defaultOf(u"A1"), u"Home");
    EXPECT_EQ(world.systemIp(u"A1"), u"192.168.0.1") << "no cut name reaches another profile";

    // The same from the menu, where entries hold up to 259 characters.
    world.ui.boxes.clear();
    world.state.hwndCurrent = ProfileWorld::kMain;
    rebuildTrayMenu(world.state);
    std::uint32_t id = 0;
    for (int i = 0; i < world.state.menuItems.size(); ++i) {
        if (textOf(world.state.menuItems.at(i)->profileName) == longName) {
            id = world.state.menuItems.at(i)->commandId;
        }
    }
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(switchFromMenu(world.state, id));
    EXPECT_EQ(world.messages(), (Texts{notSet(longName)}));
    EXPECT_EQ(world.systemIp(u"A1"), u"192.168.0.1");
}

}  // namespace
}  // namespace corvane
