#include "address_control/ip_address.h"

#include <array>

#include "core/text.h"

namespace corvane {
namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int composeAddress(const AddressFields& fields, std::uint32_t& address) {
    address = 0;
    int count = 0;
    std::uint32_t composed = 0;
    for (std::size_t i = 0; i < kAddressFields; ++i) {
        const FieldValue& field = fields.values[i];
        if (!inRange(field, fields.ranges[i]) || field.value > 255) {
            return kAddressOutOfRange;
        }
        composed = (composed << 8) | static_cast<std::uint32_t>(field.blank ? 0 : field.value);
        count += field.blank ? 0 : 1;
    }
    address = composed;
    return count;
}

int focusTarget(std::uintptr_t index, const std::array<bool, kAddressFields>& empty) {
    if (index < kAddressFields) {
        return static_cast<int>(index);
    }
    for (int i = 0; i < kAddressFields; ++i) {
        if (empty[static_cast<std::size_t>(i)]) {
            return i;
        }
    }
    return 0;
}

}  // namespace

bool IsValidAddressText(std::u16string_view text, bool allowBlank) {
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
    if (text.empty() || !IsValidAddressText(text, true)) {
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

int formatFields(std::span<const FieldValue, kAddressFields> fields, std::span<char16_t> buffer) {
    std::array<std::int64_t, kAddressFields> parts{};
    bool allBlank = true;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        parts[i] = fields[i].blank ? 0 : fields[i].value;
        allBlank = allBlank && fields[i].blank;
    }
    return formatNumbers(allBlank ? u"" : u"%d.%d.%d.%d", parts, buffer);
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

FieldAction decideChar(char16_t ch, int field, const FieldCaret& caret) {
    const bool atStart = caret.nothingSelected() && caret.start == 0;
    if (isDigit(ch)) {
        return {FieldActionKind::Digit};
    }
    if (ch == u'.' || ch == u' ') {
        if (atStart || !caret.nothingSelected()) {
            return {FieldActionKind::Ignore};
        }
        if (field == kAddressFields - 1) {
            return {FieldActionKind::CheckThenBeep};
        }
        return {FieldActionKind::Move, field + 1, 0, kFieldMaxChars};
    }
    if (ch == 8) {
        if (field > 0 && atStart) {
            return {FieldActionKind::MoveAndDelete, field - 1, kFieldMaxChars, kFieldMaxChars};
        }
        return {FieldActionKind::Pass};
    }
    if (ch > 0x20) {
        return {FieldActionKind::Beep};
    }
    // Control characters (the clipboard keys among them) belong to the edit.
    return {FieldActionKind::Pass};
}

FieldAction decideKeyDown(int key, bool ctrl, int field, const FieldCaret& caret) {
    const int last = kAddressFields - 1;
    switch (key) {
        case kKeyEnd:
            if (field < last) {
                return {FieldActionKind::Move, last, kFieldMaxChars, kFieldMaxChars};
            }
            return {FieldActionKind::Pass};
        case kKeyHome:
            if (field > 0) {
                return {FieldActionKind::Move, 0, 0, 0};
            }
            return {FieldActionKind::Pass};
        case kKeyLeft:
        case kKeyUp:
            if (ctrl) {
                if (field > 0) {
                    return {FieldActionKind::Move, field - 1, 0, kFieldMaxChars};
                }
                return {FieldActionKind::Pass};
            }
            if (caret.nothingSelected() && caret.start == 0 && field > 0) {
                return {FieldActionKind::Move, field - 1, kFieldMaxChars, kFieldMaxChars};
            }
            return {FieldActionKind::PassKey, 0, 0, 0, kKeyLeft};
        case kKeyRight:
        case kKeyDown:
            if (ctrl) {
                if (field < last) {
                    return {FieldActionKind::Move, field + 1, 0, kFieldMaxChars};
                }
                return {FieldActionKind::Pass};
            }
            if (caret.nothingSelected() && field < last && caret.start >= caret.length) {
                return {FieldActionKind::Move, field + 1, 0, 0};
            }
            return {FieldActionKind::PassKey, 0, 0, 0, kKeyRight};
        default:
            return {FieldActionKind::Pass};
    }
}

FieldAction decideAfterDigit(int field, const FieldCaret& caretAfter) {
    if (!caretAfter.nothingSelected() || caretAfter.start != kFieldMaxChars) {
        return {FieldActionKind::Pass};
    }
    if (field == kAddressFields - 1) {
        return {FieldActionKind::Check};
    }
    return {FieldActionKind::Move, field + 1, 0, kFieldMaxChars};
}

int formatRangeMessage(std::u16string_view format, const FieldValue& value, const FieldRange& range,
                       std::span<char16_t> buffer) {
    const std::int64_t numbers[] = {value.value, range.minValue, range.maxValue};
    return formatNumbers(format, numbers, buffer);
}

AddressReply answerAddressMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam, const AddressFields& fields) {
    AddressReply reply;
    reply.result = 1;
    switch (message) {
        case IPM_CLEARADDRESS:
            reply.setTexts = true;
            break;
        case IPM_SETADDRESS:
            reply.setTexts = true;
            for (std::size_t k = 0; k < kAddressFields; ++k) {
                const std::int64_t byte =
                    (static_cast<std::uint32_t>(lParam) >> (8 * (3 - k))) & 0xFF;
                formatNumbers(u"%d", std::span(&byte, 1), reply.texts[k]);
            }
            break;
        case IPM_GETADDRESS:
            reply.writeAddress = true;
            reply.result = composeAddress(fields, reply.address);
            break;
        case IPM_SETRANGE:
            if (wParam < kAddressFields) {
                reply.rangeField = static_cast<int>(wParam);
                reply.range = {static_cast<std::uint8_t>(lParam & 0xFF),
                               static_cast<std::uint8_t>((lParam >> 8) & 0xFF)};
            }
            break;
        case IPM_SETFOCUS:
            reply.focusField = focusTarget(wParam, fields.empty);
            break;
        case IPM_ISBLANK:
            for (const bool empty : fields.empty) {
                if (!empty) {
                    reply.result = 0;
                }
            }
            break;
        default:
            reply.result = 0;
            break;
    }
    return reply;
}

OwnerNote noteFocus(bool gained, bool focusInFields, bool inRangeMessage, bool& hasFocus) {
    if (gained) {
        if (hasFocus) {
            return OwnerNote::None;
        }
        hasFocus = true;
        return OwnerNote::SetFocus;
    }
    if (inRangeMessage || focusInFields) {
        return OwnerNote::None;
    }
    hasFocus = false;
    return OwnerNote::KillFocus;
}

}  // namespace corvane
