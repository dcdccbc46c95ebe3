#include "profiles/profile_store.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

using Names = std::vector<std::u16string>;

TEST(ProfileStoreTest, NamesAreKeysOfTheirOwnListedInTheRegistrysOrder) {
    Device device(1);
    MemoryRegistry& registry = device.registry;
    EXPECT_TRUE(listProfileNames(registry).empty()) << "no Profiles key";
    device.addProfile(u"Office");
    device.addProfile(u"a");
    // A key name longer than the 260-character buffer fails its index with 234: skipped.
    putKey(registry, kCurrentUser, profilePath(std::u16string(300, u'L')));
    putKey(registry, kCurrentUser, profilePath(u"Lab\\2"));  // what a nested name reaches
    EXPECT_EQ(listProfileNames(registry), (Names{u"a", u"Lab", u"Office"}));
    EXPECT_FALSE(profileExists(registry, u"")) << "not the Profiles key itself";
    // However many there are, every listed profile is found by its name.
    for (int i = 0; i < 1001; ++i) {
        putKey(registry, kCurrentUser, profilePath(u"P" + fromUtf8(std::to_string(i))));
    }
    EXPECT_EQ(storedProfileName(registry, u"p999"), u"P999") << "sorted among the last";

    EXPECT_TRUE(isProfileKeyName(std::u16string(255, u'n')));
    for (const std::u16string& bad : {std::u16string(), std::u16string(256, u'n'),
                                      std::u16string(u"Lab\\2"), std::u16string(u"\\")}) {
        EXPECT_EQ(saveProfile(registry, bad, device.adapter(0).settings), Written::Nothing)
            << toUtf8(bad);
        EXPECT_FALSE(deleteProfile(registry, bad));
    }
}

TEST(ProfileStoreTest, ADefaultIsRecordedAsTextReadWholeOrNotAtAllAndMayNameNoProfileOrALongOne) {
    Device device(1);
    AdapterInfo& adapter = device.adapter(0);
    std::u16string name = u"keep";
    EXPECT_FALSE(loadDefaultProfileName(device.registry, adapter, name));
    ASSERT_EQ(recordDefaultProfile(device.registry, adapter, u"Office"), Written::Whole);
    const RawValue value =
        getRaw(device.registry, kCurrentUser, adapterKeyPath(adapter), u"DefProfile");
    EXPECT_EQ(std::pair(value.type, value.chars()),
              std::pair(regtype::kString, withZero(u"Office")));

    // Any type is read; 260 characters without a terminating zero are not known whole.
    const std::u16string bare(260, u'z');
    putValue(device.registry, kCurrentUser, adapterKeyPath(adapter), u"DefProfile",
             regtype::kBinary, bare.data(), 520);
    EXPECT_FALSE(loadDefaultProfileName(device.registry, adapter, name));
    EXPECT_EQ(name, u"keep");

    // Switched to, a missing profile is recorded with nothing to apply; a name as long as a key
    // name may be, well past what a 260-character path to it could hold, is loaded whole.
    const std::u16string longName = u"Imported " + std::u16string(240, u'x');
    device.addProfile(longName, u"10.9.0.1");
    Messages messages;
    for (const std::u16string& to : {std::u16string(u"Gone"), longName}) {
        EXPECT_TRUE(switchAdapter(device.registry, device.system, adapter, to,
                                  adapterState(device.registry, adapter), messages)
                        .defaultRecorded);
        EXPECT_TRUE(loadDefaultProfileName(device.registry, adapter, name));
        EXPECT_EQ(name, to);
    }
    EXPECT_EQ(messages, Messages{failure(IDS_LOAD_FAILED, u"Gone")});
    EXPECT_EQ(device.systemIp(u"A1"), u"10.9.0.1");
}

TEST(ProfileStoreTest, AProfileFromTheSystemIsStoredAndMadeDefaultWithoutTouchingTheSystem) {
    Device device(1);  // A1 on 192.168.0.1
    MemoryRegistry& registry = device.registry;
    const int writes = registry.setValueCount();
    Messages messages;
    ASSERT_TRUE(createProfileFromSystem(registry, u"Default", device.adapter(0), messages));
    EXPECT_EQ(registry.setValueCount() - writes, 14) << "13 profile values and DefProfile";
    EXPECT_EQ(std::pair(device.profileIp(u"Default"), device.defaultOf(u"A1")),
              std::pair(std::u16string(u"192.168.0.1"), std::u16string(u"Default")));

    // Both or neither: a profile that cannot be made the default goes again.
    for (const char16_t* failing : {u"IpAddress", u"DefProfile"}) {
        registry.failValue(failing, status::kAccessDenied);
        EXPECT_FALSE(createProfileFromSystem(registry, u"Lab", device.adapter(0), messages));
        registry.clearFaults();
    }
    EXPECT_EQ(messages, (Messages{failure(IDS_CREATE_FAILED, u"Lab"),
                                  failure(IDS_SET_DEFAULT_FAILED, u"Lab")}));
    EXPECT_EQ(std::pair(device.defaultOf(u"A1"), listProfileNames(registry)),
              std::pair(std::u16string(u"Default"), Names{u"Default"}));
}

}  // namespace
}  // namespace corvane
