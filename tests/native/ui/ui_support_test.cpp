#include "ui/ui_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>

#include "core/text.h"

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

// Every topic the program shows is an anchor of the help file (<a name="..."> or id="..."), and the
// file is plain enough for the handheld's browser: no scripts, no style sheets.
TEST(UiSupportTest, TheHelpFileHasEveryTopicAndNeitherScriptsNorStyles) {
    std::ifstream file(CORVANE_HELP_FILE);
    const std::string html{std::istreambuf_iterator<char>(file), {}};
    std::set<std::string> anchors;
    const std::regex anchor(R"re((?:name|id)\s*=\s*"([^"]*)")re", std::regex::icase);
    for (std::sregex_iterator it(html.begin(), html.end(), anchor), end; it != end; ++it) {
        anchors.insert((*it)[1]);
    }
    for (const std::u16string_view topic : kHelpTopics) {
        const std::string text = toUtf8(topic);
        EXPECT_EQ(text.substr(0, text.find('#')), "corvane.htm");
        EXPECT_TRUE(anchors.contains(text.substr(text.find('#') + 1))) << text;
    }
    EXPECT_FALSE(
        std::regex_search(html, std::regex("<script|<style|style\\s*=|<link", std::regex::icase)));
}

}  // namespace
}  // namespace corvane
