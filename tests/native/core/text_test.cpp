#include <gtest/gtest.h>

#include "core/system.h"
#include "core/text.h"

namespace corvane {
namespace {

// That formatting never writes past its buffer is the text fuzzer's.
TEST(TextTest, CopiesAreCutOrWholeAndFormatsFillOnlyTheirOwnPlaces) {
    char16_t four[4];
    EXPECT_FALSE(copyText(four, u"abcdef"));
    EXPECT_EQ(textOf(four), u"abc");

    char16_t out[520];
    formatText(out, u"%s and %s, 100%%, %d", u"A");
    EXPECT_EQ(textOf(out), u"A and , 100%, %d") << "one argument; a second %s stays empty";

    const std::int64_t numbers[] = {300, 0, 4096, INT64_MIN};
    formatNumbers(u"Available Memory: %ldKB, %d%% %ld, %d", numbers, out);
    EXPECT_EQ(textOf(out), u"Available Memory: 300KB, 0% 4096, -9223372036854775808");
    EXPECT_EQ(formatNumbers(u"%d-%d", std::span(numbers, 1), out), 5);
    EXPECT_EQ(textOf(out), u"300-0") << "a missing number reads as 0";
}

// File names and registry text come as UTF-8 from outside: a sequence that is not well-formed
// must never turn into the character it seems to spell ("\xC0\xAE" is no ".").
TEST(TextTest, Utf8IsDecodedStrictlyAndItsFirstFaultFound) {
    constexpr auto kWell = std::string::npos;
    for (const auto& [text, at, decoded] :
         std::vector<std::tuple<std::string, std::size_t, std::u16string>>{
             {"a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", kWell, u"a\u00E9\u20AC\U0001F600"},
             {"\xEF\xBF\xBF\xF4\x8F\xBF\xBF", kWell, u"\uFFFF\U0010FFFF"},
             {"\xC0\xAE\xC0\xAE\xC0\xAF", 0, u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
             {"x\xE0\x80\xAF", 1, u"x\uFFFD\uFFFD\uFFFD"},  // overlong "/" in three bytes
             {"xy\xF0\x80\x80\xAF", 2, u"xy\uFFFD\uFFFD\uFFFD\uFFFD"},  // and in four
             {"\xED\xA0\x80", 0, u"\uFFFD\uFFFD\uFFFD"},                // a surrogate
             {"\xF4\x90\x80\x80", 0, u"\uFFFD\uFFFD\uFFFD\uFFFD"},      // past U+10FFFF
             {"\xF5\x80", 0, u"\uFFFD\uFFFD"},
             {"ok\xE2\x82", 2, u"ok\uFFFD"},  // cut off at the end: one for the whole part
             {"\xE2\x82z", 0, u"\uFFFDz"},    // or before another character
             {"\x80", 0, u"\uFFFD"},          // a stray continuation byte
         }) {
        EXPECT_EQ(invalidUtf8At(text), at) << text;
        EXPECT_EQ(fromUtf8(text), decoded) << text;
    }
}

// A drive's folder and a share's, with and without a closing backslash; characters an address
// cannot carry are escaped as UTF-8 bytes; a topic without an anchor names the file alone.
TEST(SystemTest, HelpPageAddresses) {
    EXPECT_EQ(helpPageUrl(u"C:\\Corvane", u"corvane.htm#profiles"),
              u"file:///C:/Corvane/corvane.htm?#profiles");
    EXPECT_EQ(helpPageUrl(u"Z:\\my tools\\Käse 100%\\", u"corvane.htm#impexp"),
              u"file:///Z:/my%20tools/K%C3%A4se%20100%25/corvane.htm?#impexp");
    EXPECT_EQ(helpPageUrl(u"\\\\server\\share", u"corvane.htm"),
              u"file://server/share/corvane.htm");
}

}  // namespace
}  // namespace corvane
