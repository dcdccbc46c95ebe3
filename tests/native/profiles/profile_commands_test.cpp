#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "profiles/profile_store.h"
#include "profiles_dialog/profile_commands.h"
#include "profiles_dialog/profile_name.h"
#include "resources/resource.h"
#include "tests/support/profile_world.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

using Texts = std::vector<std::u16string>;

class ProfileCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        world.addAdapter(u"ELNK31", u"3Com EtherLink III", u"10.0.0.25");
        world.addAdapter(u"NE20001", u"NE2000 Compatible", u"192.168.1.37");
        ASSERT_EQ(world.loadAdapters(), 2);
    }
    void TearDown() override {
        EXPECT_EQ(world.registry.openHandleCount(), 0) << "a key was left open";
    }
    static std::u16string offer(std::u16string_view adapter) {
        return ProfileWorld::text(IDS_OFFER_DEFAULT, adapter);
    }
    void refresh() { refreshProfileList(world.state, ProfileWorld::kDialog); }

    ProfileWorld world;
};

TEST_F(ProfileCommandsTest, OfferForAnAdapterWithoutDefaultCreatesItFromTheSystem) {
    world.addProfile(u"Office", u"10.0.0.1");
    FakeDialogViews& dialog = world.openDialog(0);
    world.ui.answers = {mb::kIdYes};
    world.views.typed = {u"Default"};
    const int writesBefore = world.registry.setValueCount();
    refresh();

    EXPECT_EQ(world.ui.events, (Texts{u"message: " + offer(u"3Com EtherLink III"),
                                      u"prompt: Default", u"accepted: Default"}));
    EXPECT_EQ(world.ui.boxes[0].style, mb::kYesNo | mb::kIconQuestion);
    EXPECT_EQ(world.ui.boxes[0].owner, ProfileWorld::kDialog);
    EXPECT_EQ(dialog.profiles, (Texts{u"Default", u"Office"}));
    EXPECT_EQ(dialog.profileSelection, 0) << "the new default is selected";
    EXPECT_TRUE(dialog.buttonsEnabled);
    EXPECT_EQ(world.defaultOf(u"ELNK31"), u"Default");
    NetSettings stored;
    ASSERT_TRUE(loadProfile(world.state, u"Default", stored));
    EXPECT_FALSE(differs(stored, world.state.adapters->at(0)->settings))
        << "the adapter's system settings";
    EXPECT_EQ(world.registry.setValueCount() - writesBefore, 14)
        << "13 profile values and DefProfile, no system write";
    ASSERT_NE(world.state.trayMenu, 0u);
    EXPECT_EQ(world.menus.render(world.state.trayMenu)[6], "  Default [10200] (*)")
        << "the icon's menu was rebuilt";
}

TEST_F(ProfileCommandsTest, OfferForAnEmptyStoreAnsweredNoLeavesTheListAsFilled) {
    world.setDefault(u"ELNK31", u"Office");
    FakeDialogViews& dialog = world.openDialog(0);
    refresh();
    EXPECT_EQ(world.messages(), (Texts{offer(u"3Com EtherLink III")}));
    EXPECT_TRUE(dialog.profiles.empty());
    EXPECT_FALSE(dialog.buttonsEnabled);
    EXPECT_NE(world.state.trayMenu, 0u);
}

TEST_F(ProfileCommandsTest, ADefaultAndProfilesMeanNoOfferAndTheDefaultSelected) {
    world.addProfile(u"Home", u"10.1.0.1");
    world.addProfile(u"office", u"10.0.0.1");
    world.setDefault(u"NE20001", u"OFFICE");  // the list finds its item without regard to case
    // The hidden main window works on the first adapter, which has no default.
    refreshProfileList(world.state, ProfileWorld::kMain);
    EXPECT_EQ(world.messages(), (Texts{offer(u"3Com EtherLink III")}));

    world.ui.boxes.clear();
    FakeDialogViews& dialog = world.openDialog(1);
    refresh();
    EXPECT_TRUE(world.messages().empty());
    EXPECT_EQ(dialog.profileSelection, 1);
    EXPECT_TRUE(dialog.buttonsEnabled);

    // A dangling default: no offer, nothing selected, the buttons disabled.
    world.setDefault(u"NE20001", u"Gone");
    refresh();
    EXPECT_TRUE(world.messages().empty());
    EXPECT_EQ(dialog.profileSelection, -1);
    EXPECT_FALSE(dialog.buttonsEnabled);

    dialog.adapterSelection = -1;
    const MenuRef before = world.state.trayMenu;
    refresh();
    EXPECT_EQ(world.state.trayMenu, before) << "no adapter selected: nothing happens";
}

TEST_F(ProfileCommandsTest, TheNameOfferedIsJudgedUntilAnAcceptableOneIsTyped) {
    world.addProfile(u"Default", u"10.0.0.1");
    world.setDefault(u"ELNK31", u"Default");
    world.openDialog(1);
    world.ui.answers = {mb::kIdYes};
    // Taken exactly, taken in another case, a backslash, empty, then a good name.
    world.views.typed = {u"Default", u"DEFAULT", u"Lab\\2", u"", u"Lab 2"};
    refresh();

    EXPECT_EQ(
        world.ui.events,
        (Texts{u"message: " + offer(u"NE2000 Compatible"), u"prompt: Default",
               u"message: " + ProfileWorld::text(IDS_PROFILE_EXISTS, u"Default"), u"select text",
               u"message: " + ProfileWorld::text(IDS_PROFILE_EXISTS, u"DEFAULT"), u"select text",
               u"message: " + ProfileWorld::text(IDS_PROFILE_NAME_BACKSLASH, u"Lab\\2"),
               u"select text", u"beep", u"accepted: Lab 2"}));
    EXPECT_EQ(world.ui.boxes[1].owner, FakeProfileViews::kPromptWindow);
    EXPECT_EQ(world.ui.boxes[1].style, mb::kIconExclamation);
    EXPECT_EQ(
        world.ui.boxes[3].text,
        u"Profile name \"Lab\\2\" cannot contain a backslash (\\). Please enter another name.");
    EXPECT_EQ(world.defaultOf(u"NE20001"), u"Lab 2");
    NetSettings existing;
    ASSERT_TRUE(loadProfile(world.state, u"Default", existing));
    EXPECT_EQ(textOf(existing.ipAddress), u"10.0.0.1") << "the existing profile is untouched";

    // Typed names are cut at 39 characters.
    const std::u16string typed(45, u'n');
    EXPECT_EQ(acceptProfileName(world.state, 0, typed), NameAnswer::Accepted);
    EXPECT_EQ(textOf(world.state.profileName), typed.substr(0, 39));
}

TEST_F(ProfileCommandsTest, CancellingTheNameEndsTheRefreshAtOnce) {
    FakeDialogViews& dialog = world.openDialog(0);
    world.ui.answers = {mb::kIdYes};
    world.views.typed = {std::u16string(FakeProfileViews::kCancel)};
    refresh();
    EXPECT_EQ(world.ui.events, (Texts{u"message: " + offer(u"3Com EtherLink III"),
                                      u"prompt: Default", u"cancelled"}));
    EXPECT_TRUE(dialog.buttonsEnabled) << "buttons and menu stay as they were";
    EXPECT_EQ(world.state.trayMenu, 0u);
    EXPECT_FALSE(keyExists(world.registry, kCurrentUser, kProfilesKeyPath));
}

TEST_F(ProfileCommandsTest, CreateFromSystemReportsWhatCouldNotBeStored) {
    AdapterInfo& adapter = *world.state.adapters->at(0);
    world.registry.failValue(u"IpAddress", status::kAccessDenied, kCurrentUser,
                             std::u16string(kProfilesKeyPath) + u"\\Lab");
    EXPECT_FALSE(createProfileFromSystem(world.state, u"Lab", adapter));
    EXPECT_EQ(world.defaultOf(u"ELNK31"), u"(none)");
    world.registry.clearFaults();
    world.registry.failValue(u"DefProfile", status::kAccessDenied);
    EXPECT_FALSE(createProfileFromSystem(world.state, u"Lab", adapter));
    EXPECT_EQ(world.messages(), (Texts{ProfileWorld::text(IDS_CREATE_FAILED, u"Lab"),
                                       ProfileWorld::text(IDS_SET_DEFAULT_FAILED, u"Lab")}));
    EXPECT_EQ(world.ui.boxes[1].style, mb::kIconExclamation);
    EXPECT_EQ(world.systemIp(u"ELNK31"), u"10.0.0.25");
}

}  // namespace
}  // namespace corvane
