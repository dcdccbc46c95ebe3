// What "corvane-prf show" prints: a profile file's header, its profiles and values decoded by
// type, and the import's verdict on it.
#pragma once

#include <string>

#include "profiles/profile_file.h"

namespace corvane::prf {

// The value's data as text: a string, a list of strings (control characters escaped), a number
// in decimal and hexadecimal, or hex bytes when the data does not fit its type.
std::u16string decodedData(const ProfileRecord& value);

// Where a check's fault is: the header or a record, and its byte offset.
std::u16string placeOf(const FileCheck& check);

// The header, every record read (up to the fault, when there is one; names escaped) and the
// verdict, always the last line.
std::u16string showText(const FileCheck& check);

}  // namespace corvane::prf
