// The text rules of the dotted address control: the text form of an address, the value of a field
// and its range, the leading-zeros rule and the range message. The control's window behaviour is
// ip_address_control_win32.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace corvane {

inline constexpr int kAddressFields = 4;
inline constexpr int kFieldMaxChars = 3;
// A buffer that holds any address text "%d.%d.%d.%d", the zero included.
inline constexpr int kAddressTextChars = 16;

// True when `text` is a usable dotted address: four non-empty decimal parts of 0 to 255 (leading
// zeros accepted), never "0.0.0.0"; the empty text only with `allowBlank`.
bool isValidAddressText(std::u16string_view text, bool allowBlank);

// The address value of a valid address text (first part in the most significant byte); false,
// and 0, for empty or invalid text, which the control shows as blank.
bool parseAddressText(std::u16string_view text, std::uint32_t& address);

// "%d.%d.%d.%d" of the four bytes, most significant first; returns the characters written.
int formatAddress(std::uint32_t address, std::span<char16_t> buffer);

// One field as read from its edit (at most three characters).
struct FieldValue {
    bool blank = true;
    int value = 0;  // the leading decimal digits; 0 when the text does not start with one
};
FieldValue readFieldValue(std::u16string_view text);

struct FieldRange {
    std::uint8_t minValue = 0;
    std::uint8_t maxValue = 255;
};
// A blank field is in any range.
bool inRange(const FieldValue& field, const FieldRange& range);

// The leading-zeros rule: a field of one or two characters is right-aligned in three positions
// filled with "0". False (and `out` untouched) when the text is left alone.
bool padWithZeros(std::u16string_view text, std::span<char16_t, kFieldMaxChars + 1> out);

// The range message from its format: the value typed, then the field's minimum and maximum.
int formatRangeMessage(std::u16string_view format, const FieldValue& value, const FieldRange& range,
                       std::span<char16_t> buffer);

}  // namespace corvane
