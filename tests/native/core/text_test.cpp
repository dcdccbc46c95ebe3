#include "core/text.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

TEST(TextTest, CopiesAndFormatsNeverWritePastTheBuffer) {
    char16_t four[4];
    EXPECT_FALSE(copyText(four, u"abcdef"));
    EXPECT_EQ(textOf(four), u"abc");
    EXPECT_FALSE(copyTextWhole(four, u"abcd")) << "whole or nothing";
    EXPECT_EQ(textOf(four), u"");
    EXPECT_TRUE(copyTextWhole(four, u"abc"));

    char16_t out[520];
    formatText(out, u"%s and %s, 100%%, %d", u"A");
    EXPECT_EQ(textOf(out), u"A and , 100%, %d") << "one argument; a second %s stays empty";
    EXPECT_EQ(formatText(out, u"<%s>", std::u16string(600, u'x')), 519);
    formatText(four, u"ab%s", u"cdef");
    EXPECT_EQ(textOf(four), u"abc");
    formatText(four, u"abcdef%", u"");
    EXPECT_EQ(textOf(four), u"abc");
}

}  // namespace
}  // namespace corvane
