#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "resources/resource.h"
#include "tests/support/fakes.h"
#include "ui/ui_support.h"

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

TEST_F(UiSupportFixture, LoadAndFormatNeverWritePastTheBuffer) {
    const std::u16string nextUse = appString(IDS_NEXT_USE);
    ASSERT_GT(nextUse.size(), 128u);
    char16_t big[300];
    std::fill(std::begin(big), std::end(big), u'#');
    EXPECT_EQ(loadAppString(state, IDS_NEXT_USE, big), 127) << "capacity 0 means 128";
    EXPECT_EQ(big[128], u'#');
    EXPECT_EQ(std::u16string(textOf(big)), nextUse.substr(0, 127));
    char16_t small[10];
    EXPECT_EQ(loadAppString(state, IDS_NEXT_USE, small, 500), 9) << "held to the buffer";
    EXPECT_EQ(loadAppString(state, 9999, small), 0);
    EXPECT_EQ(textOf(small), u"");

    char16_t out[kFormattedChars];
    formatText(out, u"%s and %s, 100%%, %d", u"A");
    EXPECT_EQ(textOf(out), u"A and , 100%, %d");
    EXPECT_EQ(formatText(out, u"<%s>", std::u16string(600, u'x')), 519);
    char16_t tiny[4];
    formatText(tiny, u"ab%s", u"cdef");
    EXPECT_EQ(textOf(tiny), u"abc");
    formatText(tiny, u"abcdef%", u"");
    EXPECT_EQ(textOf(tiny), u"abc");
}

TEST_F(UiSupportFixture, MessagesBelongToTheCurrentWindowUnlessOwnedAndHelpStartsTheViewer) {
    showMessage(state, 0, IDS_DELETE_FAILED, mb::kIconExclamation);
    state.hwndCurrent = kDialog;
    ui.answers.push_back(mb::kIdYes);
    EXPECT_EQ(
        showFormattedMessage(state, 0, IDS_CONFIRM_DELETE, u"Home", mb::kYesNo | mb::kIconQuestion),
        mb::kIdYes);
    showMessage(state, kMain, IDS_NO_ADAPTERS, mb::kIconExclamation);

    ASSERT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(ui.boxes[0].owner, kMain);
    EXPECT_EQ(ui.boxes[1].owner, kDialog);
    EXPECT_EQ(ui.boxes[1].text, u"Delete network profile \"Home\"; Are you sure?");
    EXPECT_EQ(ui.boxes[1].style, 0x24u);
    EXPECT_EQ(ui.boxes[1].caption, u"Corvane");
    EXPECT_EQ(ui.boxes[2].owner, kMain);
    EXPECT_EQ(ui.boxes[2].text, appString(IDS_NO_ADAPTERS).substr(0, 259));

    showHelp(state, kHelpProfiles);
    ASSERT_EQ(system.started.size(), 1u);
    EXPECT_EQ(system.started[0].first, u"PegHelp.exe");
    EXPECT_EQ(system.started[0].second, u"corvane.htm#profiles");
}

TEST(UiSupportTest, CentringAndTheBoldFontRule) {
    EXPECT_EQ(centeredPosition(240, 240, 26, 100, 100).y, 57);
    EXPECT_EQ(centeredPosition(640, 240, 26, 101, 100).x, 269);
    EXPECT_EQ(centeredPosition(640, 240, 26, 700, 301).y, -43);  // truncated toward zero

    // Push buttons (default ones too) and group boxes, whatever the class name's case.
    EXPECT_TRUE(takesBoldFont(u"BUTTON", 1));
    EXPECT_TRUE(takesBoldFont(u"button", 7));
    EXPECT_FALSE(takesBoldFont(u"button", 3));
    EXPECT_FALSE(takesBoldFont(u"Static", 0));
}

}  // namespace
}  // namespace corvane
