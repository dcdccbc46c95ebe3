#include "prf_tool/prf_texts.h"

#include <string>

#include "core/text.h"

namespace corvane::prf {

std::u16string_view reasonOf(FileFault fault) {
    switch (fault) {
        case FileFault::None:
            return u"none";
        case FileFault::NotProfileFile:
            return u"not a profile file (20 header bytes: magic 0x99090001, header size 20)";
        case FileFault::NoProfile:
            return u"the header counts no profile";
        case FileFault::CountTooLarge:
            return u"the header counts more profiles than the file has room for (10 bytes each)";
        case FileFault::CutOff:
            return u"the file ends inside the record";
        case FileFault::UnknownType:
            return u"a record type other than 1 (profile) and 2 (value)";
        case FileFault::NameSize:
            return u"a name size below 2, odd or over 520 bytes";
        case FileFault::NameEnd:
            return u"a name that does not end in a zero character";
        case FileFault::ZeroInName:
            return u"a zero character inside the name";
        case FileFault::DataSize:
            return u"data over 512 bytes";
        case FileFault::ValueFirst:
            return u"a value before any profile";
        case FileFault::NotKeyName:
            return u"a profile name that is empty, holds a backslash or is over 255 characters";
        case FileFault::FewerProfiles:
            return u"the file ends before the profiles its header counts";
    }
    return u"";
}

std::u16string_view reasonOf(RegFault fault) {
    switch (fault) {
        case RegFault::None:
            return u"none";
        case RegFault::HalfCharacter:
            return u"the text ends in half a character";
        case RegFault::NotUtf8:
            return u"text that is neither UTF-16 with its byte-order mark nor valid UTF-8";
        case RegFault::NoHeader:
            return u"the first line is not \"Windows Registry Editor Version 5.00\"";
        case RegFault::KeyOutside:
            return u"a key other than the Profiles key and the profiles right below it";
        case RegFault::Deletion:
            return u"a deletion, which a profile file cannot hold";
        case RegFault::ValueOutside:
            return u"a value outside a profile's key";
        case RegFault::Malformed:
            return u"not a key, a value, a comment or a blank line";
        case RegFault::BadData:
            return u"value data that is not a quoted string, dword: or hex:";
        case RegFault::NameTooLong:
            return u"a name over 255 characters (a profile) or 259 (a value)";
        case RegFault::DataTooLong:
            return u"data over 512 bytes";
        case RegFault::NoProfile:
            return u"no profile in the text";
    }
    return u"";
}

std::u16string typeName(std::uint32_t type) {
    static constexpr std::u16string_view kNames[] = {u"REG_NONE",
                                                     u"REG_SZ",
                                                     u"REG_EXPAND_SZ",
                                                     u"REG_BINARY",
                                                     u"REG_DWORD",
                                                     u"REG_DWORD_BIG_ENDIAN",
                                                     u"REG_LINK",
                                                     u"REG_MULTI_SZ",
                                                     u"REG_RESOURCE_LIST",
                                                     u"REG_FULL_RESOURCE_DESCRIPTOR",
                                                     u"REG_RESOURCE_REQUIREMENTS_LIST",
                                                     u"REG_QWORD"};
    return type < std::size(kNames) ? std::u16string(kNames[type])
                                    : fill(kShowTypeNumber, {decimal(type)});
}

std::u16string escaped(std::u16string_view text) {
    std::u16string out;
    for (const char16_t c : text) {
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            out += u"\\x";
            out += hex(c, 2);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::u16string fill(std::u16string_view format, std::initializer_list<std::u16string_view> args) {
    std::u16string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format.substr(i, 2) == u"{}" && next != args.end()) {
            out += *next++;
            ++i;
        } else {
            out.push_back(format[i]);
        }
    }
    return out;
}

std::u16string hex(std::uint32_t number, int digits) {
    std::u16string out;
    for (int shift = 28; shift >= 0; shift -= 4) {
        const unsigned digit = (number >> shift) & 0xF;
        if (digit != 0 || !out.empty() || shift < digits * 4) {
            out.push_back(u"0123456789abcdef"[digit]);
        }
    }
    return out;
}

}  // namespace corvane::prf
