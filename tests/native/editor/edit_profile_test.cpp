#include "editor/edit_profile.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/registry.h"
#include "core/text.h"
#include "editor/settings_editor.h"
#include "profiles/profile_store.h"
#include "resource.h"
#include "tests/support/profile_world.h"

namespace corvane {
namespace {

// The settings editor as a script: it sees the record and may change it before confirming.
class ScriptedEditor : public SettingsEditor {
  public:
    bool edit(AppState&, WindowRef owner, NetSettings& record) override {
        ++opened;
        shownTo = owner;
        seen = record;
        return script ? script(record) : false;
    }
    std::function<bool(NetSettings&)> script;
    int opened = 0;
    WindowRef shownTo = 0;
    NetSettings seen{};
};

bool changeAddressTo(NetSettings& record, std::u16string_view address) {
    copyText(record.ipAddress, address);
    return true;
}

class EditProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        world.state.settingsEditor = &editor;
        world.addAdapter(u"NE20001", u"Card", u"10.0.0.1");
        world.addAdapter(u"NE20002", u"Dock", u"10.0.0.2");
        world.addAdapter(u"NE20003", u"Radio", u"10.0.0.3");
        ASSERT_EQ(world.loadAdapters(), 3);
        world.addProfile(u"Office", u"10.1.1.1");
        world.addProfile(u"Home", u"192.168.1.5");
    }
    NetSettings stored(std::u16string_view name) {
        NetSettings record{};
        EXPECT_TRUE(loadProfile(world.state, name, record));
        return record;
    }
    FakeDialogViews& selectProfile(std::u16string_view name, int adapter = 0) {
        FakeDialogViews& dialog = world.openDialog(adapter);
        dialog.profiles = {u"Home", u"Office"};
        dialog.profileSelection = name == u"Home" ? 0 : 1;
        return dialog;
    }

    ProfileWorld world;
    ScriptedEditor editor;
};

TEST_F(EditProfileTest, NewWithoutAChangeCreatesNothing) {
    world.openDialog(0);
    world.views.typed = {u"Travel"};
    editor.script = [](NetSettings&) { return true; };
    EXPECT_FALSE(editProfile(world.state, true));
    EXPECT_EQ(editor.opened, 1);
    EXPECT_EQ(editor.shownTo, ProfileWorld::kDialog);
    EXPECT_EQ(textOf(editor.seen.userName), u"kdurand") << "starts from the system's identity";
    EXPECT_EQ(editor.seen.dhcpEnabled, 1u);
    EXPECT_EQ(textOf(editor.seen.ipAddress), u"");
    EXPECT_EQ(editor.seen.proxyPort, 80);
    EXPECT_FALSE(profileKeyExists(world.state, u"Travel"));
    EXPECT_TRUE(world.messages().empty());
}

TEST_F(EditProfileTest, NewStoresAChangedProfileAndTouchesNoAdapter) {
    world.openDialog(0);
    world.views.typed = {u"Travel"};
    editor.script = [](NetSettings& r) { return changeAddressTo(r, u"10.9.9.9"); };
    EXPECT_TRUE(editProfile(world.state, true));
    EXPECT_EQ(textOf(world.state.profileName), u"Travel");
    EXPECT_EQ(textOf(stored(u"Travel").ipAddress), u"10.9.9.9");
    EXPECT_EQ(world.systemIp(u"NE20001"), u"10.0.0.1");
    EXPECT_TRUE(world.messages().empty());

    // A cancelled prompt or a cancelled editor stores nothing.
    world.views.typed = {std::u16string(FakeProfileViews::kCancel)};
    EXPECT_FALSE(editProfile(world.state, true));
    EXPECT_EQ(editor.opened, 1);
    world.views.typed = {u"Other"};
    editor.script = [](NetSettings& r) {
        changeAddressTo(r, u"10.2.2.2");
        return false;
    };
    EXPECT_FALSE(editProfile(world.state, true));
    EXPECT_FALSE(profileKeyExists(world.state, u"Other"));
}

TEST_F(EditProfileTest, EditOfTheSelectedAdaptersDefaultAppliesWithTheClosingMessage) {
    world.setDefault(u"NE20001", u"Office");
    selectProfile(u"Office");
    editor.script = [](NetSettings& r) { return changeAddressTo(r, u"10.1.1.9"); };
    EXPECT_TRUE(editProfile(world.state, false));
    EXPECT_EQ(textOf(editor.seen.ipAddress), u"10.1.1.1") << "the stored profile was loaded";
    EXPECT_EQ(textOf(stored(u"Office").ipAddress), u"10.1.1.9");
    EXPECT_EQ(world.systemIp(u"NE20001"), u"10.1.1.9");
    ASSERT_EQ(world.messages().size(), 1u);
    EXPECT_EQ(world.messages()[0], ProfileWorld::text(IDS_NEXT_USE));
}

TEST_F(EditProfileTest, EditWithApplyToAllUpdatesEveryAdapterUsingItSilentlyUnlessLast) {
    world.state.applyToAll = 1;
    world.setDefault(u"NE20001", u"Office");
    world.setDefault(u"NE20002", u"Office");
    world.setDefault(u"NE20003", u"office");  // letter case counts
    selectProfile(u"Office", 2);
    editor.script = [](NetSettings& r) { return changeAddressTo(r, u"10.1.1.7"); };
    EXPECT_TRUE(editProfile(world.state, false));
    EXPECT_EQ(world.systemIp(u"NE20001"), u"10.1.1.7");
    EXPECT_EQ(world.systemIp(u"NE20002"), u"10.1.1.7");
    EXPECT_EQ(world.systemIp(u"NE20003"), u"10.0.0.3");
    EXPECT_TRUE(world.messages().empty()) << "only the last adapter reports, and it did not apply";

    // When the last adapter uses it too, it alone reports.
    world.setDefault(u"NE20003", u"Office");
    editor.script = [](NetSettings& r) { return changeAddressTo(r, u"10.1.1.8"); };
    EXPECT_TRUE(editProfile(world.state, false));
    EXPECT_EQ(world.systemIp(u"NE20003"), u"10.1.1.8");
    EXPECT_EQ(world.messages().size(), 1u);
}

TEST_F(EditProfileTest, EditWithoutApplyToAllLeavesOtherAdaptersAlone) {
    world.setDefault(u"NE20001", u"Home");
    world.setDefault(u"NE20002", u"Office");
    selectProfile(u"Office", 0);
    editor.script = [](NetSettings& r) { return changeAddressTo(r, u"10.1.1.6"); };
    EXPECT_TRUE(editProfile(world.state, false));
    EXPECT_EQ(textOf(stored(u"Office").ipAddress), u"10.1.1.6");
    EXPECT_EQ(world.systemIp(u"NE20001"), u"10.0.0.1");
    EXPECT_EQ(world.systemIp(u"NE20002"), u"10.0.0.2");
    EXPECT_TRUE(world.messages().empty());

    // Unchanged: nothing stored, nothing applied, nothing shown.
    world.setDefault(u"NE20001", u"Office");
    editor.script = [](NetSettings&) { return true; };
    EXPECT_FALSE(editProfile(world.state, false));
    EXPECT_EQ(world.systemIp(u"NE20001"), u"10.0.0.1");
    EXPECT_TRUE(world.messages().empty());
}

TEST_F(EditProfileTest, UnreadableAndUnwritableProfilesAreReported) {
    FakeDialogViews& dialog = world.openDialog(0);
    dialog.profiles = {u"Gone"};
    dialog.profileSelection = 0;
    editor.script = [](NetSettings& r) { return changeAddressTo(r, u"10.3.3.3"); };
    EXPECT_FALSE(editProfile(world.state, false));
    EXPECT_EQ(editor.opened, 0);
    ASSERT_EQ(world.messages().size(), 1u);
    EXPECT_EQ(world.messages()[0], ProfileWorld::text(IDS_LOAD_FAILED, u"Gone"));

    selectProfile(u"Home");
    world.registry.failNthSetValue(1, status::kAccessDenied);
    EXPECT_FALSE(editProfile(world.state, false));
    ASSERT_EQ(world.messages().size(), 2u);
    EXPECT_EQ(world.messages()[1], ProfileWorld::text(IDS_SAVE_FAILED, u"Home"));

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
    FakeDialogViews& dialog = world.openDialog(0);
    dialog.profiles = {longName};
    dialog.profileSelection = 0;
    editor.script = [](NetSettings& r) { return changeAddressTo(r, u"10.4.4.5"); };
    EXPECT_TRUE(editProfile(world.state, false));
    EXPECT_EQ(textOf(stored(longName).ipAddress), u"10.4.4.5");
    EXPECT_FALSE(profileKeyExists(world.state, longName.substr(0, 39)));
}

}  // namespace
}  // namespace corvane
