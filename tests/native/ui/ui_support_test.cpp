#include "ui/ui_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>

#include "core/text.h"

namespace corvane {
namespace {

TEST(UiSupportTest, CentringAndTheBoldFontRule) {
    const ScreenPoint at = centeredPosition(640, 240, 26, 101, 301);
    EXPECT_EQ(std::pair(at.x, at.y), std::pair(269, -43)) << "halves truncated toward zero";
    // Push buttons (default ones too; the plain ones and check boxes are seen on real dialogs) and
    // group boxes, whatever the class name's case; not radio buttons or other classes.
    EXPECT_TRUE(takesBoldFont(u"BUTTON", 1) && takesBoldFont(u"button", 7));
    EXPECT_FALSE(takesBoldFont(u"button", 4) || takesBoldFont(u"Static", 0));
}

// Every topic the program shows is an anchor of the help file (<a name="..."> or id="..."), and the
// file is plain enough for the handheld's browser: no scripts, no style sheets.
TEST(UiSupportTest, TheHelpFileHasEveryTopicAndNeitherScriptsNorStyles) {
    std::ifstream file(CORVANE_HELP_FILE);
    const std::string html{std::istreambuf_iterator<char>(file), {}};
    for (const std::u16string_view topic : kHelpTopics) {
        const std::string name = toUtf8(topic);
        const std::regex anchor("(name|id)\\s*=\\s*\"" + name.substr(12) + "\"", std::regex::icase);
        EXPECT_TRUE(name.starts_with("corvane.htm#") && std::regex_search(html, anchor)) << name;
    }
    EXPECT_FALSE(
        std::regex_search(html, std::regex("<script|<style|style\\s*=|<link", std::regex::icase)));
}

}  // namespace
}  // namespace corvane
