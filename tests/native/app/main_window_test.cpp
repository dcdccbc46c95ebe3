#include "app/main_window.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

TEST(MainWindowTest, TheDialogAtStartFollowsNodAndTheOptionAndCommandsAreSorted) {
    struct Case {
        const char16_t* commandLine;
        std::uint32_t showStart;
        bool opens;
    };
    for (const Case& c :
         {Case{u"", 1, true}, Case{u"-NOD", 1, true} /* case matters */, Case{u"-no", 1, true},
          Case{u"", 2, true}, Case{u"-nod", 1, false},
          Case{u"/x -nodialog", 1, false} /* inside a longer word too */, Case{u"", 0, false}}) {
        EXPECT_EQ(opensProfilesAtStart(c.commandLine, c.showStart), c.opens)
            << toUtf8(c.commandLine) << " " << c.showStart;
    }
    EXPECT_EQ(classifyMainCommand(10200), MainCommand::kSwitchProfile);
    EXPECT_EQ(classifyMainCommand(10199), MainCommand::kNone);
    EXPECT_EQ(classifyMainCommand(40006), MainCommand::kShowProfiles);
    EXPECT_EQ(classifyMainCommand(40007), MainCommand::kExit);
}

TEST(MainWindowTest, TheStartNeedsAnAdapterListAndAnAdapter) {
    Device none;
    EXPECT_EQ(takeAdapters(none.state, nullptr), failure(IDS_NO_MEMORY));
    EXPECT_EQ(takeAdapters(none.state, std::make_unique<AdapterList>()), failure(IDS_NO_ADAPTERS));
    Device one(1);
    EXPECT_EQ(takeAdapters(one.state, std::make_unique<AdapterList>()), std::nullopt);
    EXPECT_EQ(one.state.adapters->count(), 1);
}

TEST(MainWindowTest, OptionsAreOnlyFourByteDwords) {
    Device device;
    MemoryRegistry& registry = device.registry;
    std::uint32_t value = 99;
    EXPECT_FALSE(readDwordOption(registry, kApplyToAllOption, value, 1));  // no key
    EXPECT_EQ(value, 1u);
    putDword(registry, kCurrentUser, kAppKeyPath, kApplyToAllOption, 0);
    EXPECT_TRUE(readDwordOption(registry, kApplyToAllOption, value, 1));
    EXPECT_EQ(value, 0u);
    putString(registry, kCurrentUser, kAppKeyPath, kShowStartOption, u"0");
    EXPECT_FALSE(readDwordOption(registry, kShowStartOption, value, 1)) << "a REG_SZ";
    EXPECT_EQ(value, 1u);
    RegKey key;
    ASSERT_EQ(openKey(registry, kCurrentUser, kAppKeyPath, 0, key), status::kSuccess);
    const std::uint64_t zero = 0;
    registry.setValue(key.handle(), kApplyToAllOption, regtype::kDword, &zero, 8);
    key.close();
    EXPECT_FALSE(readDwordOption(registry, kApplyToAllOption, value, 1)) << "8 bytes";

    registry.failValue(kShowStartOption, status::kAccessDenied);
    EXPECT_FALSE(writeDwordOption(registry, kShowStartOption, 1)) << "a failure is told";
    EXPECT_TRUE(writeDwordOption(registry, kApplyToAllOption, 5));
    EXPECT_EQ(getRaw(registry, kCurrentUser, kAppKeyPath, kApplyToAllOption).dword(), 5u);
}

}  // namespace
}  // namespace corvane
