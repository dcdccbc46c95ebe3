#include "tests/support/memory_registry.h"

#include <algorithm>
#include <cstring>

#include "core/text.h"

namespace corvane {
namespace {

// Calls `each` with every non-empty name of a path: a leading, trailing or doubled backslash
// adds none.
template <typename Each>
void forEachName(std::u16string_view path, Each each) {
    while (!path.empty()) {
        const std::size_t end = std::min(path.find(u'\\'), path.size());
        if (end > 0) {
            each(path.substr(0, end));
        }
        path.remove_prefix(std::min(end + 1, path.size()));
    }
}

std::u16string below(std::u16string base, std::u16string_view path) {
    forEachName(path, [&](std::u16string_view name) {
        base.push_back(u'\\');
        for (const char16_t c : name) {
            base.push_back(c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c);
        }
    });
    return base;
}

}  // namespace

std::u16string MemoryRegistry::fullPath(KeyHandle root, std::u16string_view path) {
    return below(root == kCurrentUser ? u"hkcu" : u"hklm", path);
}

std::u16string MemoryRegistry::resolve(KeyHandle parent, std::u16string_view path,
                                       long& result) const {
    result = status::kSuccess;
    if (parent == kCurrentUser || parent == kLocalMachine) {
        return fullPath(parent, path);
    }
    const auto handle = handles_.find(parent);
    if (handle == handles_.end() || !keys_.contains(handle->second)) {
        result = handle == handles_.end() ? status::kInvalidHandle : status::kKeyDeleted;
        return {};
    }
    return below(handle->second, path);
}

long MemoryRegistry::openKey(KeyHandle parent, std::u16string_view path, std::uint32_t,
                             KeyHandle& key) {
    key = 0;
    long result = status::kSuccess;
    const std::u16string full = resolve(parent, path, result);
    for (const Fault& fault : faults_) {
        result = fault.value.empty() && fault.key == full ? fault.status : result;
    }
    if (result != status::kSuccess) {
        return result;
    }
    key = handleFor(parent, full);
    return key != 0 ? status::kSuccess : status::kFileNotFound;
}

KeyHandle MemoryRegistry::handleFor(KeyHandle parent, const std::u16string& full) {
    if (full.find(u'\\') == std::u16string::npos) {
        return parent;  // the root itself
    }
    if (!keys_.contains(full)) {
        return 0;
    }
    handles_[nextHandle_] = full;
    return nextHandle_++;
}

long MemoryRegistry::createKey(KeyHandle parent, std::u16string_view path, KeyHandle& key) {
    key = 0;
    long result = status::kSuccess;
    std::u16string full = resolve(parent, u"", result);
    const std::u16string target = below(full, path);
    for (const Fault& fault : faults_) {
        result =
            fault.value.empty() && fault.onCreate && fault.key == target ? fault.status : result;
    }
    if (result != status::kSuccess) {
        return result;
    }
    // Each missing key on the path is made, named as the path spells it.
    forEachName(path, [&](std::u16string_view name) {
        full = below(full, name);
        keys_.try_emplace(full, Key{std::u16string(name), {}});
    });
    key = handleFor(parent, full);
    return status::kSuccess;
}

MemoryRegistry::Value* MemoryRegistry::findValue(const std::u16string& key,
                                                 std::u16string_view name) {
    std::vector<Value>& values = keys_[key].values;
    const auto found = std::find_if(values.begin(), values.end(),
                                    [&](const Value& v) { return equalsNoCase(v.name, name); });
    return found != values.end() ? &*found : nullptr;
}

long MemoryRegistry::queryValue(KeyHandle key, std::u16string_view name, std::uint32_t* type,
                                void* data, std::uint32_t* size) {
    long result = status::kSuccess;
    const std::u16string full = resolve(key, u"", result);
    const Value* value = result == status::kSuccess ? findValue(full, name) : nullptr;
    if (value == nullptr) {
        return result != status::kSuccess ? result : status::kFileNotFound;
    }
    if (type != nullptr) {
        *type = value->type;
    }
    // As Win32: without data only the size is told; a buffer too small fails with 234.
    const auto needed = static_cast<std::uint32_t>(value->data.size());
    if (data != nullptr && *size < needed) {
        result = status::kMoreData;
    } else if (data != nullptr && needed > 0) {
        std::memcpy(data, value->data.data(), needed);
    }
    if (size != nullptr) {
        *size = needed;
    }
    return result;
}

long MemoryRegistry::setValue(KeyHandle key, std::u16string_view name, std::uint32_t type,
                              const void* data, std::uint32_t size) {
    ++setValueCalls_;
    long result = status::kSuccess;
    const std::u16string full = resolve(key, u"", result);
    for (const Fault& fault : faults_) {
        if (!fault.value.empty() && equalsNoCase(fault.value, name) &&
            (fault.key.empty() || fault.key == full)) {
            result = fault.status;
        }
    }
    if (result != status::kSuccess) {
        return result;
    }
    Value* value = findValue(full, name);
    if (value == nullptr) {
        value = &keys_[full].values.emplace_back(Value{std::u16string(name), 0, {}});
    }
    value->type = type;
    const auto* bytes = static_cast<const unsigned char*>(data);
    value->data.assign(bytes, bytes + size);
    return status::kSuccess;
}

long MemoryRegistry::enumKey(KeyHandle key, std::uint32_t index, char16_t* name,
                             std::uint32_t& nameChars) {
    long result = status::kSuccess;
    const std::u16string prefix = resolve(key, u"", result) + u'\\';
    // The map keeps a key's children in the order of their lower-cased names.
    for (auto it = keys_.lower_bound(prefix);
         result == status::kSuccess && it != keys_.end() && it->first.starts_with(prefix); ++it) {
        if (it->first.find(u'\\', prefix.size()) != std::u16string::npos || index-- > 0) {
            continue;
        }
        if (it->second.name.size() >= nameChars) {
            return status::kMoreData;
        }
        copyText(std::span<char16_t>(name, nameChars), it->second.name);
        nameChars = static_cast<std::uint32_t>(it->second.name.size());
        return status::kSuccess;
    }
    return result != status::kSuccess ? result : status::kNoMoreItems;
}

long MemoryRegistry::enumValue(KeyHandle key, std::uint32_t index, char16_t* name,
                               std::uint32_t& nameChars, std::uint32_t& type, void* data,
                               std::uint32_t& size) {
    long result = status::kSuccess;
    const std::u16string full = resolve(key, u"", result);
    if (result != status::kSuccess) {
        return result;
    }
    const std::vector<Value>& values = keys_[full].values;
    if (index >= values.size()) {
        return status::kNoMoreItems;
    }
    const Value& value = values[index];
    if (value.name.size() >= nameChars || value.data.size() > size) {
        return status::kMoreData;
    }
    copyText(std::span<char16_t>(name, nameChars), value.name);
    nameChars = static_cast<std::uint32_t>(value.name.size());
    type = value.type;
    size = static_cast<std::uint32_t>(value.data.size());
    if (size > 0) {
        std::memcpy(data, value.data.data(), size);
    }
    return status::kSuccess;
}

long MemoryRegistry::deleteTree(KeyHandle parent, std::u16string_view path) {
    long result = status::kSuccess;
    const std::u16string full = resolve(parent, path, result);
    if (result != status::kSuccess) {
        return result;
    }
    // An empty path is refused, or a stray call would wipe the parent, a whole root included.
    if (full == resolve(parent, u"", result)) {
        return status::kInvalidParameter;
    }
    if (keys_.erase(full) == 0) {
        return status::kFileNotFound;
    }
    std::erase_if(keys_, [&](const auto& entry) { return entry.first.starts_with(full + u'\\'); });
    return status::kSuccess;
}

}  // namespace corvane
