#include "core/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace corvane {
namespace {

// That formatting never writes past its buffer is the text fuzzer's.
TEST(TextTest, CopiesAreCutOrWholeAndFormatsFillOnlyTheirOwnPlaces) {
    char16_t four[4];
    EXPECT_FALSE(copyText(four, u"abcdef"));
    EXPECT_EQ(textOf(four), u"abc");
    EXPECT_FALSE(copyTextWhole(four, u"abcd")) << "whole or nothing";
    EXPECT_EQ(textOf(four), u"");

    char16_t out[520];
    formatText(out, u"%s and %s, 100%%, %d", u"A");
    EXPECT_EQ(textOf(out), u"A and , 100%, %d") << "one argument; a second %s stays empty";

    const std::int64_t numbers[] = {300, 0, 4096, INT64_MIN};
    formatNumbers(u"Available Memory: %ldKB, %d%% %ld, %d", numbers, out);
    EXPECT_EQ(textOf(out), u"Available Memory: 300KB, 0% 4096, -9223372036854775808");
    EXPECT_EQ(formatNumbers(u"%d-%d", std::span(numbers, 1), out), 5);
    EXPECT_EQ(textOf(out), u"300-0") << "a missing number reads as 0";
}

}  // namespace
}  // namespace corvane
