// Registry text as regedit writes and imports it (UTF-16LE after a byte-order mark, CRLF lines):
// the profiles as keys right below the store's Profiles key, every value with its type and bytes.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/profile_file.h"

namespace corvane::prf {

// The text's first line, and the root key above the Profiles key.
inline constexpr std::u16string_view kRegHeader = u"Windows Registry Editor Version 5.00";
inline constexpr std::u16string_view kRegRoot = u"HKEY_CURRENT_USER";

// Why registry text is refused.
enum class RegFault {
    None,
    HalfCharacter,
    NotUtf8,
    NoHeader,
    KeyOutside,
    Deletion,
    ValueOutside,
    Malformed,
    BadData,
    NameTooLong,
    DataTooLong,
    NoProfile,
};

// REG_SZ data as a quoted string gives it back byte for byte: whole characters, one zero at the
// end and none before, and no line break. The characters without the zero, or none.
std::optional<std::u16string> textOfData(std::span<const unsigned char> data);

// REG_MULTI_SZ data as its entries, when it is entries that each fit textOfData (empty ones
// too) and a closing zero (a lone zero for an empty list).
std::optional<std::vector<std::u16string>> entriesOfData(std::span<const unsigned char> data);

// The first profile or value name with a line break, which no line of registry text can hold.
const std::u16string* lineBreakName(const std::vector<StoredProfile>& profiles);

// The text's bytes: the header line, the Profiles key, then each profile's key and values in
// their order. A REG_SZ that textOfData takes is a string, a 4-byte REG_DWORD "dword:", any
// other value "hex:" (REG_BINARY) or "hex(type):" in lines of 80 characters at most.
std::vector<unsigned char> regTextOf(const std::vector<StoredProfile>& profiles);

// The profiles of registry text that regTextOf could have written, or the first line it cannot
// take and why: keys other than the Profiles key (empty) and the profiles right below it,
// deletions, malformed lines and names or data over the profile file's limits.
struct RegRead {
    std::vector<StoredProfile> profiles;
    RegFault fault = RegFault::None;
    int line = 0;
};
RegRead readRegText(std::span<const unsigned char> bytes);

}  // namespace corvane::prf
