#include "profiles/profile_store.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

using Names = std::vector<std::u16string>;

const std::u16string kAdapterKey = u"Software\\Tavelorn\\Corvane\\1.2\\A1";

class ProfileStoreTest : public testing::Test {
  protected:
    MemoryRegistry& registry() { return device.registry; }
    bool setDefault(std::u16string_view name, bool apply) {
        AdapterInfo& adapter = device.adapter(0);
        return apply ? switchAdapter(registry(), device.system, adapter, name,
                                     adapterState(registry(), adapter), messages)
                           .defaultRecorded
                     : recordDefaultProfile(registry(), device.adapter(0), name) == Written::Whole;
    }

    Device device{1};  // A1 on 192.168.0.1
    Messages messages;
};

TEST_F(ProfileStoreTest, NamesAreKeysOfTheirOwnListedInTheRegistrysOrder) {
    EXPECT_TRUE(listProfileNames(registry()).empty()) << "no Profiles key";
    device.addProfile(u"Office", u"10.0.0.1");
    device.addProfile(u"a", u"10.0.0.2");
    // A key name longer than the 260-character buffer fails its index with 234: skipped.
    putKey(registry(), kCurrentUser, profilePath(std::u16string(300, u'L')));
    putKey(registry(), kCurrentUser, profilePath(u"Lab\\2"));  // what a nested name reaches
    EXPECT_EQ(listProfileNames(registry()), (Names{u"a", u"Lab", u"Office"}));
    EXPECT_FALSE(profileExists(registry(), u"")) << "not the Profiles key itself";
    // However many there are, every listed profile is found by its name.
    for (int i = 0; i < 1001; ++i) {
        putKey(registry(), kCurrentUser, profilePath(u"P" + fromUtf8(std::to_string(i))));
    }
    EXPECT_EQ(listProfileNames(registry()).size(), 1004u);
    EXPECT_EQ(storedProfileName(registry(), u"p999"), u"P999") << "sorted among the last";

    EXPECT_TRUE(isProfileKeyName(std::u16string(255, u'n')));
    for (const std::u16string& bad : {std::u16string(), std::u16string(256, u'n'),
                                      std::u16string(u"Lab\\2"), std::u16string(u"\\")}) {
        EXPECT_EQ(saveProfile(registry(), bad, device.adapter(0).settings), Written::Nothing)
            << toUtf8(bad);
        EXPECT_FALSE(deleteProfile(registry(), bad));
    }
}

TEST_F(ProfileStoreTest, ADefaultIsRecordedAsTextReadWholeOrNotAtAllAndMayNameNoProfileOrALongOne) {
    std::u16string name = u"keep";
    EXPECT_FALSE(loadDefaultProfileName(registry(), device.adapter(0), name));

    ASSERT_TRUE(setDefault(u"Office", false));
    const RawValue value = getRaw(registry(), kCurrentUser, kAdapterKey, u"DefProfile");
    EXPECT_EQ(value.type, regtype::kString);
    EXPECT_EQ(value.chars(), withZero(u"Office"));
    EXPECT_TRUE(messages.empty()) << "not applied: a profile that does not exist tells so";

    // Any type is read; 260 characters without a terminating zero are not known whole.
    const std::u16string bare(260, u'z');
    putValue(registry(), kCurrentUser, kAdapterKey, u"DefProfile", regtype::kBinary, bare.data(),
             520);
    EXPECT_FALSE(loadDefaultProfileName(registry(), device.adapter(0), name));
    EXPECT_EQ(name, u"keep");

    EXPECT_TRUE(setDefault(u"Gone", true)) << "recorded, with nothing to apply";
    EXPECT_EQ(device.defaultOf(u"A1"), u"Gone");
    EXPECT_EQ(messages, Messages{failure(IDS_LOAD_FAILED, u"Gone")});

    // As long as a key name may be, well past what a 260-character path to it could hold.
    const std::u16string longName = u"Imported " + std::u16string(240, u'x');
    device.addProfile(longName, u"10.9.0.1");
    EXPECT_TRUE(setDefault(longName, true));
    EXPECT_EQ(device.systemIp(u"A1"), u"10.9.0.1") << "loaded by its whole name";
    EXPECT_TRUE(loadDefaultProfileName(registry(), device.adapter(0), name));
    EXPECT_EQ(name, longName);
    EXPECT_TRUE(deleteProfile(registry(), longName));
    EXPECT_TRUE(listProfileNames(registry()).empty());
}

TEST_F(ProfileStoreTest, AProfileFromTheSystemIsStoredAndMadeDefaultWithoutTouchingTheSystem) {
    const int writes = registry().setValueCount();
    ASSERT_TRUE(createProfileFromSystem(registry(), u"Default", device.adapter(0), messages));
    EXPECT_EQ(registry().setValueCount() - writes, 14) << "13 profile values and DefProfile";
    EXPECT_EQ(device.profileIp(u"Default"), u"192.168.0.1");
    EXPECT_EQ(device.defaultOf(u"A1"), u"Default");

    // Both or neither: a profile that cannot be made the default goes again.
    registry().failValue(u"IpAddress", status::kAccessDenied);
    EXPECT_FALSE(createProfileFromSystem(registry(), u"Lab", device.adapter(0), messages));
    registry().clearFaults();
    registry().failValue(u"DefProfile", status::kAccessDenied);
    EXPECT_FALSE(createProfileFromSystem(registry(), u"Lab", device.adapter(0), messages));
    EXPECT_EQ(messages, (Messages{failure(IDS_CREATE_FAILED, u"Lab"),
                                  failure(IDS_SET_DEFAULT_FAILED, u"Lab")}));
    EXPECT_EQ(device.defaultOf(u"A1"), u"Default");
    EXPECT_EQ(listProfileNames(registry()), Names{u"Default"});
}

}  // namespace
}  // namespace corvane
