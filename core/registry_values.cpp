#include "core/registry_values.h"

#include <algorithm>

#include "core/text.h"

namespace corvane {
namespace {

// Most values fit here, so one query reads them; a longer one is asked for again at its size.
constexpr std::uint32_t kFirstReadBytes = 512;
// Most value names fit here; the registry allows names of up to 16383 characters.
constexpr std::uint32_t kFirstNameChars = 256;
constexpr std::uint32_t kLongestValueNameChars = 16384;
// A value longer than this is not read whole, so it is never replaced either.
constexpr std::size_t kLongestValueBytes = 16 * 1024 * 1024;

bool listed(std::span<const RegValue> values, std::u16string_view name) {
    return std::any_of(values.begin(), values.end(),
                       [&](const RegValue& value) { return equalsNoCase(value.name, name); });
}

bool createdHere(const ChangeLog& log, KeyHandle root, std::u16string_view path) {
    return std::any_of(log.createdKeys.begin(), log.createdKeys.end(), [&](const auto& key) {
        return key.first == root && equalsNoCase(key.second, path);
    });
}

// Makes one key's changes, adding what they replaced to `log`; false at the first failure.
bool change(Registry& registry, const KeyChange& key, ChangeLog& log) {
    RegKey open;
    bool made = false;
    if (createKey(registry, key.root, key.path, open, &made) != status::kSuccess) {
        return false;
    }
    // Only a key these changes made goes again when they are undone.
    if (made) {
        log.createdKeys.emplace_back(key.root, key.path);
    }
    const bool created = made || createdHere(log, key.root, key.path);
    // What the key holds, read once; a key made by these changes goes whole when they are
    // undone, so its values need no record.
    std::vector<RegValue> present;
    if (!created && !readValues(registry, open.handle(), present)) {
        return false;
    }
    const auto find = [&](std::u16string_view name) {
        return std::find_if(present.begin(), present.end(),
                            [&](const RegValue& value) { return equalsNoCase(value.name, name); });
    };
    // Sets `after`, or removes the value without it.
    const auto replace = [&](std::u16string_view name, const RegValue* after) {
        const auto before = find(name);
        const bool there = before != present.end();
        const long result =
            after != nullptr
                ? registry.setValue(open.handle(), name, after->type, after->data.data(),
                                    static_cast<std::uint32_t>(after->data.size()))
                : registry.deleteValue(open.handle(), name);
        if (result != status::kSuccess) {
            return false;
        }
        if (created) {
            return true;  // undone with its key
        }
        log.values.push_back({key.root, key.path, std::u16string(name),
                              there ? std::optional(std::move(*before)) : std::nullopt});
        if (there) {
            present.erase(before);
        }
        if (after != nullptr) {
            present.push_back(*after);
        }
        return true;
    };
    if (key.removeOthers) {
        std::vector<std::u16string> others;
        for (const RegValue& value : present) {
            if (!listed(key.set, value.name)) {
                others.push_back(value.name);
            }
        }
        for (const std::u16string& name : others) {
            if (!replace(name, nullptr)) {
                return false;
            }
        }
    }
    for (const RegValue& value : key.set) {
        if (!replace(value.name, &value)) {
            return false;
        }
    }
    return true;
}

}  // namespace

long readValue(Registry& registry, KeyHandle key, std::u16string_view name, RegValue& value) {
    value = RegValue{std::u16string(name), 0, std::vector<unsigned char>(kFirstReadBytes)};
    std::uint32_t size = kFirstReadBytes;
    long result = registry.queryValue(key, name, &value.type, value.data.data(), &size);
    if (result == status::kMoreData) {
        value.data.resize(size);
        result = registry.queryValue(key, name, &value.type, value.data.data(), &size);
    }
    value.data.resize(result == status::kSuccess ? std::min<std::size_t>(size, value.data.size())
                                                 : 0);
    return result;
}

bool readValues(Registry& registry, KeyHandle key, std::vector<RegValue>& values) {
    values.clear();
    std::u16string name(kFirstNameChars, u'\0');
    std::vector<unsigned char> data(kFirstReadBytes);
    for (std::uint32_t index = 0;;) {
        auto nameChars = static_cast<std::uint32_t>(name.size());
        std::uint32_t type = 0;
        auto size = static_cast<std::uint32_t>(data.size());
        const long result =
            registry.enumValue(key, index, name.data(), nameChars, type, data.data(), size);
        if (result == status::kNoMoreItems) {
            return true;
        }
        // Too small a buffer for the name or the data: both grow, the name at once to the most
        // a name can hold, and the value is asked for again.
        if (result == status::kMoreData && data.size() < kLongestValueBytes) {
            name.resize(kLongestValueNameChars);
            data.resize(data.size() * 4);
            continue;
        }
        if (result != status::kSuccess) {
            return false;
        }
        values.push_back({std::u16string(name.data(), nameChars), type,
                          std::vector<unsigned char>(data.begin(), data.begin() + size)});
        ++index;
    }
}

std::optional<std::u16string> readText(Registry& registry, KeyHandle key, std::u16string_view name,
                                       std::uint32_t limitBytes) {
    std::u16string text(limitBytes / 2, u'\0');
    std::uint32_t size = limitBytes;
    if (registry.queryValue(key, name, nullptr, text.data(), &size) != status::kSuccess ||
        size > limitBytes) {
        return std::nullopt;
    }
    text.resize(size / 2);
    return text;
}

std::optional<std::uint32_t> readDword(Registry& registry, KeyHandle key,
                                       std::u16string_view name) {
    std::uint32_t type = 0;
    std::uint32_t data = 0;
    std::uint32_t size = sizeof data;
    if (registry.queryValue(key, name, &type, &data, &size) != status::kSuccess ||
        type != regtype::kDword || size != sizeof data) {
        return std::nullopt;
    }
    return data;
}

std::optional<std::uint32_t> readNumber(Registry& registry, KeyHandle key,
                                        std::u16string_view name) {
    std::uint32_t data = 0;
    std::uint32_t size = sizeof data;
    if (registry.queryValue(key, name, nullptr, &data, &size) != status::kSuccess) {
        return std::nullopt;
    }
    return data;
}

std::vector<std::u16string> subkeyNames(Registry& registry, KeyHandle key, std::uint32_t nameChars,
                                        std::uint32_t indexLimit, bool* whole) {
    std::vector<std::u16string> names;
    std::u16string name(nameChars, u'\0');
    bool all = true;
    for (std::uint32_t index = 0; indexLimit == 0 || index < indexLimit; ++index) {
        std::uint32_t chars = nameChars;
        const long result = registry.enumKey(key, index, name.data(), chars);
        if (result == status::kNoMoreItems) {
            break;
        }
        all = all && result == status::kSuccess;
        if (result != status::kSuccess && result != status::kMoreData && indexLimit == 0) {
            break;
        }
        if (result == status::kSuccess && chars > 0) {
            names.emplace_back(name.data(), chars);
        }
    }
    if (whole != nullptr) {
        *whole = all;
    }
    return names;
}

Written writeWhole(Registry& registry, std::span<const KeyChange> changes, ChangeLog* log) {
    ChangeLog made;
    for (const KeyChange& key : changes) {
        if (!change(registry, key, made)) {
            return undoChanges(registry, made) ? Written::Nothing : Written::Partly;
        }
    }
    if (log != nullptr) {
        log->values.insert(log->values.end(), made.values.begin(), made.values.end());
        log->createdKeys.insert(log->createdKeys.end(), made.createdKeys.begin(),
                                made.createdKeys.end());
    }
    return Written::Whole;
}

bool undoChanges(Registry& registry, const ChangeLog& log) {
    bool whole = true;
    for (auto it = log.values.rbegin(); it != log.values.rend(); ++it) {
        RegKey key;
        long result = openKey(registry, it->root, it->path, 0, key);
        if (result == status::kSuccess) {
            result = it->before
                         ? registry.setValue(key.handle(), it->name, it->before->type,
                                             it->before->data.data(),
                                             static_cast<std::uint32_t>(it->before->data.size()))
                         : registry.deleteValue(key.handle(), it->name);
        }
        whole = whole &&
                (result == status::kSuccess || (!it->before && result == status::kFileNotFound));
    }
    for (auto it = log.createdKeys.rbegin(); it != log.createdKeys.rend(); ++it) {
        const long result = registry.deleteTree(it->first, it->second);
        whole = whole && (result == status::kSuccess || result == status::kFileNotFound);
    }
    return whole;
}

}  // namespace corvane
