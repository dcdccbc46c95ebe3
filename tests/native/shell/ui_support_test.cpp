#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "resources/resource.h"
#include "shell/ui_support.h"
#include "tests/support/fakes.h"

namespace corvane {
namespace {

struct UiSupportFixture : testing::Test {
    UiSupportFixture() {
        state.ui = &ui;
        state.system = &system;
        state.helpProgram = kHelpProgram;
        state.hwndMain = kMain;
        state.hwndCurrent = kMain;
    }
    static constexpr WindowRef kMain = 0x10;
    static constexpr WindowRef kDialog = 0x20;
    FakeUserInterface ui;
    FakeSystem system;
    AppState state;
};

TEST_F(UiSupportFixture, LoadAppStringNeverPassesCapacityOrBuffer) {
    // IDS_NEXT_USE is longer than 128 characters.
    ASSERT_GT(appString(IDS_NEXT_USE).size(), 128u);
    char16_t big[300];
    std::fill(std::begin(big), std::end(big), u'#');
    EXPECT_EQ(loadAppString(state, IDS_NEXT_USE, big), 127);
    EXPECT_EQ(big[127], u'\0');
    EXPECT_EQ(big[128], u'#');
    EXPECT_EQ(std::u16string(textOf(big)), appString(IDS_NEXT_USE).substr(0, 127));

    // A capacity larger than the buffer is held to the buffer.
    char16_t small[10];
    EXPECT_EQ(loadAppString(state, IDS_NEXT_USE, small, 500), 9);
    EXPECT_EQ(textOf(small), appString(IDS_NEXT_USE).substr(0, 9));

    EXPECT_EQ(loadAppString(state, 9999, small), 0);
    EXPECT_EQ(textOf(small), u"");
    EXPECT_EQ(loadAppString(state, IDS_PRODUCT_NAME, std::span<char16_t>()), 0);
}

TEST_F(UiSupportFixture, FormatReplacesOneArgumentAndCutsToTheBuffer) {
    char16_t out[kFormattedChars];
    EXPECT_EQ(formatText(out, u"Profile \"%s\" exists", u"Home"), 21);
    EXPECT_EQ(textOf(out), u"Profile \"Home\" exists");
    formatText(out, u"%s and %s, 100%%, %d", u"A");
    EXPECT_EQ(textOf(out), u"A and , 100%, %d");

    const std::u16string longArgument(600, u'x');
    EXPECT_EQ(formatText(out, u"<%s>", longArgument), 519);
    EXPECT_EQ(std::u16string(textOf(out)), u"<" + std::u16string(518, u'x'));

    char16_t tiny[4];
    formatText(tiny, u"ab%s", u"cdef");
    EXPECT_EQ(textOf(tiny), u"abc");
    formatText(tiny, u"abcdef%", u"");
    EXPECT_EQ(textOf(tiny), u"abc");
}

TEST_F(UiSupportFixture, MessagesBelongToTheCurrentWindowUnlessOwned) {
    EXPECT_EQ(showMessage(state, 0, IDS_DELETE_FAILED, mb::kIconExclamation), mb::kIdOk);
    state.hwndCurrent = kDialog;
    ui.answers.push_back(mb::kIdYes);
    EXPECT_EQ(
        showFormattedMessage(state, 0, IDS_CONFIRM_DELETE, u"Home", mb::kYesNo | mb::kIconQuestion),
        mb::kIdYes);
    showMessage(state, kMain, IDS_NO_ADAPTERS, mb::kIconExclamation);

    ASSERT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(ui.boxes[0].owner, kMain);
    EXPECT_EQ(ui.boxes[0].text, u"Unable to delete network profile.");
    EXPECT_EQ(ui.boxes[1].owner, kDialog);
    EXPECT_EQ(ui.boxes[1].text, u"Delete network profile \"Home\"; Are you sure?");
    EXPECT_EQ(ui.boxes[1].style, 0x24u);
    EXPECT_EQ(ui.boxes[2].owner, kMain);
    for (const RecordedMessageBox& box : ui.boxes) {
        EXPECT_EQ(box.caption, u"Corvane");
    }
    // The text of a message is held to 259 characters.
    EXPECT_EQ(ui.boxes[2].text, appString(IDS_NO_ADAPTERS).substr(0, 259));
}

TEST_F(UiSupportFixture, HelpStartsTheViewerWithTheTopicAsCommandLine) {
    showHelp(state, kHelpProfiles);
    ASSERT_EQ(system.started.size(), 1u);
    EXPECT_EQ(system.started[0].first, u"PegHelp.exe");
    EXPECT_EQ(system.started[0].second, u"corvane.htm#profiles");
}

TEST(UiSupportTest, CentringAndTheBoldFontRule) {
    EXPECT_EQ(centeredPosition(240, 240, 26, 100, 100).y, 57);
    EXPECT_EQ(centeredPosition(640, 240, 26, 101, 100).x, 269);
    EXPECT_EQ(centeredPosition(640, 240, 26, 700, 300).x, -30);
    EXPECT_EQ(centeredPosition(640, 240, 26, 700, 301).y, -43);  // truncated toward zero

    EXPECT_TRUE(takesBoldFont(u"Button", 0x50010000));  // push button
    EXPECT_TRUE(takesBoldFont(u"BUTTON", 1));           // default push button
    EXPECT_TRUE(takesBoldFont(u"button", 7));           // group box
    EXPECT_FALSE(takesBoldFont(u"button", 3));          // check box
    EXPECT_FALSE(takesBoldFont(u"button", 9));          // radio button
    EXPECT_FALSE(takesBoldFont(u"Static", 0));
}

}  // namespace
}  // namespace corvane
