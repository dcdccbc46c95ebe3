#include "address_control/ip_address.h"

#include "core/text.h"

namespace corvane {
namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

bool isValidAddressText(std::u16string_view text, bool allowBlank) {
    if (text.empty()) {
        return allowBlank;
    }
    if (text == u"0.0.0.0") {
        return false;
    }
    int parts = 0;
    int digits = 0;
    int value = 0;
    for (char16_t c : text) {
        if (c == u'.') {
            if (digits == 0) {
                return false;
            }
            ++parts;
            digits = 0;
            value = 0;
        } else if (isDigit(c)) {
            ++digits;
            value = value * 10 + (c - u'0');
            if (value > 255) {  // also keeps any run of leading zeros from overflowing
                return false;
            }
        } else {
            return false;
        }
    }
    return digits > 0 && parts + 1 == kAddressFields;
}

bool parseAddressText(std::u16string_view text, std::uint32_t& address) {
    address = 0;
    if (text.empty() || !isValidAddressText(text, true)) {
        return false;
    }
    std::uint32_t part = 0;
    for (char16_t c : text) {
        if (c == u'.') {
            address = (address << 8) | part;
            part = 0;
        } else {
            part = part * 10 + static_cast<std::uint32_t>(c - u'0');
        }
    }
    address = (address << 8) | part;
    return true;
}

int formatAddress(std::uint32_t address, std::span<char16_t> buffer) {
    const std::int64_t parts[] = {address >> 24, (address >> 16) & 0xFF, (address >> 8) & 0xFF,
                                  address & 0xFF};
    return formatNumbers(u"%d.%d.%d.%d", parts, buffer);
}

FieldValue readFieldValue(std::u16string_view text) {
    FieldValue field;
    if (text.empty()) {
        return field;
    }
    field.blank = false;
    for (std::size_t i = 0; i < text.size() && i < kFieldMaxChars && isDigit(text[i]); ++i) {
        field.value = field.value * 10 + (text[i] - u'0');
    }
    return field;
}

bool inRange(const FieldValue& field, const FieldRange& range) {
    return field.blank || (field.value >= range.minValue && field.value <= range.maxValue);
}

bool padWithZeros(std::u16string_view text, std::span<char16_t, kFieldMaxChars + 1> out) {
    if (text.empty() || text.size() >= kFieldMaxChars) {
        return false;
    }
    const std::size_t zeros = kFieldMaxChars - text.size();
    for (std::size_t i = 0; i < zeros; ++i) {
        out[i] = u'0';
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[zeros + i] = text[i];
    }
    out[kFieldMaxChars] = u'\0';
    return true;
}

int formatRangeMessage(std::u16string_view format, const FieldValue& value, const FieldRange& range,
                       std::span<char16_t> buffer) {
    const std::int64_t numbers[] = {value.value, range.minValue, range.maxValue};
    return formatNumbers(format, numbers, buffer);
}

}  // namespace corvane
