// The address text rules the pages validate with. The control's keys, fields, padding and
// IPM_ messages are proven through real fields in the Windows tests.
#include "address_control/ip_address.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/text.h"

namespace corvane {
namespace {

TEST(AddressText, ValidityParseAndFormat) {
    EXPECT_TRUE(IsValidAddressText(u"", true));
    EXPECT_FALSE(IsValidAddressText(u"", false));
    EXPECT_FALSE(IsValidAddressText(u"0.0.0.0", true));
    EXPECT_TRUE(IsValidAddressText(u"00.0.0.0", true)) << "only the exact text means no address";
    for (const char16_t* good : {u"0.0.0.1", u"010.001.000.255", u"0000000000000000010.1.1.1"}) {
        EXPECT_TRUE(IsValidAddressText(good, false)) << toUtf8(good);
    }
    for (const char16_t* bad : {u"10.1.2", u"1.2.3.4.5", u" 1.2.3.4", u"1.2.3.256", u"1..3.4",
                                u"1.2.3.", u"1.2.3.4 ", u"1.2.3.-4", u"99999999999.1.1.1"}) {
        EXPECT_FALSE(IsValidAddressText(bad, true)) << toUtf8(bad);
        std::uint32_t address = 7;
        EXPECT_FALSE(parseAddressText(bad, address));
        EXPECT_EQ(address, 0u);
    }

    std::uint32_t address = 1;
    EXPECT_TRUE(parseAddressText(u"010.001.000.255", address));
    EXPECT_EQ(address, 0x0A0100FFu);
    char16_t text[kAddressTextChars];
    formatAddress(address, text);
    EXPECT_EQ(std::u16string(text), u"10.1.0.255");
    char16_t small[6];
    EXPECT_EQ(formatAddress(0xC0A80114u, small), 5) << "cut and terminated";
    EXPECT_EQ(std::u16string(small), u"192.1");
}

// A field a tap left at 256 to 999 must never spill into the byte before it.
TEST(AddressFields, OutOfRangeValueIsNeverFoldedIntoAByte) {
    const std::array<FieldRange, 4> ranges{};
    const std::array<FieldValue, 4> fields{readFieldValue(u"10"), readFieldValue(u"300"),
                                           readFieldValue(u"0"), readFieldValue(u"1")};
    std::uint32_t address = 99;
    EXPECT_EQ(composeAddress(fields, ranges, address), kAddressOutOfRange);
    EXPECT_EQ(address, 0u);

    std::array<FieldRange, 4> narrow{};
    narrow[3] = {5, 20};
    const std::array<FieldValue, 4> low{readFieldValue(u"1"), readFieldValue(u"1"),
                                        readFieldValue(u"1"), readFieldValue(u"4")};
    EXPECT_EQ(composeAddress(low, narrow, address), kAddressOutOfRange) << "below the minimum";
    EXPECT_TRUE(inRange(readFieldValue(u""), narrow[3]));
}

}  // namespace
}  // namespace corvane
