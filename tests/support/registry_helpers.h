// Short ways for tests to lay out and read back registry values over any backend.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/registry.h"

namespace corvane {

// A value as stored: its result, type and bytes.
struct RawValue {
    long result = status::kFileNotFound;
    std::uint32_t type = 0;
    std::vector<unsigned char> data;

    // The data as UTF-16 characters, every zero included.
    std::u16string chars() const {
        std::u16string text(data.size() / 2, u'\0');
        std::memcpy(text.data(), data.data(), text.size() * 2);
        return text;
    }
    std::uint32_t dword() const {
        std::uint32_t number = 0;
        std::memcpy(&number, data.data(), std::min<std::size_t>(data.size(), sizeof number));
        return number;
    }
};

inline void putValue(Registry& registry, KeyHandle root, std::u16string_view path,
                     std::u16string_view name, std::uint32_t type, const void* data,
                     std::size_t size) {
    RegKey key;
    if (createKey(registry, root, path, key) == status::kSuccess && !name.empty()) {
        registry.setValue(key.handle(), name, type, data, static_cast<std::uint32_t>(size));
    }
}

inline void putKey(Registry& registry, KeyHandle root, std::u16string_view path) {
    putValue(registry, root, path, {}, 0, nullptr, 0);
}

// `text` with its zero, as REG_SZ data in characters.
inline std::u16string withZero(std::u16string_view text) {
    return std::u16string(text) + u'\0';
}

inline void putString(Registry& registry, KeyHandle root, std::u16string_view path,
                      std::u16string_view name, std::u16string_view text) {
    const std::u16string data = withZero(text);
    putValue(registry, root, path, name, regtype::kString, data.data(), data.size() * 2);
}

inline void putMulti(Registry& registry, KeyHandle root, std::u16string_view path,
                     std::u16string_view name, std::initializer_list<std::u16string_view> entries) {
    std::u16string data;
    for (const auto entry : entries) {
        data += withZero(entry);
    }
    data.push_back(u'\0');
    putValue(registry, root, path, name, regtype::kMultiString, data.data(), data.size() * 2);
}

inline void putDword(Registry& registry, KeyHandle root, std::u16string_view path,
                     std::u16string_view name, std::uint32_t number) {
    putValue(registry, root, path, name, regtype::kDword, &number, sizeof number);
}

inline RawValue getRaw(Registry& registry, KeyHandle root, std::u16string_view path,
                       std::u16string_view name) {
    RawValue value;
    RegKey key;
    std::uint32_t size = 0;
    if ((value.result = openKey(registry, root, path, 0, key)) == status::kSuccess &&
        (value.result = registry.queryValue(key.handle(), name, &value.type, nullptr, &size)) ==
            status::kSuccess) {
        value.data.resize(size);
        value.result =
            registry.queryValue(key.handle(), name, &value.type, value.data.data(), &size);
    }
    return value;
}

inline bool keyExists(Registry& registry, KeyHandle root, std::u16string_view path) {
    RegKey key;
    return openKey(registry, root, path, 0, key) == status::kSuccess;
}

}  // namespace corvane
