#include "profiles_dialog/edit_profile.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "profiles/profile_store.h"
#include "resources/resource.h"
#include "settings_editor/settings_editor.h"
#include "tests/support/profile_world.h"

namespace corvane {
namespace {

// The settings editor as a script: it records what it was shown, may type a new address, and
// confirms or cancels.
struct ScriptedEditor : SettingsEditor {
    bool edit(AppState&, WindowRef owner, NetSettings& record) override {
        ++opened;
        shownTo = owner;
        seen = record;
        if (!address.empty()) {
            copyText(record.ipAddress, address);
        }
        return confirm;
    }
    std::u16string address;
    bool confirm = true;
    int opened = 0;
    WindowRef shownTo = 0;
    NetSettings seen{};
};

class EditProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        world.state.settingsEditor = &editor;
        world.addAdapter(u"NE20001", u"Card", u"10.0.0.1");
        world.addAdapter(u"NE20002", u"Dock", u"10.0.0.2");
        world.addAdapter(u"NE20003", u"Radio", u"10.0.0.3");
        ASSERT_EQ(world.loadAdapters(), 3);
        world.addProfile(u"Office", u"10.1.1.1");
    }
    std::u16string storedIp(std::u16string_view name) {
        NetSettings record{};
        EXPECT_TRUE(loadProfile(world.state, name, record));
        return std::u16string(textOf(record.ipAddress));
    }
    FakeDialogViews& select(std::u16string_view name, int adapter = 0) {
        FakeDialogViews& dialog = world.openDialog(adapter);
        dialog.profiles = {std::u16string(name)};
        dialog.profileSelection = 0;
        return dialog;
    }

    ProfileWorld world;
    ScriptedEditor editor;
};

TEST_F(EditProfileTest, NewStoresOnlyAChangedProfileAndTouchesNoAdapter) {
    world.openDialog(0);
    world.views.typed = {u"Travel"};
    EXPECT_FALSE(editProfile(world.state, true)) << "unchanged";
    EXPECT_EQ(editor.shownTo, ProfileWorld::kDialog);
    EXPECT_EQ(textOf(editor.seen.userName), u"kdurand") << "starts from the system's identity";
    EXPECT_EQ(editor.seen.dhcpEnabled, 1u);
    EXPECT_FALSE(profileKeyExists(world.state, u"Travel"));

    world.views.typed = {u"Travel"};
    editor.address = u"10.9.9.9";
    EXPECT_TRUE(editProfile(world.state, true));
    EXPECT_EQ(storedIp(u"Travel"), u"10.9.9.9");
    EXPECT_EQ(world.systemIp(u"NE20001"), u"10.0.0.1");

    // A cancelled prompt or a cancelled editor stores nothing.
    world.views.typed = {std::u16string(FakeProfileViews::kCancel)};
    EXPECT_FALSE(editProfile(world.state, true));
    EXPECT_EQ(editor.opened, 2);
    world.views.typed = {u"Other"};
    editor.confirm = false;
    EXPECT_FALSE(editProfile(world.state, true));
    EXPECT_FALSE(profileKeyExists(world.state, u"Other"));
    EXPECT_TRUE(world.messages().empty());
}

TEST_F(EditProfileTest, EditAppliesOnlyToTheSelectedAdapterWhoseDefaultItIs) {
    world.setDefault(u"NE20001", u"Office");
    world.setDefault(u"NE20002", u"Office");
    select(u"Office", 0);
    EXPECT_FALSE(editProfile(world.state, false)) << "unchanged: nothing stored or applied";
    EXPECT_EQ(world.systemIp(u"NE20001"), u"10.0.0.1");

    editor.address = u"10.1.1.9";
    EXPECT_TRUE(editProfile(world.state, false));
    EXPECT_EQ(textOf(editor.seen.ipAddress), u"10.1.1.1") << "the stored profile was loaded";
    EXPECT_EQ(storedIp(u"Office"), u"10.1.1.9");
    EXPECT_EQ(world.systemIp(u"NE20001"), u"10.1.1.9");
    EXPECT_EQ(world.systemIp(u"NE20002"), u"10.0.0.2") << "without applyToAll";
    EXPECT_EQ(world.messages(), std::vector<std::u16string>{ProfileWorld::text(IDS_NEXT_USE)});

    // Selected on an adapter whose default it is not: stored, applied nowhere, nothing shown.
    select(u"Office", 2);
    editor.address = u"10.1.1.6";
    EXPECT_TRUE(editProfile(world.state, false));
    EXPECT_EQ(world.systemIp(u"NE20003"), u"10.0.0.3");
    EXPECT_EQ(world.messages().size(), 1u);
}

TEST_F(EditProfileTest, EditWithApplyToAllUpdatesEveryAdapterUsingItSilentlyUnlessLast) {
    world.state.applyToAll = 1;
    world.setDefault(u"NE20001", u"Office");
    world.setDefault(u"NE20002", u"Office");
    world.setDefault(u"NE20003", u"office");  // letter case counts
    select(u"Office", 2);
    editor.address = u"10.1.1.7";
    EXPECT_TRUE(editProfile(world.state, false));
    EXPECT_EQ(world.systemIp(u"NE20001"), u"10.1.1.7");
    EXPECT_EQ(world.systemIp(u"NE20002"), u"10.1.1.7");
    EXPECT_EQ(world.systemIp(u"NE20003"), u"10.0.0.3");
    EXPECT_TRUE(world.messages().empty()) << "only the last adapter reports, and it did not apply";

    world.setDefault(u"NE20003", u"Office");
    editor.address = u"10.1.1.8";
    EXPECT_TRUE(editProfile(world.state, false));
    EXPECT_EQ(world.systemIp(u"NE20003"), u"10.1.1.8");
    EXPECT_EQ(world.messages().size(), 1u);
}

TEST_F(EditProfileTest, UnreadableAndUnwritableProfilesAreReported) {
    FakeDialogViews& dialog = select(u"Gone");
    editor.address = u"10.3.3.3";
    EXPECT_FALSE(editProfile(world.state, false));
    EXPECT_EQ(editor.opened, 0);

    select(u"Office");
    world.registry.failNthSetValue(1, status::kAccessDenied);
    EXPECT_FALSE(editProfile(world.state, false));
    EXPECT_EQ(world.messages(),
              (std::vector<std::u16string>{ProfileWorld::text(IDS_LOAD_FAILED, u"Gone"),
                                           ProfileWorld::text(IDS_SAVE_FAILED, u"Office")}));

    // Nothing selected: nothing happens.
    dialog.profileSelection = -1;
    EXPECT_FALSE(editProfile(world.state, false));
    dialog.adapterSelection = -1;
    EXPECT_FALSE(editProfile(world.state, true));
    EXPECT_EQ(world.messages().size(), 2u);
}

// An imported name can be longer than the 39 characters of profileName: Edit must still reach
// that profile, not one of a cut name.
TEST_F(EditProfileTest, EditOfALongImportedNameKeepsTheWholeName) {
    const std::u16string longName(50, u'L');
    world.addProfile(longName, u"10.4.4.4");
    select(longName);
    editor.address = u"10.4.4.5";
    EXPECT_TRUE(editProfile(world.state, false));
    EXPECT_EQ(storedIp(longName), u"10.4.4.5");
    EXPECT_FALSE(profileKeyExists(world.state, longName.substr(0, 39)));
}

}  // namespace
}  // namespace corvane
