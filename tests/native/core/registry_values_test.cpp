#include "core/registry_values.h"

#include <gtest/gtest.h>

#include "tests/support/memory_registry.h"
#include "tests/support/registry_conformance.h"

namespace corvane {
namespace {

TEST(RegistryValuesTest, LongValuesAreReadWholeAndAFailedChangePutsBackExactlyWhatWasThere) {
    MemoryRegistry registry;
    // Name and data past every first guess of a size.
    const std::u16string longName(300, u'n');
    const std::vector<unsigned char> longData(3000, 0xAB);
    putValue(registry, kCurrentUser, u"Kept", longName, regtype::kBinary, longData.data(),
             longData.size());
    putDword(registry, kCurrentUser, u"Kept", u"Other", 7);
    RegKey key;
    ASSERT_EQ(openKey(registry, kCurrentUser, u"Kept", 0, key), status::kSuccess);
    std::vector<RegValue> before;
    ASSERT_TRUE(readValues(registry, key.handle(), before));
    EXPECT_EQ(before, (std::vector<RegValue>{{longName, regtype::kBinary, longData},
                                             {u"Other", regtype::kDword, {7, 0, 0, 0}}}));

    // The key's values replaced by one, then a write that fails: the long value and the removed
    // one are as they were. Keys made, a log kept and a failed putting back are the fault sweep's.
    const std::vector<KeyChange> changes{
        {kCurrentUser, u"Kept", {{u"New", regtype::kDword, {1, 0, 0, 0}}}, true},
        {kCurrentUser, u"Kept", {{u"Fails", regtype::kDword, {3, 0, 0, 0}}}}};
    registry.failValue(u"Fails", status::kAccessDenied);
    EXPECT_EQ(writeWhole(registry, changes), Written::Nothing);
    registry.clearFaults();
    std::vector<RegValue> after;
    ASSERT_TRUE(readValues(registry, key.handle(), after));
    EXPECT_EQ(after, before);
}

// Names too long to read, and whether every name was read, are the profile store's and the
// export's (profiles_test).
TEST(RegistryValuesTest, SubkeyNamesEndAtAFailureOrWithALimitPassItOverAndEndThere) {
    MemoryRegistry registry;
    for (const std::u16string name : {u"A", u"B", u"C", u"D"}) {
        putKey(registry, kCurrentUser, u"Keys\\" + name);
    }
    RegKey key;
    ASSERT_EQ(openKey(registry, kCurrentUser, u"Keys", 0, key), status::kSuccess);
    using Names = std::vector<std::u16string>;
    registry.failSubkeyIndex(1, status::kAccessDenied);
    EXPECT_EQ(subkeyNames(registry, key.handle()), Names{u"A"});
    EXPECT_EQ(subkeyNames(registry, key.handle(), 260, 3), (Names{u"A", u"C"}));
}

}  // namespace

// The suite's in-memory run, which keeps the other tests' registry honest.
std::unique_ptr<Registry> conformingRegistry() {
    return std::make_unique<MemoryRegistry>();
}

}  // namespace corvane
