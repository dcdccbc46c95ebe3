#include "core/text.h"

#include <algorithm>

namespace corvane {

std::u16string_view textOf(std::span<const char16_t> buffer) {
    const auto end = std::find(buffer.begin(), buffer.end(), u'\0');
    return std::u16string_view(buffer.data(), static_cast<std::size_t>(end - buffer.begin()));
}

bool copyText(std::span<char16_t> destination, std::u16string_view source) {
    if (destination.empty()) {
        return source.empty();
    }
    const std::size_t count = std::min(source.size(), destination.size() - 1);
    std::copy_n(source.begin(), count, destination.begin());
    destination[count] = u'\0';
    return count == source.size();
}

bool copyTextWhole(std::span<char16_t> destination, std::u16string_view source) {
    if (source.size() >= destination.size()) {
        copyText(destination, u"");
        return false;
    }
    return copyText(destination, source);
}

namespace {

// Appends what fits of `text` at `length`, leaving room for the zero.
void append(std::span<char16_t> out, std::size_t& length, std::u16string_view text) {
    const std::size_t room = out.size() - 1 - length;
    const std::size_t count = std::min(room, text.size());
    std::copy_n(text.begin(), count, out.begin() + static_cast<std::ptrdiff_t>(length));
    length += count;
}

char16_t foldCase(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}
}  // namespace

int formatText(std::span<char16_t> out, std::u16string_view format, std::u16string_view argument) {
    if (out.empty()) {
        return 0;
    }
    std::size_t length = 0;
    bool argumentUsed = false;
    for (std::size_t i = 0; i < format.size() && length + 1 < out.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size() &&
            (format[i + 1] == u's' || format[i + 1] == u'%')) {
            if (format[i + 1] == u'%') {
                append(out, length, u"%");
            } else if (!argumentUsed) {
                append(out, length, argument);
                argumentUsed = true;
            }
            ++i;
            continue;
        }
        append(out, length, format.substr(i, 1));
    }
    out[length] = u'\0';
    return static_cast<int>(length);
}

int formatNumbers(std::u16string_view format, std::span<const std::int64_t> numbers,
                  std::span<char16_t> out) {
    if (out.empty()) {
        return 0;
    }
    std::size_t length = 0;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size() && length + 1 < out.size(); ++i) {
        const std::u16string_view rest = format.substr(i);
        const std::size_t placeholder = rest.starts_with(u"%d")    ? 2
                                        : rest.starts_with(u"%ld") ? 3
                                                                   : 0;
        if (placeholder > 0) {
            const std::int64_t number = next < numbers.size() ? numbers[next] : 0;
            ++next;
            // Digits from the last, on the negative side so that the smallest number needs no
            // case of its own.
            char16_t digits[20];
            std::size_t count = 0;
            for (std::int64_t left = number < 0 ? number : -number; count == 0 || left != 0;
                 left /= 10) {
                digits[count++] = static_cast<char16_t>(u'0' - left % 10);
            }
            if (number < 0) {
                append(out, length, u"-");
            }
            while (count > 0) {
                append(out, length, std::u16string_view(&digits[--count], 1));
            }
            i += placeholder - 1;
        } else {
            append(out, length, rest.starts_with(u"%%") ? u"%" : rest.substr(0, 1));
            i += rest.starts_with(u"%%") ? 1 : 0;
        }
    }
    out[length] = u'\0';
    return static_cast<int>(length);
}

bool equalsNoCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return foldCase(x) == foldCase(y); });
}

std::u16string decimal(std::int64_t number) {
    char16_t text[24] = {};
    formatNumbers(u"%d", std::span(&number, 1), text);
    return std::u16string(textOf(text));
}

std::u16string caseFolded(std::u16string_view text) {
    std::u16string out(text);
    std::transform(out.begin(), out.end(), out.begin(), foldCase);
    return out;
}

namespace {

struct Utf8Sequence {
    char32_t codePoint = 0xFFFD;
    std::size_t length = 1;  // the bytes it takes, or the ill-formed part to skip
    bool valid = false;
};

// The sequence at `at`, by the table of well-formed UTF-8: each lead byte allows its own range
// for the second byte, which shuts out overlong forms, surrogates and code points past U+10FFFF.
Utf8Sequence utf8SequenceAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return {lead, 1, true};
    }
    std::size_t extra = 0;
    char32_t codePoint = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        codePoint = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        codePoint = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {};
    }
    for (std::size_t k = 1; k <= extra; ++k) {
        if (at + k >= text.size() || byte(k) < low || byte(k) > high) {
            return {0xFFFD, k, false};
        }
        codePoint = (codePoint << 6) | (byte(k) & 0x3Fu);
        low = 0x80;
        high = 0xBF;
    }
    return {codePoint, extra + 1, true};
}

}  // namespace

std::u16string fromUtf8(std::string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Sequence sequence = utf8SequenceAt(text, i);
        i += sequence.length;
        char32_t cp = sequence.codePoint;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::size_t invalidUtf8At(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Sequence sequence = utf8SequenceAt(text, i);
        if (!sequence.valid) {
            return i;
        }
        i += sequence.length;
    }
    return std::string_view::npos;
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

}  // namespace corvane
