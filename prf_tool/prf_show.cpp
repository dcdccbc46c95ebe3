#include "prf_tool/prf_show.h"

#include "core/registry.h"
#include "core/text.h"
#include "prf_tool/prf_texts.h"
#include "prf_tool/reg_text.h"

namespace corvane::prf {
namespace {

constexpr std::size_t kHexPerLine = 16;
constexpr std::uint32_t kExpandString = 2;  // REG_EXPAND_SZ

std::u16string hexBytes(const std::vector<unsigned char>& data) {
    if (data.empty()) {
        return std::u16string(kShowNoData);
    }
    std::u16string text;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i > 0) {
            text += i % kHexPerLine == 0 ? kShowHexBreak : u" ";
        }
        text += hex(data[i], 2);
    }
    return text;
}

std::u16string quotedText(std::u16string_view text) {
    std::u16string out = u"\"";
    out += escaped(text);
    out += u'"';
    return out;
}

}  // namespace

std::u16string decodedData(const ProfileRecord& value) {
    const std::vector<unsigned char>& data = value.data;
    if (equalsNoCase(value.name, u"Password") && data.size() > 2) {
        return std::u16string(kShowHidden);
    }
    if (value.valueType == regtype::kString || value.valueType == kExpandString) {
        if (const auto text = textOfData(data)) {
            return quotedText(*text);
        }
    }
    if (value.valueType == regtype::kMultiString) {
        if (const auto entries = entriesOfData(data)) {
            std::u16string list = u"[";
            for (const std::u16string& entry : *entries) {
                list += list.size() > 1 ? u", " : u"";
                list += quotedText(entry);
            }
            list += u']';
            return list;
        }
    }
    if (value.valueType == regtype::kDword && data.size() == 4) {
        const std::uint32_t number = data[0] | (data[1] << 8) | (data[2] << 16) |
                                     (static_cast<std::uint32_t>(data[3]) << 24);
        return fill(kShowDword, {decimal(number), hex(number, 8)});
    }
    return hexBytes(data);
}

std::u16string placeOf(const FileCheck& check) {
    return check.record < 0 ? fill(kAtHeader, {decimal(static_cast<std::int64_t>(check.offset))})
                            : fill(kAtRecord, {decimal(check.record),
                                               decimal(static_cast<std::int64_t>(check.offset))});
}

std::u16string showText(const FileCheck& check) {
    std::u16string text = fill(kShowHeader, {hex(check.header.magic, 8), decimal(check.header.size),
                                             decimal(check.header.count)});
    std::int64_t record = 0;
    for (const StoredProfile& profile : check.profiles) {
        text += fill(kShowProfile, {decimal(record++), escaped(profile.name)});
        for (const ProfileRecord& value : profile.values) {
            text +=
                fill(kShowValue,
                     {decimal(record++), escaped(value.name), typeName(value.valueType),
                      decimal(static_cast<std::int64_t>(value.data.size())), decodedData(value)});
        }
    }
    text += check.fault == FileFault::None
                ? fill(kValid, {decimal(static_cast<std::int64_t>(check.profiles.size()))})
                : fill(kInvalid, {placeOf(check), reasonOf(check.fault)});
    return text;
}

}  // namespace corvane::prf
