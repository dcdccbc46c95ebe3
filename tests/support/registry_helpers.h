// Short ways for tests to lay out and inspect registry values over any backend.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/registry.h"

namespace corvane {

struct RawValue {
    long result = status::kFileNotFound;
    std::uint32_t type = 0;
    std::vector<unsigned char> data;

    // The data as UTF-16 characters, every zero included.
    std::u16string chars() const;
    std::uint32_t dword() const;
};

void putString(Registry& registry, KeyHandle root, std::u16string_view path,
               std::u16string_view name, std::u16string_view text);
void putMulti(Registry& registry, KeyHandle root, std::u16string_view path,
              std::u16string_view name, std::initializer_list<std::u16string_view> entries);
void putDword(Registry& registry, KeyHandle root, std::u16string_view path,
              std::u16string_view name, std::uint32_t number);
void putKey(Registry& registry, KeyHandle root, std::u16string_view path);
RawValue getRaw(Registry& registry, KeyHandle root, std::u16string_view path,
                std::u16string_view name);
bool keyExists(Registry& registry, KeyHandle root, std::u16string_view path);

// `text` with its zero, as REG_SZ data in characters.
std::u16string withZero(std::u16string_view text);

}  // namespace corvane
