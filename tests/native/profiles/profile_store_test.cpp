#include "profiles/profile_store.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "resources/resource.h"
#include "tests/support/device.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

using Names = std::vector<std::u16string>;

const std::u16string kAdapterKey = u"Software\\Tavelorn\\Corvane\\1.2\\NE20001";

std::u16string profilePath(std::u16string_view name) {
    return std::u16string(kProfilesKeyPath) + u"\\" + std::u16string(name);
}

class ProfileStoreTest : public testing::Test {
  protected:
    void SetUp() override {
        device.addAdapter(u"NE20001", u"NE2000 Compatible", u"192.168.1.37");
        ASSERT_EQ(device.loadAdapters(), 1);
    }
    MemoryRegistry& registry() { return device.registry; }

    Device device;
};

TEST_F(ProfileStoreTest, ListsInTheRegistrysOrderSkippingFailingIndicesUpToAThousand) {
    EXPECT_TRUE(listProfileNames(registry()).empty()) << "no Profiles key";
    device.addProfile(u"b", u"10.0.0.2");
    device.addProfile(u"A", u"10.0.0.1");
    // A key name longer than the 260-character buffer fails its index with 234: skipped.
    putKey(registry(), kCurrentUser, profilePath(std::u16string(300, u'L')));
    EXPECT_EQ(listProfileNames(registry()), (Names{u"A", u"b"}));

    for (int i = 0; i < 1003; ++i) {
        putKey(registry(), kCurrentUser, profilePath(u"P" + fromUtf8(std::to_string(1000 + i))));
    }
    const Names names = listProfileNames(registry());
    EXPECT_EQ(names.size(), 999u) << "indices 0 to 999, one of them skipped";
    EXPECT_EQ(names.back(), u"P1996");
}

TEST_F(ProfileStoreTest, NamesAreKeysOfTheirOwnFoundWithoutRegardToCase) {
    EXPECT_FALSE(profileExists(registry(), u"Office")) << "no Profiles key";
    device.addProfile(u"Office", u"10.0.0.1");
    EXPECT_TRUE(profileExists(registry(), u"Office"));
    EXPECT_TRUE(profileExists(registry(), u"office")) << "storing it would reach Office";
    EXPECT_FALSE(profileExists(registry(), u"Offic"));
    EXPECT_FALSE(profileExists(registry(), u"")) << "not the Profiles key itself";

    EXPECT_TRUE(isProfileKeyName(std::u16string(255, u'n')));
    for (const std::u16string& bad : {std::u16string(), std::u16string(256, u'n'),
                                      std::u16string(u"Lab\\2"), std::u16string(u"\\")}) {
        EXPECT_FALSE(isProfileKeyName(bad)) << toUtf8(bad);
        EXPECT_FALSE(saveProfile(registry(), bad, device.adapter(0).settings));
        EXPECT_FALSE(deleteProfile(registry(), bad));
    }
    EXPECT_EQ(listProfileNames(registry()), Names{u"Office"}) << "nothing stored or deleted";
}

// Names as long as a key name may be, well past what a 260-character path to them could hold.
TEST_F(ProfileStoreTest, LongNamesAreStoredLoadedMadeDefaultAndDeletedWhole) {
    const std::u16string longName = u"Imported " + std::u16string(240, u'x');
    const std::u16string prefix = longName.substr(0, 127);
    device.addProfile(longName, u"10.9.0.1");
    device.addProfile(prefix, u"10.8.0.1");
    EXPECT_EQ(device.profileIp(longName), u"10.9.0.1");

    Messages messages;
    EXPECT_TRUE(setDefaultProfile(device.state, device.adapter(0), longName, true, true, messages));
    EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)});
    EXPECT_EQ(device.systemIp(u"NE20001"), u"10.9.0.1") << "no cut name reached another profile";
    std::u16string stored;
    EXPECT_TRUE(loadDefaultProfileName(registry(), device.adapter(0), stored));
    EXPECT_EQ(stored, longName);

    EXPECT_TRUE(deleteProfile(registry(), longName));
    EXPECT_EQ(listProfileNames(registry()), Names{prefix});
    EXPECT_FALSE(deleteProfile(registry(), longName)) << "gone";
}

TEST_F(ProfileStoreTest, ADefaultReadsWholeOrNotAtAllAndIsRecordedAsText) {
    std::u16string name = u"keep";
    EXPECT_FALSE(loadDefaultProfileName(registry(), device.adapter(0), name));
    EXPECT_EQ(name, u"keep");
    EXPECT_TRUE(keyExists(registry(), kCurrentUser, kAdapterKey)) << "created by the look-up";

    Messages messages;
    ASSERT_TRUE(
        setDefaultProfile(device.state, device.adapter(0), u"Office", false, true, messages));
    const RawValue value = getRaw(registry(), kCurrentUser, kAdapterKey, u"DefProfile");
    EXPECT_EQ(value.type, regtype::kString);
    EXPECT_EQ(value.data.size(), 14u) << "(6 + 1) * 2 bytes";
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(device.systemIp(u"NE20001"), u"192.168.1.37") << "not applied";

    // Any type is read; 260 characters without a terminating zero are not known whole.
    const std::u16string bare(260, u'z');
    RegKey key;
    ASSERT_EQ(openKey(registry(), kCurrentUser, kAdapterKey, 0, key), status::kSuccess);
    registry().setValue(key.handle(), u"DefProfile", regtype::kBinary, bare.data(), 520);
    key.close();
    EXPECT_FALSE(loadDefaultProfileName(registry(), device.adapter(0), name));
    EXPECT_EQ(name, u"keep");
}

TEST_F(ProfileStoreTest, SetDefaultThenLoadsAndAppliesOrSaysWhatItCouldNotRead) {
    device.addProfile(u"Office", u"10.0.0.1");
    Messages messages;
    EXPECT_TRUE(
        setDefaultProfile(device.state, device.adapter(0), u"Office", true, false, messages));
    EXPECT_EQ(device.systemIp(u"NE20001"), u"10.0.0.1");
    EXPECT_EQ(textOf(device.adapter(0).settings.ipAddress), u"10.0.0.1") << "read back";
    EXPECT_TRUE(messages.empty()) << "silent without showMessages";

    // A missing profile: the default is recorded, nothing applied, the user told.
    EXPECT_TRUE(setDefaultProfile(device.state, device.adapter(0), u"Gone", true, true, messages));
    EXPECT_EQ(device.defaultOf(u"NE20001"), u"Gone");
    EXPECT_EQ(messages, Messages{failure(IDS_LOAD_FAILED, u"Gone")});

    device.registry.failValue(u"DefProfile", status::kAccessDenied);
    EXPECT_FALSE(
        setDefaultProfile(device.state, device.adapter(0), u"Office", true, true, messages));
    EXPECT_EQ(messages.size(), 1u) << "nothing applied without the default";
}

TEST_F(ProfileStoreTest, DeleteRemovesTheWholeKeyAndLeavesTheDefaultDangling) {
    device.addProfile(u"Office", u"10.0.0.1");
    device.addProfile(u"Office Annex", u"10.0.0.2");
    putKey(registry(), kCurrentUser, profilePath(u"Office\\Extra"));
    device.setDefault(u"NE20001", u"Office");
    EXPECT_TRUE(deleteProfile(registry(), u"office"));
    EXPECT_EQ(listProfileNames(registry()), Names{u"Office Annex"});
    EXPECT_EQ(device.defaultOf(u"NE20001"), u"Office");
}

TEST_F(ProfileStoreTest, AProfileFromTheSystemIsStoredAndMadeDefaultWithoutTouchingTheSystem) {
    const int writes = registry().setValueCount();
    Messages messages;
    ASSERT_TRUE(createProfileFromSystem(device.state, u"Default", device.adapter(0), messages));
    EXPECT_EQ(registry().setValueCount() - writes, 14) << "13 profile values and DefProfile";
    EXPECT_EQ(device.profileIp(u"Default"), u"192.168.1.37");
    EXPECT_EQ(device.defaultOf(u"NE20001"), u"Default");

    registry().failValue(u"IpAddress", status::kAccessDenied, kCurrentUser, profilePath(u"Lab"));
    EXPECT_FALSE(createProfileFromSystem(device.state, u"Lab", device.adapter(0), messages));
    registry().clearFaults();
    registry().failValue(u"DefProfile", status::kAccessDenied);
    EXPECT_FALSE(createProfileFromSystem(device.state, u"Lab", device.adapter(0), messages));
    EXPECT_EQ(messages, (Messages{failure(IDS_CREATE_FAILED, u"Lab"),
                                  failure(IDS_SET_DEFAULT_FAILED, u"Lab")}));
    EXPECT_EQ(device.defaultOf(u"NE20001"), u"Default");
    EXPECT_EQ(device.systemIp(u"NE20001"), u"192.168.1.37");
}

}  // namespace
}  // namespace corvane
