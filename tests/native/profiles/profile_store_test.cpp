#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "profiles/profile_store.h"
#include "resources/resource.h"
#include "tests/support/profile_world.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;
using Texts = std::vector<std::u16string>;

const std::u16string kAdapterKey = u"Software\\Tavelorn\\Corvane\\1.2\\NE20001";

class ProfileStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        world.addAdapter(u"NE20001", u"NE2000 Compatible", u"192.168.1.37");
        ASSERT_EQ(world.loadAdapters(), 1);
        adapter = world.state.adapters->at(0);
    }
    void TearDown() override {
        EXPECT_EQ(world.registry.openHandleCount(), 0) << "a key was left open";
    }
    int listInDialog() { return enumerateProfiles(world.state, *adapter, 0, 0, -1); }

    ProfileWorld world;
    AdapterInfo* adapter = nullptr;
};

TEST_F(ProfileStoreTest, ListsSkipFailingIndicesAndMarkOnlyTheExactDefault) {
    world.addProfile(u"A", u"10.0.0.1");
    // A key name longer than the 260-character buffer fails its index with 234: skipped, no id.
    putKey(world.registry, kCurrentUser,
           std::u16string(kProfilesKeyPath) + u"\\" + std::u16string(300, u'L'));
    world.addProfile(u"B", u"10.0.0.2");
    world.setDefault(u"NE20001", u"B");
    const MenuRef menu = world.menus.loadTrayMenu();
    EXPECT_EQ(enumerateProfiles(world.state, *adapter, menu, 10200, 2), 2);
    EXPECT_EQ(world.menus.render(menu), (Lines{"Network &Profiles... [40006]", "-", "B [10201] (*)",
                                               "A [10200]", "E&xit [40007]"}));

    // Appended, the store's order stays; a default differing in letter case, or naming a
    // deleted profile, marks nothing.
    for (const char16_t* name : {u"b", u"Gone"}) {
        world.setDefault(u"NE20001", name);
        const MenuRef popup = world.menus.createPopup();
        EXPECT_EQ(enumerateProfiles(world.state, *adapter, popup, 10300, -1), 2);
        EXPECT_EQ(world.menus.render(popup), (Lines{"A [10300]", "B [10301]"}));
    }
    EXPECT_EQ(world.state.menuItems.at(5)->commandId, 10301u) << "records are appended";

    // Without a menu the current window's list is refilled, nothing selected.
    FakeDialogViews& dialog = world.openDialog();
    dialog.profiles = {u"stale"};
    dialog.profileSelection = 0;
    EXPECT_EQ(listInDialog(), 2);
    EXPECT_EQ(dialog.profiles, (Texts{u"A", u"B"}));
    EXPECT_EQ(dialog.profileSelection, -1);
    world.registry.deleteTree(kCurrentUser, kProfilesKeyPath);
    EXPECT_EQ(listInDialog(), 0);
    EXPECT_TRUE(dialog.profiles.empty());
}

TEST_F(ProfileStoreTest, ScansStopAfterAThousandIndices) {
    for (int i = 0; i < 1003; ++i) {
        putKey(world.registry, kCurrentUser,
               std::u16string(kProfilesKeyPath) + u"\\P" + fromUtf8(std::to_string(1000 + i)));
    }
    world.openDialog();
    EXPECT_EQ(listInDialog(), 1000);
    EXPECT_TRUE(profileExists(world.state, adapter, u"P1999"));
    EXPECT_FALSE(profileExists(world.state, adapter, u"P2000")) << "index 1000 is past the scan";
}

TEST_F(ProfileStoreTest, ExistenceIsExactWhileKeysAreFoundWithoutCaseAndPathsMustFit) {
    EXPECT_FALSE(profileExists(world.state, adapter, u"Office")) << "no Profiles key";
    world.addProfile(u"Office", u"10.0.0.1");
    EXPECT_TRUE(profileExists(world.state, adapter, u"Office"));
    EXPECT_FALSE(profileExists(world.state, adapter, u"office"));
    EXPECT_TRUE(profileKeyExists(world.state, u"office")) << "storing it would reach Office";
    EXPECT_FALSE(profileKeyExists(world.state, u"")) << "not the Profiles key itself";

    // 39 characters of prefix: 220 characters of name fill the 260-character buffer.
    char16_t path[kProfilePathChars] = {};
    EXPECT_TRUE(profileKeyPath(std::u16string(220, u'n'), path));
    for (const std::u16string& bad : {std::u16string(221, u'n'), std::u16string(u"A\\B")}) {
        EXPECT_FALSE(profileKeyPath(bad, path));
        EXPECT_TRUE(textOf(path).empty());
    }
}

TEST_F(ProfileStoreTest, DefaultNameReadsUpTo127CharactersAndLeavesTheBufferOnFailure) {
    char16_t name[kDefaultNameChars] = {};
    copyText(name, u"keep");
    EXPECT_FALSE(loadDefaultProfileName(world.state, *adapter, name));
    EXPECT_TRUE(keyExists(world.registry, kCurrentUser, kAdapterKey))
        << "the adapter's key is created by the look-up";
    world.setDefault(u"NE20001", std::u16string(127, u'x'));
    EXPECT_TRUE(loadDefaultProfileName(world.state, *adapter, name));
    EXPECT_EQ(textOf(name), std::u16string(127, u'x'));

    // Too long, or 256 bytes without a terminating zero: refused, the buffer kept.
    copyText(name, u"keep");
    world.setDefault(u"NE20001", std::u16string(128, u'y'));
    EXPECT_FALSE(loadDefaultProfileName(world.state, *adapter, name));
    const std::u16string bare(128, u'z');
    KeyHandle key = 0;
    ASSERT_EQ(world.registry.openKey(kCurrentUser, kAdapterKey, 0, key), 0);
    world.registry.setValue(key, u"DefProfile", regtype::kBinary, bare.data(), 256);
    world.registry.closeKey(key);
    EXPECT_FALSE(loadDefaultProfileName(world.state, *adapter, name));
    EXPECT_EQ(textOf(name), u"keep");
}

TEST_F(ProfileStoreTest, SetDefaultRecordsThenLoadsAndApplies) {
    world.addProfile(u"Office", u"10.0.0.1");
    EXPECT_TRUE(setDefaultProfile(world.state, *adapter, u"Office", false, true));
    const RawValue stored = getRaw(world.registry, kCurrentUser, kAdapterKey, u"DefProfile");
    EXPECT_EQ(stored.type, regtype::kString);
    EXPECT_EQ(stored.data.size(), 14u) << "(6 + 1) * 2 bytes";
    EXPECT_EQ(world.systemIp(u"NE20001"), u"192.168.1.37") << "not applied";

    EXPECT_TRUE(setDefaultProfile(world.state, *adapter, u"Office", true, false));
    EXPECT_EQ(textOf(adapter->settings.ipAddress), u"10.0.0.1") << "applied and read back";
    EXPECT_TRUE(world.messages().empty()) << "silent without showMessages";

    // A missing profile: the default is recorded, nothing applied, and the user told.
    EXPECT_TRUE(setDefaultProfile(world.state, *adapter, u"Gone", true, true));
    EXPECT_EQ(world.defaultOf(u"NE20001"), u"Gone");
    EXPECT_EQ(world.messages(), (Texts{world.text(IDS_LOAD_FAILED, u"Gone")}));
}

TEST_F(ProfileStoreTest, DeleteAsksAndDeletesTheWholeNamedKey) {
    const std::u16string longName = u"Lab " + std::u16string(196, u'x');
    world.addProfile(u"Office", u"10.0.0.1");
    world.addProfile(longName, u"10.0.0.2");
    world.addProfile(longName.substr(0, 127), u"10.0.0.3");
    putKey(world.registry, kCurrentUser, std::u16string(kProfilesKeyPath) + u"\\Office\\Extra");
    world.setDefault(u"NE20001", u"Office");
    FakeDialogViews& dialog = world.openDialog();
    listInDialog();
    ASSERT_EQ(dialog.profiles.size(), 3u);

    dialog.adapterSelection = 1;
    dialog.profileSelection = 2;  // Office
    EXPECT_FALSE(deleteSelectedProfile(world.state, ProfileWorld::kDialog)) << "no such adapter";
    EXPECT_TRUE(world.messages().empty());

    dialog.adapterSelection = 0;
    world.ui.answers = {mb::kIdNo};
    EXPECT_FALSE(deleteSelectedProfile(world.state, ProfileWorld::kDialog));
    EXPECT_TRUE(profileExists(world.state, adapter, u"Office"));
    EXPECT_EQ(world.messages(), (Texts{world.text(IDS_CONFIRM_DELETE, u"Office")}));
    EXPECT_EQ(world.ui.boxes[0].owner, ProfileWorld::kDialog);

    world.ui.answers = {mb::kIdYes};
    EXPECT_TRUE(deleteSelectedProfile(world.state, ProfileWorld::kDialog));
    EXPECT_FALSE(
        keyExists(world.registry, kCurrentUser, std::u16string(kProfilesKeyPath) + u"\\Office"));
    EXPECT_EQ(world.defaultOf(u"NE20001"), u"Office") << "the default is left dangling";

    // A name longer than 127 characters is deleted whole, not a profile named by its start.
    listInDialog();
    dialog.profileSelection = 1;
    ASSERT_EQ(dialog.profiles[1], longName);
    world.ui.answers = {mb::kIdYes};
    EXPECT_TRUE(deleteSelectedProfile(world.state, ProfileWorld::kDialog));
    EXPECT_FALSE(profileExists(world.state, adapter, longName));
    EXPECT_TRUE(profileExists(world.state, adapter, longName.substr(0, 127)));

    // A delete that fails is reported and still counts as confirmed.
    dialog.profileSelection = 0;
    world.registry.deleteTree(kCurrentUser, kProfilesKeyPath);
    world.ui.answers = {mb::kIdYes};
    EXPECT_TRUE(deleteSelectedProfile(world.state, ProfileWorld::kDialog));
    EXPECT_EQ(world.messages().back(), world.text(IDS_DELETE_FAILED));
}

}  // namespace
}  // namespace corvane
