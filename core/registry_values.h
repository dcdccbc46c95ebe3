// Values read whole, whatever their size, and changes written whole or not at all: before a value
// is replaced its old state is kept, and when a later write fails everything is put back.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/registry.h"

namespace corvane {

// A value as the registry holds it: its name, type and exact bytes.
struct RegValue {
    std::u16string name;
    std::uint32_t type = 0;
    std::vector<unsigned char> data;

    bool operator==(const RegValue&) const = default;
};

// The value `name` of the open key, whole: 0 and the value, 2 when it is missing, or the failure.
long readValue(Registry& registry, KeyHandle key, std::u16string_view name, RegValue& value);
// Every value of the open key, whole, in the registry's order; false when one cannot be read.
bool readValues(Registry& registry, KeyHandle key, std::vector<RegValue>& values);
// The value `name` of the open key read into `limitBytes` (even), whatever its type: every
// character received, zeros included; none when it is missing, cannot be read or does not fit.
std::optional<std::u16string> readText(Registry& registry, KeyHandle key, std::u16string_view name,
                                       std::uint32_t limitBytes);

// Two readers of a number, as their callers' stores are kept. The options are the program's own:
// only a REG_DWORD of exactly 4 bytes is one. A record's numbers are read as the handheld's own
// settings are, whatever their type: any value of at most 4 bytes, into the low bytes of 0.
std::optional<std::uint32_t> readDword(Registry& registry, KeyHandle key, std::u16string_view name);
std::optional<std::uint32_t> readNumber(Registry& registry, KeyHandle key,
                                        std::u16string_view name);

// The names of the open key's subkeys in the registry's order; empty names are left out, and so is
// a name longer than `nameChars` with its zero. Without `indexLimit` any other failure ends the
// list, as it would come again at every index; with it, such an index is passed over too, and the
// list ends at that index. `whole`, when given, tells whether every name was read.
std::vector<std::u16string> subkeyNames(Registry& registry, KeyHandle key,
                                        std::uint32_t nameChars = 260, std::uint32_t indexLimit = 0,
                                        bool* whole = nullptr);

// The values to write into one key, created when it is missing. With `removeOthers` the key holds
// exactly `set` afterwards.
struct KeyChange {
    KeyHandle root = 0;
    std::u16string path;
    std::vector<RegValue> set;
    bool removeOthers = false;
};

enum class Written {
    Whole,    // every change was made
    Nothing,  // a change failed, and everything is as it was before
    Partly,   // a change failed, and what was changed before it could not all be put back
};

// What changes replaced, in the order they were made: enough to put everything back.
struct ChangeLog {
    struct Replaced {
        KeyHandle root = 0;
        std::u16string path;
        std::u16string name;
        std::optional<RegValue> before;  // none: the value was not there
    };
    std::vector<Replaced> values;
    std::vector<std::pair<KeyHandle, std::u16string>> createdKeys;  // root and path
};

// Makes `changes` in order. A value that cannot be read first is not written: what it held could
// not be put back. With `log`, what the changes replaced is added to it, so that they can be
// taken back later.
Written writeWhole(Registry& registry, std::span<const KeyChange> changes,
                   ChangeLog* log = nullptr);

// Puts back what `log` recorded, last change first, and removes the keys it created; false when
// something could not be put back.
bool undoChanges(Registry& registry, const ChangeLog& log);

}  // namespace corvane
