#include "tests/support/memory_registry.h"

#include <algorithm>
#include <cstring>

#include "core/text.h"

namespace corvane {
namespace {

// The lower-cased full path: a root's name, then each non-empty name of `path`.
std::u16string fullPath(std::u16string base, std::u16string_view path) {
    while (!path.empty()) {
        const std::size_t end = std::min(path.find(u'\\'), path.size());
        if (end > 0) {
            base.push_back(u'\\');
            for (const char16_t c : path.substr(0, end)) {
                base.push_back(c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c);
            }
        }
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    return base;
}

std::u16string rootName(KeyHandle root) {
    return root == kCurrentUser ? u"hkcu" : u"hklm";
}

bool isRoot(KeyHandle key) {
    return key == kCurrentUser || key == kLocalMachine;
}

}  // namespace

std::u16string MemoryRegistry::resolve(KeyHandle parent, std::u16string_view path,
                                       long& result) const {
    result = status::kSuccess;
    if (isRoot(parent)) {
        return fullPath(rootName(parent), path);
    }
    const auto handle = handles_.find(parent);
    if (handle == handles_.end()) {
        result = status::kInvalidHandle;
        return {};
    }
    if (!keys_.contains(handle->second)) {
        result = status::kKeyDeleted;
        return {};
    }
    return fullPath(handle->second, path);
}

long MemoryRegistry::keyFault(const std::u16string& full, bool create) const {
    for (const Fault& fault : faults_) {
        if (fault.value.empty() && fault.key == full && (!create || fault.onCreate)) {
            return fault.status;
        }
    }
    return status::kSuccess;
}

KeyHandle MemoryRegistry::handleFor(KeyHandle parent, const std::u16string& full) {
    if (full.find(u'\\') == std::u16string::npos) {
        return parent;  // the root itself
    }
    handles_[nextHandle_] = full;
    return nextHandle_++;
}

long MemoryRegistry::openKey(KeyHandle parent, std::u16string_view path, std::uint32_t,
                             KeyHandle& key) {
    key = 0;
    long result = status::kSuccess;
    const std::u16string full = resolve(parent, path, result);
    if (result == status::kSuccess && (result = keyFault(full, false)) == status::kSuccess) {
        if (full.find(u'\\') != std::u16string::npos && !keys_.contains(full)) {
            return status::kFileNotFound;
        }
        key = handleFor(parent, full);
    }
    return result;
}

long MemoryRegistry::createKey(KeyHandle parent, std::u16string_view path, KeyHandle& key) {
    key = 0;
    long result = status::kSuccess;
    std::u16string full = resolve(parent, u"", result);
    if (result != status::kSuccess ||
        (result = keyFault(resolve(parent, path, result), true)) != status::kSuccess) {
        return result;
    }
    // Each missing key on the path is made, named as the path spells it.
    for (std::u16string_view rest = path; !rest.empty();) {
        const std::size_t end = std::min(rest.find(u'\\'), rest.size());
        if (end > 0) {
            full = fullPath(full, rest.substr(0, end));
            keys_.try_emplace(full, Key{std::u16string(rest.substr(0, end)), {}});
        }
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    key = handleFor(parent, full);
    return status::kSuccess;
}

long MemoryRegistry::queryValue(KeyHandle key, std::u16string_view name, std::uint32_t* type,
                                void* data, std::uint32_t* size) {
    long result = status::kSuccess;
    const std::u16string full = resolve(key, u"", result);
    if (result != status::kSuccess) {
        return result;
    }
    const std::vector<Value>& values = keys_[full].values;
    const auto value = std::find_if(values.begin(), values.end(),
                                    [&](const Value& v) { return equalsNoCase(v.name, name); });
    if (value == values.end()) {
        return status::kFileNotFound;
    }
    if (type != nullptr) {
        *type = value->type;
    }
    // As Win32: no data asks for the size only; a buffer too small fails with 234.
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
    if (result != status::kSuccess) {
        return result;
    }
    for (const Fault& fault : faults_) {
        if (!fault.value.empty() && equalsNoCase(fault.value, name) &&
            (fault.key.empty() || fault.key == full)) {
            return fault.status;
        }
    }
    std::vector<Value>& values = keys_[full].values;
    auto value = std::find_if(values.begin(), values.end(),
                              [&](const Value& v) { return equalsNoCase(v.name, name); });
    if (value == values.end()) {
        value = values.insert(values.end(), {std::u16string(name), 0, {}});
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
    if (result != status::kSuccess) {
        return result;
    }
    // The map keeps a key's children in the order of their lower-cased names.
    for (auto it = keys_.lower_bound(prefix); it != keys_.end() && it->first.starts_with(prefix);
         ++it) {
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
    return status::kNoMoreItems;
}

long MemoryRegistry::deleteTree(KeyHandle parent, std::u16string_view path) {
    long result = status::kSuccess;
    const std::u16string full = resolve(parent, path, result);
    // An empty path is refused, or a stray call would wipe the parent, a whole root included.
    if (result != status::kSuccess || full == resolve(parent, u"", result)) {
        return result != status::kSuccess ? result : status::kInvalidParameter;
    }
    if (keys_.erase(full) == 0) {
        return status::kFileNotFound;
    }
    const std::u16string below = full + u'\\';
    const auto first = keys_.lower_bound(below);
    keys_.erase(first, std::find_if(first, keys_.end(), [&](const auto& entry) {
                    return !entry.first.starts_with(below);
                }));
    return status::kSuccess;
}

void MemoryRegistry::failKey(KeyHandle root, std::u16string_view path, long status,
                             bool onCreate) {
    faults_.push_back({fullPath(rootName(root), path), {}, status, onCreate});
}

void MemoryRegistry::failValue(std::u16string_view name, long status, KeyHandle root,
                               std::u16string_view keyPath) {
    faults_.push_back(
        {root != 0 ? fullPath(rootName(root), keyPath) : u"", std::u16string(name), status, false});
}

}  // namespace corvane
