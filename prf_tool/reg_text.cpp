#include "prf_tool/reg_text.h"

#include <algorithm>
#include <string_view>

#include "core/registry.h"
#include "core/text.h"
#include "prf_tool/prf_texts.h"
#include "profiles/profile_store.h"

namespace corvane::prf {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";
// Where regedit breaks a line of hex data: lines stay within 80 characters.
constexpr std::size_t kHexLineChars = 77;
constexpr std::u16string_view kBlanks = u" \t";

std::u16string charsOf(std::span<const unsigned char> data) {
    std::u16string chars;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        chars.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    return chars;
}

bool isLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

bool fitsLine(std::u16string_view text) {
    return std::none_of(text.begin(), text.end(),
                        [](char16_t c) { return c == u'\0' || isLineBreak(c); });
}

std::u16string quoted(std::u16string_view text) {
    std::u16string out = u"\"";
    for (const char16_t c : text) {
        if (c == u'\\' || c == u'"') {
            out.push_back(u'\\');
        }
        out.push_back(c);
    }
    out.push_back(u'"');
    return out;
}

// The value's data after its "name"=, `line` holding that much already.
void appendData(std::u16string& line, const ProfileRecord& value) {
    if (value.valueType == regtype::kString) {
        if (const auto text = textOfData(value.data)) {
            line += quoted(*text);
            return;
        }
    }
    const std::vector<unsigned char>& data = value.data;
    if (value.valueType == regtype::kDword && data.size() == 4) {
        line += u"dword:";
        line += hex(data[0] | (data[1] << 8) | (data[2] << 16) |
                        (static_cast<std::uint32_t>(data[3]) << 24),
                    8);
        return;
    }
    if (value.valueType == regtype::kBinary) {
        line += u"hex:";
    } else {
        line += u"hex(";
        line += hex(value.valueType);
        line += u"):";
    }
    std::size_t width = line.size();
    for (std::size_t i = 0; i < data.size(); ++i) {
        line += hex(data[i], 2);
        if (i + 1 == data.size()) {
            break;
        }
        line += u',';
        width += 3;
        if (width >= kHexLineChars) {
            line += u'\\';
            line += kLineEnd;
            line += u"  ";
            width = 2;
        }
    }
}

std::u16string_view trimmed(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::u16string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if ((c | 0x20) >= u'a' && (c | 0x20) <= u'f') {
        return (c | 0x20) - u'a' + 10;
    }
    return -1;
}

// 1 to 8 hexadecimal digits and nothing else.
bool readHexNumber(std::u16string_view digits, std::uint32_t& number) {
    number = 0;
    for (const char16_t c : digits) {
        if (hexDigit(c) < 0) {
            return false;
        }
        number = (number << 4) | static_cast<std::uint32_t>(hexDigit(c));
    }
    return !digits.empty() && digits.size() <= 8;
}

// A quoted string at `at` with \\ and \" escaped; `at` moves past its closing quote.
bool readQuoted(std::u16string_view line, std::size_t& at, std::u16string& text) {
    if (at >= line.size() || line[at] != u'"') {
        return false;
    }
    for (++at; at < line.size();) {
        const char16_t c = line[at++];
        if (c == u'"') {
            return true;
        }
        if (c == u'\\') {
            if (at == line.size() || (line[at] != u'\\' && line[at] != u'"')) {
                return false;
            }
            text.push_back(line[at++]);
        } else {
            text.push_back(c);
        }
    }
    return false;
}

// Bytes of one or two hexadecimal digits separated by commas; none at all is no data.
bool readHexBytes(std::u16string_view text, std::vector<unsigned char>& bytes) {
    std::size_t at = 0;
    const auto skipBlanks = [&] {
        while (at < text.size() && kBlanks.find(text[at]) != std::u16string_view::npos) {
            ++at;
        }
    };
    skipBlanks();
    while (at < text.size()) {
        const std::size_t start = at;
        int byte = 0;
        while (at < text.size() && at - start < 2 && hexDigit(text[at]) >= 0) {
            byte = byte * 16 + hexDigit(text[at++]);
        }
        if (at == start) {
            return false;
        }
        bytes.push_back(static_cast<unsigned char>(byte));
        skipBlanks();
        if (at == text.size()) {
            return true;
        }
        if (text[at++] != u',') {
            return false;
        }
        skipBlanks();
        if (at == text.size()) {
            return false;  // a comma with no byte after it
        }
    }
    return true;
}

bool startsWithNoCase(std::u16string_view text, std::u16string_view start) {
    return text.size() >= start.size() && equalsNoCase(text.substr(0, start.size()), start);
}

// A value's data: a quoted string (REG_SZ), dword:, hex: (REG_BINARY) or hex(type):.
bool readData(std::u16string_view data, ProfileRecord& value) {
    if (data.starts_with(u'"')) {
        std::size_t at = 0;
        std::u16string text;
        if (!readQuoted(data, at, text) || at != data.size()) {
            return false;
        }
        value.valueType = regtype::kString;
        text.push_back(u'\0');
        for (const char16_t c : text) {
            value.data.push_back(static_cast<unsigned char>(c));
            value.data.push_back(static_cast<unsigned char>(c >> 8));
        }
        return true;
    }
    std::uint32_t number = 0;
    if (startsWithNoCase(data, u"dword:")) {
        if (!readHexNumber(data.substr(6), number)) {
            return false;
        }
        value.valueType = regtype::kDword;
        value.data = {static_cast<unsigned char>(number), static_cast<unsigned char>(number >> 8),
                      static_cast<unsigned char>(number >> 16),
                      static_cast<unsigned char>(number >> 24)};
        return true;
    }
    std::size_t at = 0;
    if (startsWithNoCase(data, u"hex:")) {
        value.valueType = regtype::kBinary;
        at = 4;
    } else if (startsWithNoCase(data, u"hex(")) {
        const std::size_t close = data.find(u"):");
        if (close == std::u16string_view::npos ||
            !readHexNumber(data.substr(4, close - 4), number)) {
            return false;
        }
        value.valueType = number;
        at = close + 2;
    } else {
        return false;
    }
    return readHexBytes(data.substr(at), value.data);
}

}  // namespace

std::optional<std::u16string> textOfData(std::span<const unsigned char> data) {
    std::u16string chars = charsOf(data);
    if (data.size() % 2 != 0 || chars.empty() || chars.back() != u'\0') {
        return std::nullopt;
    }
    chars.pop_back();
    return fitsLine(chars) ? std::optional(chars) : std::nullopt;
}

std::optional<std::vector<std::u16string>> entriesOfData(std::span<const unsigned char> data) {
    std::u16string chars = charsOf(data);
    if (data.size() % 2 != 0 || chars.empty() || chars.back() != u'\0') {
        return std::nullopt;
    }
    chars.pop_back();  // the list's own zero; each entry ends in one before it
    std::vector<std::u16string> entries;
    std::size_t start = 0;
    for (std::size_t end = 0; end < chars.size(); ++end) {
        if (chars[end] == u'\0') {
            entries.push_back(chars.substr(start, end - start));
            start = end + 1;
            if (!fitsLine(entries.back())) {
                return std::nullopt;
            }
        }
    }
    return start == chars.size() ? std::optional(entries) : std::nullopt;
}

const std::u16string* lineBreakName(const std::vector<StoredProfile>& profiles) {
    const auto hasBreak = [](const std::u16string& name) {
        return std::any_of(name.begin(), name.end(), isLineBreak);
    };
    for (const StoredProfile& profile : profiles) {
        if (hasBreak(profile.name)) {
            return &profile.name;
        }
        for (const ProfileRecord& value : profile.values) {
            if (hasBreak(value.name)) {
                return &value.name;
            }
        }
    }
    return nullptr;
}

std::vector<unsigned char> regTextOf(const std::vector<StoredProfile>& profiles) {
    std::u16string root(kRegRoot);
    root += u'\\';
    root += kProfilesKeyPath;
    std::u16string text(kRegHeader);
    text += kLineEnd;
    text += kLineEnd;
    text += u'[';
    text += root;
    text += u']';
    text += kLineEnd;
    text += kLineEnd;
    for (const StoredProfile& profile : profiles) {
        text += u'[';
        text += root;
        text += u'\\';
        text += profile.name;
        text += u']';
        text += kLineEnd;
        for (const ProfileRecord& value : profile.values) {
            std::u16string line = value.name.empty() ? u"@" : quoted(value.name);
            line += u'=';
            appendData(line, value);
            text += line;
            text += kLineEnd;
        }
        text += kLineEnd;
    }
    std::vector<unsigned char> bytes = {0xFF, 0xFE};
    for (const char16_t c : text) {
        bytes.push_back(static_cast<unsigned char>(c));
        bytes.push_back(static_cast<unsigned char>(c >> 8));
    }
    return bytes;
}

RegRead readRegText(std::span<const unsigned char> bytes) {
    std::u16string text;
    const bool utf16 = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
    std::size_t lineNotUtf8 = 0;  // from 1, when the text is not UTF-8
    if (utf16) {
        text = charsOf(bytes.subspan(2));
    } else {
        // UTF-8 or ASCII, with or without its byte-order mark.
        std::string_view utf8(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        if (utf8.starts_with("\xEF\xBB\xBF")) {
            utf8.remove_prefix(3);
        }
        if (const std::size_t bad = invalidUtf8At(utf8); bad != std::string_view::npos) {
            lineNotUtf8 =
                1 + static_cast<std::size_t>(std::count(utf8.begin(), utf8.begin() + bad, '\n'));
        }
        text = fromUtf8(utf8);
    }
    std::vector<std::u16string_view> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(text.find(u'\n', start), text.size());
        std::u16string_view line = std::u16string_view(text).substr(start, end - start);
        lines.push_back(line.ends_with(u'\r') ? line.substr(0, line.size() - 1) : line);
        if (end == text.size()) {
            break;
        }
        start = end + 1;
    }

    RegRead read;
    const auto refuse = [&](RegFault fault, std::size_t index) {
        read.fault = fault;
        read.line = static_cast<int>(index + 1);
        return read;
    };
    if (utf16 && bytes.size() % 2 != 0) {
        return refuse(RegFault::HalfCharacter, lines.size() - 1);
    }
    if (lineNotUtf8 > 0) {
        return refuse(RegFault::NotUtf8, lineNotUtf8 - 1);
    }
    if (trimmed(lines[0]) != kRegHeader) {
        return refuse(RegFault::NoHeader, 0);
    }
    std::u16string root(kRegRoot);
    root += u'\\';
    root += kProfilesKeyPath;
    bool inProfile = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::size_t first = i;
        std::u16string line(trimmed(lines[i]));
        if (line.empty() || line[0] == u';') {
            continue;
        }
        if (line[0] == u'[') {
            if (line.starts_with(u"[-")) {
                return refuse(RegFault::Deletion, first);
            }
            if (!line.ends_with(u']')) {
                return refuse(RegFault::Malformed, first);
            }
            const std::u16string_view key = std::u16string_view(line).substr(1, line.size() - 2);
            if (equalsNoCase(key, root)) {
                inProfile = false;
                continue;
            }
            if (key.size() <= root.size() + 1 || key[root.size()] != u'\\' ||
                !startsWithNoCase(key, root) ||
                key.find(u'\\', root.size() + 1) != std::u16string_view::npos) {
                return refuse(RegFault::KeyOutside, first);
            }
            const std::u16string_view name = key.substr(root.size() + 1);
            if (!fitsLine(name)) {
                return refuse(RegFault::Malformed, first);
            }
            if (!isProfileKeyName(name)) {
                return refuse(RegFault::NameTooLong, first);
            }
            read.profiles.push_back({std::u16string(name), {}});
            inProfile = true;
            continue;
        }
        // A value, its hex data perhaps continued on the lines after it.
        while (line.ends_with(u'\\') && i + 1 < lines.size()) {
            line.pop_back();
            line += trimmed(lines[++i]);
        }
        ProfileRecord value;
        value.type = kValueRecord;
        std::size_t at = line[0] == u'@' ? 1 : 0;
        if ((at == 0 && !readQuoted(line, at, value.name)) || !fitsLine(value.name) ||
            !std::u16string_view(line).substr(at).starts_with(u'=')) {
            return refuse(RegFault::Malformed, first);
        }
        const std::u16string_view data = trimmed(std::u16string_view(line).substr(at + 1));
        if (!inProfile) {
            return refuse(RegFault::ValueOutside, first);
        }
        if (data == u"-") {
            return refuse(RegFault::Deletion, first);
        }
        if (!readData(data, value)) {
            return refuse(RegFault::BadData, first);
        }
        if ((value.name.size() + 1) * 2 > kMaxNameBytes) {
            return refuse(RegFault::NameTooLong, first);
        }
        if (value.data.size() > kMaxDataBytes) {
            return refuse(RegFault::DataTooLong, first);
        }
        read.profiles.back().values.push_back(std::move(value));
    }
    if (read.profiles.empty()) {
        return refuse(RegFault::NoProfile, lines.size() - 1);
    }
    return read;
}

}  // namespace corvane::prf
