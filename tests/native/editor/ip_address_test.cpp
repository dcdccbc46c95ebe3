#include "editor/ip_address.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace corvane {
namespace {

std::u16string formatted(std::uint32_t address) {
    char16_t buffer[kAddressTextChars];
    formatAddress(address, buffer);
    return buffer;
}

TEST(AddressText, ValidityRule) {
    EXPECT_FALSE(IsValidAddressText(nullptr, true));
    EXPECT_TRUE(IsValidAddressText(u"", true));
    EXPECT_FALSE(IsValidAddressText(u"", false));
    EXPECT_FALSE(IsValidAddressText(u"0.0.0.0", true));
    EXPECT_TRUE(IsValidAddressText(u"0.0.0.1", false));
    EXPECT_TRUE(IsValidAddressText(u"255.255.255.0", false));
    EXPECT_TRUE(IsValidAddressText(u"010.001.000.255", false));
    EXPECT_TRUE(IsValidAddressText(u"00000000000000000000010.1.1.1", false));
    for (const char16_t* bad :
         {u"10.1.2", u"1.2.3.4.5", u" 1.2.3.4", u"1.2.3.256", u"1..3.4", u"1.2.3.", u".1.2.3",
          u"1.2.3.4 ", u"1.2.3.-4", u"99999999999.1.1.1", u"a.b.c.d"}) {
        EXPECT_FALSE(IsValidAddressText(bad, true));
    }
    // Only the exact text "0.0.0.0" is refused as "no address".
    EXPECT_TRUE(IsValidAddressText(u"00.0.0.0", true));
}

TEST(AddressText, ParseAndFormat) {
    std::uint32_t address = 1;
    EXPECT_TRUE(parseAddressText(u"010.001.000.255", address));
    EXPECT_EQ(address, 0x0A0100FFu);
    EXPECT_EQ(formatted(address), u"10.1.0.255");
    EXPECT_TRUE(parseAddressText(u"192.168.1.20", address));
    EXPECT_EQ(address, 0xC0A80114u);
    for (const char16_t* blank :
         {u"", u"0.0.0.0", u"10.1.2", u"1.2.3.4.5", u" 1.2.3.4", u"1.2.3.256"}) {
        address = 7;
        EXPECT_FALSE(parseAddressText(blank, address));
        EXPECT_EQ(address, 0u);
    }
    EXPECT_EQ(formatted(0xFFFFFFFFu), u"255.255.255.255");
    EXPECT_EQ(formatted(0), u"0.0.0.0");
    // A short buffer is cut and terminated.
    char16_t small[6];
    EXPECT_EQ(formatAddress(0xC0A80114u, small), 5);
    EXPECT_EQ(std::u16string(small), u"192.1");
}

TEST(AddressFields, ValuesAndComposition) {
    EXPECT_TRUE(readFieldValue(u"").blank);
    EXPECT_EQ(readFieldValue(u"abc").value, 0);
    EXPECT_FALSE(readFieldValue(u"abc").blank);
    EXPECT_EQ(readFieldValue(u"12x").value, 12);
    EXPECT_EQ(readFieldValue(u"007").value, 7);

    const std::array<FieldRange, 4> ranges{};
    std::array<FieldValue, 4> fields{readFieldValue(u"10"), readFieldValue(u""),
                                     readFieldValue(u""), readFieldValue(u"1")};
    std::uint32_t address = 0;
    EXPECT_EQ(composeAddress(fields, ranges, address), 2);
    EXPECT_EQ(formatted(address), u"10.0.0.1");

    char16_t text[kAddressTextChars];
    EXPECT_EQ(formatFields(fields, text), 8);
    EXPECT_EQ(std::u16string(text), u"10.0.0.1");
    fields = {};
    EXPECT_EQ(composeAddress(fields, ranges, address), 0);
    EXPECT_EQ(formatFields(fields, text), 0);
    EXPECT_EQ(std::u16string(text), u"");
}

// A field left by a tap may hold 256 to 999: it must never spill into the byte before it.
TEST(AddressFields, OutOfRangeValueIsNeverFoldedIntoAByte) {
    const std::array<FieldRange, 4> ranges{};
    const std::array<FieldValue, 4> fields{readFieldValue(u"10"), readFieldValue(u"300"),
                                           readFieldValue(u"0"), readFieldValue(u"1")};
    std::uint32_t address = 99;
    EXPECT_EQ(composeAddress(fields, ranges, address), kAddressOutOfRange);
    EXPECT_EQ(address, 0u);
    char16_t text[kAddressTextChars];
    formatFields(fields, text);
    EXPECT_EQ(std::u16string(text), u"10.300.0.1");
    EXPECT_FALSE(IsValidAddressText(text, true));

    // A narrowed range refuses values below its minimum too.
    std::array<FieldRange, 4> narrow{};
    narrow[3] = {5, 20};
    const std::array<FieldValue, 4> low{readFieldValue(u"1"), readFieldValue(u"1"),
                                        readFieldValue(u"1"), readFieldValue(u"4")};
    EXPECT_EQ(composeAddress(low, narrow, address), kAddressOutOfRange);
    EXPECT_TRUE(inRange(readFieldValue(u""), narrow[3]));
}

TEST(AddressFields, LeadingZerosAndRangeMessage) {
    char16_t out[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_TRUE(padWithZeros(u"7", out));
    EXPECT_EQ(std::u16string(out), u"007");
    EXPECT_TRUE(padWithZeros(u"42", out));
    EXPECT_EQ(std::u16string(out), u"042");
    EXPECT_FALSE(padWithZeros(u"", out));
    EXPECT_FALSE(padWithZeros(u"123", out));

    char16_t message[128];
    const int numbers[] = {300, 0, 255};
    formatNumbers(u"%d is not a valid entry. Specify a value between %d and %d for this field.",
                  numbers, message);
    EXPECT_EQ(std::u16string(message),
              u"300 is not a valid entry. Specify a value between 0 and 255 for this field.");
    // Missing numbers read as 0; a short buffer is cut, never overrun.
    char16_t tiny[5];
    EXPECT_EQ(formatNumbers(u"%d-%d%%", std::span<const int>(numbers, 1), tiny), 4);
    EXPECT_EQ(std::u16string(tiny), u"300-");
    EXPECT_EQ(formatNumbers(u"%d", std::span<const int>(), message), 1);
    EXPECT_EQ(std::u16string(message), u"0");
}

}  // namespace
}  // namespace corvane
