#include "ui/ui_support.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(UiSupportTest, CentringAndTheBoldFontRule) {
    EXPECT_EQ(centeredPosition(240, 240, 26, 100, 100).y, 57);
    EXPECT_EQ(centeredPosition(640, 240, 26, 101, 100).x, 269);
    EXPECT_EQ(centeredPosition(640, 240, 26, 700, 301).y, -43);  // truncated toward zero

    // Push buttons (default ones too) and group boxes, whatever the class name's case.
    EXPECT_TRUE(takesBoldFont(u"BUTTON", 1));
    EXPECT_TRUE(takesBoldFont(u"button", 7));
    EXPECT_TRUE(takesBoldFont(u"Button", 0));
    EXPECT_FALSE(takesBoldFont(u"button", 3));  // a check box
    EXPECT_FALSE(takesBoldFont(u"button", 4));  // a radio button
    EXPECT_FALSE(takesBoldFont(u"Static", 0));
}

}  // namespace
}  // namespace corvane
