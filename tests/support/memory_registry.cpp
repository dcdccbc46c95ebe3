#include "tests/support/memory_registry.h"

#include <algorithm>

#include "core/text.h"

namespace corvane {
namespace {

// The names of a path: a leading, trailing or doubled backslash adds none.
std::vector<std::u16string_view> namesOf(std::u16string_view path) {
    std::vector<std::u16string_view> names;
    for (std::size_t end = 0; !path.empty(); path.remove_prefix(std::min(end + 1, path.size()))) {
        end = std::min(path.find(u'\\'), path.size());
        if (end > 0) {
            names.push_back(path.substr(0, end));
        }
    }
    return names;
}

}  // namespace

std::u16string MemoryRegistry::lower(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    }
    return out;
}

std::u16string MemoryRegistry::resolve(KeyHandle parent, std::u16string_view path) const {
    const auto handle = handles_.find(parent);
    const bool root = parent == kCurrentUser || parent == kLocalMachine;
    if (!root && (handle == handles_.end() || !keys_.contains(handle->second))) {
        return {};  // not open, or deleted since
    }
    std::u16string full = !root ? handle->second : parent == kCurrentUser ? u"hkcu" : u"hklm";
    for (const std::u16string_view name : namesOf(path)) {
        full += u'\\' + lower(name);
    }
    return full;
}

std::map<std::u16string, MemoryRegistry::Value>* MemoryRegistry::valuesOf(KeyHandle key) {
    const auto found = handles_.contains(key) ? keys_.find(handles_[key]) : keys_.end();
    return found != keys_.end() ? &found->second.values : nullptr;
}

KeyHandle MemoryRegistry::handleFor(KeyHandle parent, const std::u16string& full) {
    const bool root = full.find(u'\\') == std::u16string::npos;
    if (root || !keys_.contains(full)) {
        return root ? parent : 0;
    }
    handles_[nextHandle_] = full;
    return nextHandle_++;
}

long MemoryRegistry::writeFault(std::optional<std::u16string_view> value) {
    ++writeCalls_;
    const auto fault = value ? faults_.values.find(lower(*value)) : faults_.values.end();
    if (fault != faults_.values.end()) {
        return fault->second;
    }
    const bool fails = writeCalls_ >= faults_.firstWrite && writeCalls_ <= faults_.lastWrite;
    return fails ? status::kAccessDenied : status::kSuccess;
}

long MemoryRegistry::openKey(KeyHandle parent, std::u16string_view path, std::uint32_t,
                             KeyHandle& key) {
    key = 0;
    const std::u16string full = resolve(parent, path);
    if (full.empty() || faults_.keys.contains(full)) {
        return full.empty() ? status::kInvalidHandle : faults_.keys.at(full);
    }
    key = handleFor(parent, full);
    return key != 0 ? status::kSuccess : status::kFileNotFound;
}

long MemoryRegistry::createKey(KeyHandle parent, std::u16string_view path, KeyHandle& key,
                               bool* created) {
    key = 0;
    std::u16string full = resolve(parent, u"");
    // Opening a key that is there writes nothing; making one is a write that can fail.
    const bool making = !full.empty() && !keys_.contains(resolve(parent, path));
    const long result = full.empty() ? status::kInvalidHandle
                        : making     ? writeFault()
                                     : status::kSuccess;
    if (created != nullptr) {
        *created = making && result == status::kSuccess;
    }
    if (result != status::kSuccess) {
        return result;
    }
    // Each missing key on the path is made, named as the path spells it.
    for (const std::u16string_view name : namesOf(path)) {
        full += u'\\' + lower(name);
        keys_.try_emplace(full, Key{std::u16string(name), {}});
    }
    key = handleFor(parent, full);
    return status::kSuccess;
}

long MemoryRegistry::queryValue(KeyHandle key, std::u16string_view name, std::uint32_t* type,
                                void* data, std::uint32_t* size) {
    const auto* values = valuesOf(key);
    if (values == nullptr || !values->contains(lower(name))) {
        return values == nullptr ? status::kInvalidHandle : status::kFileNotFound;
    }
    const Value& value = values->at(lower(name));
    if (type != nullptr) {
        *type = value.type;
    }
    // As Win32: without data only the size is told; a buffer too small fails with 234.
    const auto needed = static_cast<std::uint32_t>(value.data.size());
    const bool fits = data == nullptr || *size >= needed;
    if (data != nullptr && fits) {
        std::copy(value.data.begin(), value.data.end(), static_cast<unsigned char*>(data));
    }
    *size = needed;
    return fits ? status::kSuccess : status::kMoreData;
}

long MemoryRegistry::setValue(KeyHandle key, std::u16string_view name, std::uint32_t type,
                              const void* data, std::uint32_t size) {
    ++setValueCalls_;
    auto* values = valuesOf(key);
    const long result = values == nullptr ? status::kInvalidHandle : writeFault(name);
    if (result == status::kSuccess) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        Value& value =
            values->try_emplace(lower(name), Value{std::u16string(name), 0, {}}).first->second;
        value = {value.name, type, {bytes, bytes + size}};
    }
    return result;
}

long MemoryRegistry::deleteValue(KeyHandle key, std::u16string_view name) {
    auto* values = valuesOf(key);
    const long result = values == nullptr ? status::kInvalidHandle : writeFault(name);
    return result != status::kSuccess || values->erase(lower(name)) > 0 ? result
                                                                        : status::kFileNotFound;
}

long MemoryRegistry::enumKey(KeyHandle key, std::uint32_t index, char16_t* name,
                             std::uint32_t& nameChars) {
    const std::u16string prefix = resolve(key, u"") + u'\\';
    if (prefix.size() == 1 || (faults_.index.second != 0 && index == faults_.index.first)) {
        return prefix.size() == 1 ? status::kInvalidHandle : faults_.index.second;
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

long MemoryRegistry::enumValue(KeyHandle key, std::uint32_t index, char16_t* name,
                               std::uint32_t& nameChars, std::uint32_t& type, void* data,
                               std::uint32_t& size) {
    const auto* values = valuesOf(key);
    if (values == nullptr || index >= values->size()) {
        return values == nullptr ? status::kInvalidHandle : status::kNoMoreItems;
    }
    const Value& value = std::next(values->begin(), index)->second;
    if (value.name.size() >= nameChars || value.data.size() > size) {
        return status::kMoreData;
    }
    copyText(std::span<char16_t>(name, nameChars), value.name);
    nameChars = static_cast<std::uint32_t>(value.name.size());
    type = value.type;
    size = static_cast<std::uint32_t>(value.data.size());
    std::copy(value.data.begin(), value.data.end(), static_cast<unsigned char*>(data));
    return status::kSuccess;
}

long MemoryRegistry::deleteTree(KeyHandle parent, std::u16string_view path) {
    const std::u16string full = resolve(parent, path);
    // An empty path is refused, or a stray call would wipe the parent, a whole root included.
    if (full.empty() || full == resolve(parent, u"")) {
        return full.empty() ? status::kInvalidHandle : status::kInvalidParameter;
    }
    if (const long fault = writeFault(); fault != status::kSuccess || keys_.erase(full) == 0) {
        return fault != status::kSuccess ? fault : status::kFileNotFound;
    }
    std::erase_if(keys_, [&](const auto& entry) { return entry.first.starts_with(full + u'\\'); });
    return status::kSuccess;
}

}  // namespace corvane
