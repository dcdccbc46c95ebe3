// The address control's text rules on values: address texts and the fields' values, ranges,
// padding and range message. What the keys and messages do to its real fields, and what its owner
// hears: the Windows tests.
#include "address_control/ip_address.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text.h"

namespace corvane {
namespace {

TEST(AddressText, ValidityParseAndFormat) {
    EXPECT_TRUE(isValidAddressText(u"", true) && !isValidAddressText(u"", false))
        << "blank only where an address may be left out";
    EXPECT_FALSE(isValidAddressText(u"0.0.0.0", true));
    EXPECT_TRUE(isValidAddressText(u"00.0.0.0", true)) << "only the exact text means no address";
    for (const char16_t* good : {u"0.0.0.1", u"010.001.000.255", u"0000000000000000010.1.1.1"}) {
        EXPECT_TRUE(isValidAddressText(good, false)) << toUtf8(good);
    }
    for (const char16_t* bad : {u"10.1.2", u"1.2.3.4.5", u" 1.2.3.4", u"1.2.3.256", u"1..3.4",
                                u"1.2.3.", u"1.2.3.4 ", u"1.2.3.-4", u"99999999999.1.1.1"}) {
        EXPECT_FALSE(isValidAddressText(bad, true)) << toUtf8(bad);
    }

    std::uint32_t address = 7;
    EXPECT_FALSE(parseAddressText(u"1.2.3.256", address));
    EXPECT_EQ(address, 0u) << "none from a text that is no address";
    EXPECT_TRUE(parseAddressText(u"010.001.000.255", address));
    EXPECT_EQ(address, 0x0A0100FFu);
    char16_t text[kAddressTextChars];
    formatAddress(address, text);
    EXPECT_EQ(std::u16string(text), u"10.1.0.255");
    char16_t small[6];
    EXPECT_EQ(formatAddress(0xC0A80114u, small), 5) << "cut and terminated";
    EXPECT_EQ(std::u16string(small), u"192.1");
}

// A field as its edit holds it, its range, its padding and the message when it is out of range.
TEST(AddressField, ValueRangePaddingAndMessage) {
    const auto value = [](std::u16string_view text) {
        const FieldValue field = readFieldValue(text);
        return std::pair(field.blank, field.value);
    };
    EXPECT_EQ(value(u""), std::pair(true, 0));
    EXPECT_EQ(value(u"abc"), std::pair(false, 0)) << "pasted text is no number, but no blank";
    EXPECT_EQ(value(u"12x"), std::pair(false, 12));

    const FieldRange range{5, 20};
    EXPECT_TRUE(inRange(readFieldValue(u""), range) && inRange(readFieldValue(u"20"), range));
    EXPECT_FALSE(inRange(readFieldValue(u"4"), range) || inRange(readFieldValue(u"300"), {}));

    char16_t padded[4] = u"xyz";
    EXPECT_FALSE(padWithZeros(u"", padded) || padWithZeros(u"123", padded));
    EXPECT_EQ(std::u16string(padded), u"xyz") << "empty and full fields are left alone";
    EXPECT_TRUE(padWithZeros(u"7", padded));
    EXPECT_EQ(std::u16string(padded), u"007");
    EXPECT_TRUE(padWithZeros(u"42", padded));
    EXPECT_EQ(std::u16string(padded), u"042");

    char16_t message[80];
    formatRangeMessage(u"%d is not within %d and %d.", readFieldValue(u"300"), range, message);
    EXPECT_EQ(std::u16string(message), u"300 is not within 5 and 20.");
}

}  // namespace
}  // namespace corvane
