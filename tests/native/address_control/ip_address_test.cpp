// The address control's text rules on values: address texts and the fields' values, ranges and
// padding. Its real fields, keys and messages: the Windows tests.
#include "address_control/ip_address.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text.h"

namespace corvane {
namespace {

TEST(AddressText, ValidityParseAndFormat) {
    EXPECT_TRUE(isValidAddressText(u"00.0.0.0", true)) << "only the exact text means no address";
    for (const char16_t* good : {u"0.0.0.1", u"010.001.000.255", u"0000000000000000010.1.1.1"}) {
        EXPECT_TRUE(isValidAddressText(good, false)) << toUtf8(good);
    }
    for (const char16_t* bad : {u"10.1.2", u"1.2.3.4.5", u" 1.2.3.4", u"1.2.3.256", u"1..3.4",
                                u"1.2.3.", u"1.2.3.4 ", u"1.2.3.-4", u"99999999999.1.1.1"}) {
        EXPECT_FALSE(isValidAddressText(bad, true)) << toUtf8(bad);
    }

    std::uint32_t address = 7;
    EXPECT_EQ((std::pair{parseAddressText(u"1.2.3.256", address), address}), std::pair(false, 0u));
    EXPECT_TRUE(parseAddressText(u"010.001.000.255", address));
    char16_t text[kAddressTextChars];
    formatAddress(address, text);
    EXPECT_EQ(std::pair(address, std::u16string(text)),
              std::pair(0x0A0100FFu, std::u16string(u"10.1.0.255")));
}

// A field as its edit holds it, its range and its padding.
TEST(AddressField, ValueRangeAndPadding) {
    const FieldValue letters = readFieldValue(u"abc"), digits = readFieldValue(u"12x");
    EXPECT_EQ(std::tuple(letters.blank, letters.value, digits.blank, digits.value),
              std::tuple(false, 0, false, 12))
        << "pasted text: not blank, its leading digits or 0";

    const FieldRange range{5, 20};
    EXPECT_TRUE(inRange(readFieldValue(u"5"), range) && inRange(readFieldValue(u"20"), range));

    char16_t padded[4] = u"xyz";
    EXPECT_FALSE(padWithZeros(u"", padded) || padWithZeros(u"123", padded));
    EXPECT_EQ(std::u16string(padded), u"xyz") << "empty and full fields are left alone";
    EXPECT_TRUE(padWithZeros(u"42", padded));
    EXPECT_EQ(std::u16string(padded), u"042");
}

}  // namespace
}  // namespace corvane
