#include "tests/support/registry_helpers.h"

#include <cstring>

namespace corvane {
namespace {

void put(Registry& registry, KeyHandle root, std::u16string_view path, std::u16string_view name,
         std::uint32_t type, const void* data, std::size_t size) {
    RegKey key;
    if (createKey(registry, root, path, key) == status::kSuccess) {
        registry.setValue(key.handle(), name, type, data, static_cast<std::uint32_t>(size));
    }
}

}  // namespace

std::u16string RawValue::chars() const {
    std::u16string text(data.size() / 2, u'\0');
    std::memcpy(text.data(), data.data(), text.size() * 2);
    return text;
}

std::uint32_t RawValue::dword() const {
    std::uint32_t number = 0;
    std::memcpy(&number, data.data(), std::min<std::size_t>(data.size(), sizeof number));
    return number;
}

std::u16string withZero(std::u16string_view text) {
    std::u16string data(text);
    data.push_back(u'\0');
    return data;
}

void putString(Registry& registry, KeyHandle root, std::u16string_view path,
               std::u16string_view name, std::u16string_view text) {
    const std::u16string data = withZero(text);
    put(registry, root, path, name, regtype::kString, data.data(), data.size() * 2);
}

void putMulti(Registry& registry, KeyHandle root, std::u16string_view path,
              std::u16string_view name, std::initializer_list<std::u16string_view> entries) {
    std::u16string data;
    for (const auto entry : entries) {
        data.append(entry).push_back(u'\0');
    }
    data.push_back(u'\0');
    put(registry, root, path, name, regtype::kMultiString, data.data(), data.size() * 2);
}

void putDword(Registry& registry, KeyHandle root, std::u16string_view path,
              std::u16string_view name, std::uint32_t number) {
    put(registry, root, path, name, regtype::kDword, &number, sizeof number);
}

void putKey(Registry& registry, KeyHandle root, std::u16string_view path) {
    RegKey key;
    createKey(registry, root, path, key);
}

RawValue getRaw(Registry& registry, KeyHandle root, std::u16string_view path,
                std::u16string_view name) {
    RawValue value;
    RegKey key;
    value.result = openKey(registry, root, path, 0, key);
    if (value.result != status::kSuccess) {
        return value;
    }
    std::uint32_t size = 0;
    value.result = registry.queryValue(key.handle(), name, &value.type, nullptr, &size);
    if (value.result != status::kSuccess) {
        return value;
    }
    value.data.resize(size);
    value.result = registry.queryValue(key.handle(), name, &value.type, value.data.data(), &size);
    value.data.resize(size);
    return value;
}

bool keyExists(Registry& registry, KeyHandle root, std::u16string_view path) {
    RegKey key;
    return openKey(registry, root, path, 0, key) == status::kSuccess;
}

}  // namespace corvane
