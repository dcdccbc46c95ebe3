// Start-up and exit with fake platform hooks. The real processes, the options left at exit and
// the old versions' keys are proven under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "core/app_state.h"
#include "core/text.h"
#include "resources/resource.h"
#include "tests/support/fakes.h"
#include "tests/support/memory_registry.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

constexpr WindowRef kMain = 0x1234;

// What the platform hooks saw, in order.
std::vector<std::string> calls;

struct StartupFixture : testing::Test {
    StartupFixture() {
        calls.clear();
        state.registry = &registry;
        state.ui = &ui;
        steps.addTrayIcon = [](AppState&) { calls.push_back("add icon"); };
        steps.removeTrayIcon = [](AppState& s) {
            calls.push_back(s.adapters ? "remove icon, list kept" : "remove icon");
        };
        steps.rebuildTrayMenu = [](AppState& s) {
            calls.push_back("menu for " + std::to_string(s.adapters->count()) + " adapters");
        };
    }

    MemoryRegistry registry;
    FakeUserInterface ui;
    AppState state;
    MainWindowSteps steps;
};

TEST_F(StartupFixture, OptionsAcceptOnlyAFourByteDword) {
    std::uint32_t value = 99;
    EXPECT_FALSE(readDwordOption(registry, kApplyToAllOption, value, 1));  // no key
    EXPECT_EQ(value, 1u);
    putDword(registry, kCurrentUser, kAppKeyPath, kApplyToAllOption, 0);
    EXPECT_TRUE(readDwordOption(registry, kApplyToAllOption, value, 1));
    EXPECT_EQ(value, 0u);
    RegKey key;
    ASSERT_EQ(openKey(registry, kCurrentUser, kAppKeyPath, 0, key), status::kSuccess);
    const std::uint64_t zero = 0;
    registry.setValue(key.handle(), kApplyToAllOption, regtype::kDword, &zero, 8);
    key.close();
    EXPECT_FALSE(readDwordOption(registry, kApplyToAllOption, value, 1)) << "8 bytes";
    EXPECT_EQ(value, 1u);

    registry.failValue(kShowStartOption, status::kAccessDenied);
    EXPECT_FALSE(writeDwordOption(registry, kShowStartOption, 1));
    EXPECT_EQ(registry.openHandleCount(), 0);
}

TEST(StartupTest, DialogAtStartFollowsNodAndTheOptionAndCommandsAreSorted) {
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

TEST_F(StartupFixture, CreationAddsTheIconBeforeLookingForAdaptersWhichMustBeFound) {
    EXPECT_EQ(runCreationSteps(state, kMain, steps), -1);
    EXPECT_EQ(ui.boxes.size(), 1u) << "the one message, proven under Wine";
    runDestructionSteps(state, steps);
    EXPECT_EQ(calls, (std::vector<std::string>{"add icon", "remove icon"}));

    putString(registry, kLocalMachine, u"Comm\\NE20001", u"Group", u"NDIS");
    putKey(registry, kLocalMachine, u"Comm\\NE20001\\Parms\\TcpIp");
    calls.clear();
    ASSERT_EQ(runCreationSteps(state, kMain, steps), 0);
    EXPECT_EQ(state.hwndCurrent, kMain);
    runDestructionSteps(state, steps);
    EXPECT_EQ(calls, (std::vector<std::string>{"add icon", "menu for 1 adapters", "remove icon"}))
        << "the list goes before the icon";
    EXPECT_EQ(registry.openHandleCount(), 0);

    steps.newAdapterList = [] { return std::unique_ptr<AdapterList>(); };
    ui.boxes.clear();
    EXPECT_EQ(runCreationSteps(state, kMain, steps), -1);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, u"Not enough memory to initialize application.");
}

}  // namespace
}  // namespace corvane
