// The address control's rules on values: address texts, where the keys take the caret, and what
// its IPM_ messages answer and change. What typing and the messages do to its real fields, and
// what its owner hears: the Windows tests.
#include "address_control/ip_address.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/text.h"

namespace corvane {
namespace {

TEST(AddressText, ValidityParseAndFormat) {
    EXPECT_TRUE(IsValidAddressText(u"", true) && !IsValidAddressText(u"", false))
        << "blank only where an address may be left out";
    EXPECT_FALSE(IsValidAddressText(u"0.0.0.0", true));
    EXPECT_TRUE(IsValidAddressText(u"00.0.0.0", true)) << "only the exact text means no address";
    for (const char16_t* good : {u"0.0.0.1", u"010.001.000.255", u"0000000000000000010.1.1.1"}) {
        EXPECT_TRUE(IsValidAddressText(good, false)) << toUtf8(good);
    }
    for (const char16_t* bad : {u"10.1.2", u"1.2.3.4.5", u" 1.2.3.4", u"1.2.3.256", u"1..3.4",
                                u"1.2.3.", u"1.2.3.4 ", u"1.2.3.-4", u"99999999999.1.1.1"}) {
        EXPECT_FALSE(IsValidAddressText(bad, true)) << toUtf8(bad);
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

// The keys whose every case is not already walked through real fields.
TEST(AddressKeys, MovesBetweenFields) {
    using K = FieldActionKind;
    // Ctrl+arrows select the whole field they reach.
    EXPECT_EQ(decideKeyDown(kKeyRight, true, 0, {0, 0, 2}), (FieldAction{K::Move, 1, 0, 3}));
    EXPECT_EQ(decideKeyDown(kKeyLeft, true, 3, {0, 0, 1}), (FieldAction{K::Move, 2, 0, 3}));
    // Plain arrows cross only from the end, or the start, of a field, and never out of the last.
    EXPECT_EQ(decideKeyDown(kKeyDown, false, 0, {2, 2, 2}), (FieldAction{K::Move, 1, 0, 0}));
    EXPECT_EQ(decideKeyDown(kKeyUp, false, 1, {0, 0, 2}), (FieldAction{K::Move, 0, 3, 3}));
    EXPECT_EQ(decideKeyDown(kKeyLeft, false, 0, {2, 2, 2}),
              (FieldAction{K::PassKey, 0, 0, 0, kKeyLeft}));
    EXPECT_EQ(decideKeyDown(kKeyRight, false, 3, {1, 1, 1}),
              (FieldAction{K::PassKey, 0, 0, 0, kKeyRight}));
    EXPECT_EQ(decideKeyDown(kKeyHome, false, 2, {1, 1, 2}), (FieldAction{K::Move, 0, 0, 0}));
    EXPECT_EQ(decideKeyDown(kKeyEnd, false, 0, {0, 0, 2}), (FieldAction{K::Move, 3, 3, 3}));
    EXPECT_EQ(decideAfterDigit(1, {2, 2, 3}), (FieldAction{}))
        << "a third digit typed before the end checks nothing";
}

// Four fields from their texts between dots ("10..5."), field 3 with `lastRange`.
AddressFields fieldsOf(std::u16string_view dotted, FieldRange lastRange = {}) {
    AddressFields fields;
    for (std::size_t k = 0; k < kAddressFields; ++k) {
        const std::size_t dot = std::min(dotted.find(u'.'), dotted.size());
        fields.values[k] = readFieldValue(dotted.substr(0, dot));
        fields.empty[k] = dot == 0;
        dotted.remove_prefix(std::min(dot + 1, dotted.size()));
    }
    fields.ranges[3] = lastRange;
    return fields;
}

TEST(AddressMessages, AnswersAndChanges) {
    // A field a tap left at 256 to 999 must never spill into the byte before it.
    using Get = std::tuple<const char16_t*, FieldRange, std::intptr_t, std::uint32_t>;
    for (const auto& [dotted, last, count, address] :
         {Get{u"10...1", {}, 2, 0x0A000001},  // blanks count as 0
          Get{u"0.0.0.255", {}, 4, 0x000000FF}, Get{u"10.300.0.1", {}, kAddressOutOfRange, 0},
          Get{u"1.1.1.4", {5, 20}, kAddressOutOfRange, 0},
          Get{u"1.1.1.", {5, 20}, 3, 0x01010100}}) {
        const AddressReply reply =
            answerAddressMessage(IPM_GETADDRESS, 0, 0, fieldsOf(dotted, last));
        EXPECT_EQ(std::tuple(reply.writeAddress, reply.result, reply.address),
                  std::tuple(true, count, address))
            << toUtf8(dotted);
    }
    EXPECT_EQ(answerAddressMessage(IPM_ISBLANK, 0, 0, fieldsOf(u"..5.")).result, 0);
    const AddressReply focus = answerAddressMessage(IPM_SETFOCUS, 4, 0, fieldsOf(u"10..5."));
    EXPECT_EQ(std::tuple(focus.result, focus.focusField), std::tuple(1, 1)) << "the first blank";
    EXPECT_EQ(answerAddressMessage(IPM_SETFOCUS, 9, 0, fieldsOf(u"1.2.3.4")).focusField, 0);
    EXPECT_EQ(answerAddressMessage(IPM_SETRANGE, 4, 1, {}).rangeField, -1) << "no fifth field";
    EXPECT_EQ(answerAddressMessage(IPM_SETADDRESS, 0, 0xC0A80114, {}).result, 1);
    EXPECT_EQ(answerAddressMessage(IPM_CLEARADDRESS, 0, 0, {}).result, 1);
}

}  // namespace
}  // namespace corvane
