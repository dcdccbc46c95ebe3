#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "tests/support/fakes.h"
#include "tests/support/memory_registry.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

constexpr WindowRef kMain = 0x1234;

// What the platform hooks saw, in order, next to the message boxes.
std::vector<std::string> calls;

struct StartupFixture : testing::Test {
    StartupFixture() {
        calls.clear();
        state.registry = &registry;
        state.ui = &ui;
        state.system = &system;
        steps.addTrayIcon = [](AppState& s) {
            calls.push_back("add icon, adapters " + std::to_string(s.adapters ? 1 : 0));
        };
        steps.removeTrayIcon = [](AppState& s) {
            calls.push_back("remove icon, adapters " + std::to_string(s.adapters ? 1 : 0));
        };
        steps.rebuildTrayMenu = [](AppState& s) {
            calls.push_back("menu for " + std::to_string(s.adapters->count()) + " adapter(s)");
        };
    }

    void addAdapter(std::u16string_view key) {
        const std::u16string path = u"Comm\\" + std::u16string(key);
        putString(registry, kLocalMachine, path, u"Group", u"NDIS");
        putKey(registry, kLocalMachine, path + u"\\Parms\\TcpIp");
    }

    MemoryRegistry registry;
    FakeUserInterface ui;
    FakeSystem system;
    AppState state;
    MainWindowSteps steps;
};

TEST_F(StartupFixture, OptionsAcceptOnlyAFourByteDword) {
    std::uint32_t value = 99;
    EXPECT_FALSE(readDwordOption(registry, kShowStartOption, value, 1));  // no key
    EXPECT_EQ(value, 1u);

    putDword(registry, kCurrentUser, kAppKeyPath, kShowStartOption, 0);
    EXPECT_TRUE(readDwordOption(registry, kShowStartOption, value, 1));
    EXPECT_EQ(value, 0u);

    putString(registry, kCurrentUser, kAppKeyPath, kShowStartOption, u"0");
    EXPECT_FALSE(readDwordOption(registry, kShowStartOption, value, 1));
    EXPECT_EQ(value, 1u);

    RegKey key;
    ASSERT_EQ(openKey(registry, kCurrentUser, kAppKeyPath, 0, key), status::kSuccess);
    const std::uint16_t shortValue = 0;
    registry.setValue(key.handle(), kShowStartOption, regtype::kDword, &shortValue, 2);
    const std::uint64_t longValue = 0;
    registry.setValue(key.handle(), kApplyToAllOption, regtype::kDword, &longValue, 8);
    key.close();
    EXPECT_FALSE(readDwordOption(registry, kShowStartOption, value, 1));
    EXPECT_EQ(value, 1u);
    EXPECT_FALSE(readDwordOption(registry, kApplyToAllOption, value, 0));
    EXPECT_EQ(value, 0u);

    // initAppState reads both with their defaults and sets the help viewer.
    state.dialogOpen = 1;
    state.busy = 1;
    initAppState(state);
    EXPECT_EQ(state.showAtStartup, 1u);
    EXPECT_EQ(state.applyToAll, 0u);
    EXPECT_EQ(state.dialogOpen, 0);
    EXPECT_EQ(state.busy, 0u);
    EXPECT_EQ(std::u16string_view(state.helpProgram), u"PegHelp.exe");

    ASSERT_TRUE(writeDwordOption(registry, kShowStartOption, 7));
    const RawValue written = getRaw(registry, kCurrentUser, kAppKeyPath, kShowStartOption);
    EXPECT_EQ(written.type, regtype::kDword);
    EXPECT_EQ(written.data.size(), 4u);
    EXPECT_EQ(written.dword(), 7u);

    registry.failValue(kShowStartOption, status::kAccessDenied);
    EXPECT_FALSE(writeDwordOption(registry, kShowStartOption, 1));
    EXPECT_EQ(registry.openHandleCount(), 0);
}

TEST_F(StartupFixture, OldVersionTreesGoAndTheCurrentKeyStays) {
    putDword(registry, kCurrentUser, u"Software\\Tavelorn\\Corvane\\1.0\\Profiles\\Home", u"X", 1);
    putDword(registry, kCurrentUser, u"Software\\Tavelorn\\Corvane\\1.1\\Profiles\\Work", u"X", 1);
    putDword(registry, kCurrentUser, u"Software\\Tavelorn\\Corvane\\1.2\\Profiles\\Home", u"X", 1);
    deleteOldVersionKeys(registry);
    EXPECT_FALSE(keyExists(registry, kCurrentUser, u"Software\\Tavelorn\\Corvane\\1.0"));
    EXPECT_FALSE(keyExists(registry, kCurrentUser, u"Software\\Tavelorn\\Corvane\\1.1"));
    EXPECT_EQ(
        getRaw(registry, kCurrentUser, u"Software\\Tavelorn\\Corvane\\1.2\\Profiles\\Home", u"X")
            .dword(),
        1u);
    deleteOldVersionKeys(registry);  // a second start finds nothing to delete: fine
}

TEST_F(StartupFixture, DialogAtStartFollowsNodAndTheOption) {
    EXPECT_TRUE(opensProfilesAtStart(u"", 1));
    EXPECT_TRUE(opensProfilesAtStart(u"-NOD", 1));  // letter case matters
    EXPECT_TRUE(opensProfilesAtStart(u"-no", 1));
    EXPECT_TRUE(opensProfilesAtStart(u"", 2));  // any non-zero value means on
    EXPECT_FALSE(opensProfilesAtStart(u"-nod", 1));
    EXPECT_FALSE(opensProfilesAtStart(u"/x -nodialog", 1));  // inside a longer word too
    EXPECT_FALSE(opensProfilesAtStart(u"", 0));

    EXPECT_EQ(classifyMainCommand(10200), MainCommand::kSwitchProfile);
    EXPECT_EQ(classifyMainCommand(10199), MainCommand::kNone);
    EXPECT_EQ(classifyMainCommand(40006), MainCommand::kShowProfiles);
    EXPECT_EQ(classifyMainCommand(40007), MainCommand::kExit);
}

TEST_F(StartupFixture, CreationAddsTheIconFindsAdaptersAndBuildsTheMenu) {
    addAdapter(u"NE20001");
    addAdapter(u"ELNK31");
    ASSERT_EQ(runCreationSteps(state, kMain, steps), 0);
    EXPECT_EQ(state.hwndMain, kMain);
    EXPECT_EQ(state.hwndCurrent, kMain);
    EXPECT_EQ(calls, (std::vector<std::string>{"add icon, adapters 0", "menu for 2 adapter(s)"}));
    EXPECT_TRUE(ui.boxes.empty());

    state.applyToAll = 1;
    state.showAtStartup = 0;
    runDestructionSteps(state, steps);
    EXPECT_EQ(calls.back(), "remove icon, adapters 0");
    EXPECT_EQ(getRaw(registry, kCurrentUser, kAppKeyPath, kApplyToAllOption).dword(), 1u);
    EXPECT_EQ(getRaw(registry, kCurrentUser, kAppKeyPath, kShowStartOption).type, regtype::kDword);
    EXPECT_EQ(getRaw(registry, kCurrentUser, kAppKeyPath, kShowStartOption).dword(), 0u);
    EXPECT_EQ(registry.openHandleCount(), 0);
}

TEST_F(StartupFixture, NoAdapterOrNoMemoryFailsCreationWithOneMessage) {
    EXPECT_EQ(runCreationSteps(state, kMain, steps), -1);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, appString(IDS_NO_ADAPTERS));
    EXPECT_EQ(ui.boxes[0].owner, kMain);
    EXPECT_EQ(ui.boxes[0].style, mb::kIconExclamation);
    EXPECT_EQ(ui.boxes[0].caption, u"Corvane");
    // The failed window is still destroyed: the icon goes and the options are written.
    runDestructionSteps(state, steps);
    EXPECT_EQ(calls, (std::vector<std::string>{"add icon, adapters 0", "remove icon, adapters 0"}));
    EXPECT_EQ(getRaw(registry, kCurrentUser, kAppKeyPath, kShowStartOption).result,
              status::kSuccess);

    addAdapter(u"NE20001");
    steps.newAdapterList = [] { return std::unique_ptr<AdapterList>(); };
    ui.boxes.clear();
    calls.clear();
    EXPECT_EQ(runCreationSteps(state, kMain, steps), -1);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, u"Not enough memory to initialize application.");
    EXPECT_EQ(calls, std::vector<std::string>{"add icon, adapters 0"});
}

}  // namespace
}  // namespace corvane
