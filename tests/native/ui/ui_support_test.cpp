#include "ui/ui_support.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(UiSupportTest, CentringAndTheBoldFontRule) {
    EXPECT_EQ(centeredPosition(640, 240, 26, 101, 100).x, 269);
    EXPECT_EQ(centeredPosition(640, 240, 26, 700, 301).y, -43);  // truncated toward zero

    // Push buttons (default ones too) and group boxes, whatever the class name's case; not check
    // boxes (3), radio buttons (4) or other classes.
    EXPECT_TRUE(takesBoldFont(u"BUTTON", 1) && takesBoldFont(u"button", 7) &&
                takesBoldFont(u"Button", 0));
    EXPECT_FALSE(takesBoldFont(u"button", 3) || takesBoldFont(u"button", 4) ||
                 takesBoldFont(u"Static", 0));
}

}  // namespace
}  // namespace corvane
