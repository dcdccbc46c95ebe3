#include "app/main_window.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

TEST(MainWindowTest, TheDialogAtStartFollowsNodAndTheOption) {
    // "-nod" keeps it closed, in that letter case only and inside a longer word too; so does
    // "ShowStart" 0.
    using Case = std::tuple<const char16_t*, std::uint32_t, bool>;
    for (const auto& [commandLine, showStart, opens] :
         {Case{u"-NOD", 1, true}, Case{u"-no", 1, true}, Case{u"", 2, true},
          Case{u"-nod", 1, false}, Case{u"/x -nodialog", 1, false}, Case{u"", 0, false}}) {
        EXPECT_EQ(opensProfilesAtStart(commandLine, showStart), opens)
            << toUtf8(commandLine) << " " << showStart;
    }
}

TEST(MainWindowTest, TheStartNeedsAnAdapterAndTakesOnlyFourByteDwordOptions) {
    Device device;
    EXPECT_EQ(findAdapters(device.session), failure(IDS_NO_ADAPTERS));
    device.addAdapter(u"A1", u"Card");
    EXPECT_EQ(findAdapters(device.session), std::nullopt);
    EXPECT_EQ(device.session.adapters.count(), 1);

    MemoryRegistry& registry = device.registry;
    const auto read = [&](std::u16string_view name) {
        std::uint32_t value = 99;
        const bool found = readDwordOption(registry, name, value, 1);
        return std::pair(found, value);
    };
    EXPECT_EQ(read(kApplyToAllOption), std::pair(false, 1u)) << "no key: the default";
    putDword(registry, kCurrentUser, kAppKeyPath, kApplyToAllOption, 0);
    EXPECT_EQ(read(kApplyToAllOption), std::pair(true, 0u));
    putString(registry, kCurrentUser, kAppKeyPath, kShowStartOption, u"0");
    EXPECT_EQ(read(kShowStartOption), std::pair(false, 1u)) << "a REG_SZ of four bytes";
    const std::uint16_t zero = 0;
    putValue(registry, kCurrentUser, kAppKeyPath, kApplyToAllOption, regtype::kDword, &zero, 2);
    EXPECT_EQ(read(kApplyToAllOption), std::pair(false, 1u)) << "2 bytes";
    registry.failValue(kShowStartOption, status::kAccessDenied);
    EXPECT_FALSE(writeDwordOption(registry, kShowStartOption, 1)) << "a failure is told";
    EXPECT_TRUE(writeDwordOption(registry, kApplyToAllOption, 5));
    EXPECT_EQ(read(kApplyToAllOption), std::pair(true, 5u));
}

}  // namespace
}  // namespace corvane
