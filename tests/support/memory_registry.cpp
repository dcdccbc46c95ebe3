#include "tests/support/memory_registry.h"

#include <algorithm>
#include <cstring>

#include "core/text.h"

namespace corvane {

namespace {

// Lower case, as the desktop registry sorts: "_" comes before letters.
char16_t lowerCase(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// The non-empty names of a path; a leading, trailing or doubled backslash adds none.
std::vector<std::u16string_view> components(std::u16string_view path) {
    std::vector<std::u16string_view> parts;
    while (!path.empty()) {
        const std::size_t end = std::min(path.find(u'\\'), path.size());
        if (end > 0) {
            parts.push_back(path.substr(0, end));
        }
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    return parts;
}

std::u16string joinPath(std::u16string_view base, std::u16string_view name) {
    std::u16string path(base);
    if (!path.empty()) {
        path += u'\\';
    }
    path += name;
    return path;
}

std::u16string normalPath(std::u16string_view path) {
    std::u16string result;
    for (const auto part : components(path)) {
        result = joinPath(result, part);
    }
    return result;
}

// Copies a name into a caller's buffer of `nameChars` characters (zero included).
long copyName(std::u16string_view source, char16_t* name, std::uint32_t& nameChars) {
    if (name == nullptr) {
        return status::kInvalidParameter;
    }
    if (source.size() >= nameChars) {
        return status::kMoreData;
    }
    copyText(std::span<char16_t>(name, nameChars), source);
    nameChars = static_cast<std::uint32_t>(source.size());
    return status::kSuccess;
}

// Hands out a value's type and data as Win32 does: null data asks for the size only.
long copyData(std::uint32_t valueType, const std::vector<unsigned char>& bytes, std::uint32_t* type,
              void* data, std::uint32_t* size) {
    if (data != nullptr && size == nullptr) {
        return status::kInvalidParameter;
    }
    if (type != nullptr) {
        *type = valueType;
    }
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    long result = status::kSuccess;
    if (data != nullptr) {
        if (*size < needed) {
            result = status::kMoreData;
        } else if (needed > 0) {
            std::memcpy(data, bytes.data(), needed);
        }
    }
    if (size != nullptr) {
        *size = needed;
    }
    return result;
}

}  // namespace

bool MemoryRegistry::LessNoCase::operator()(std::u16string_view a, std::u16string_view b) const {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](char16_t x, char16_t y) { return lowerCase(x) < lowerCase(y); });
}

MemoryRegistry::MemoryRegistry()
    : currentUser_(std::make_shared<Node>()), localMachine_(std::make_shared<Node>()) {
    currentUser_->root = kCurrentUser;
    localMachine_->root = kLocalMachine;
}

MemoryRegistry::~MemoryRegistry() = default;

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::find(KeyHandle key, long& result) const {
    result = status::kSuccess;
    if (key == kCurrentUser) {
        return currentUser_;
    }
    if (key == kLocalMachine) {
        return localMachine_;
    }
    const auto it = handles_.find(key);
    if (it == handles_.end()) {
        result = status::kInvalidHandle;
        return nullptr;
    }
    if (it->second->deleted) {
        result = status::kKeyDeleted;
        return nullptr;
    }
    return it->second;
}

long MemoryRegistry::keyFault(const Node& parent, std::u16string_view path, bool create) const {
    const std::u16string target = joinPath(parent.path, normalPath(path));
    for (const auto& fault : keyFaults_) {
        if (fault.root == parent.root && equalsNoCase(fault.path, target) &&
            (create ? fault.onCreate : fault.onOpen)) {
            return fault.status;
        }
    }
    return status::kSuccess;
}

KeyHandle MemoryRegistry::addHandle(const std::shared_ptr<Node>& node) {
    const KeyHandle handle = nextHandle_++;
    handles_.emplace(handle, node);
    return handle;
}

MemoryRegistry::Value* MemoryRegistry::findValue(Node& node, std::u16string_view name) {
    const auto it = std::find_if(node.values.begin(), node.values.end(), [&](const Value& value) {
        return equalsNoCase(value.name, name);
    });
    return it == node.values.end() ? nullptr : &*it;
}

long MemoryRegistry::openKey(KeyHandle parent, std::u16string_view path, std::uint32_t,
                             KeyHandle& key) {
    key = 0;
    long result = status::kSuccess;
    auto node = find(parent, result);
    if (!node) {
        return result;
    }
    if (const long fault = keyFault(*node, path, false); fault != status::kSuccess) {
        return fault;
    }
    for (const auto part : components(path)) {
        const auto it = node->children.find(part);
        if (it == node->children.end()) {
            return status::kFileNotFound;
        }
        node = it->second;
    }
    key = addHandle(node);
    return status::kSuccess;
}

long MemoryRegistry::createKey(KeyHandle parent, std::u16string_view path, KeyHandle& key) {
    key = 0;
    long result = status::kSuccess;
    auto node = find(parent, result);
    if (!node) {
        return result;
    }
    if (const long fault = keyFault(*node, path, true); fault != status::kSuccess) {
        return fault;
    }
    for (const auto part : components(path)) {
        auto& child = node->children[std::u16string(part)];
        if (!child) {
            child = std::make_shared<Node>();
            child->root = node->root;
            child->path = joinPath(node->path, part);
        }
        node = child;
    }
    key = addHandle(node);
    return status::kSuccess;
}

void MemoryRegistry::closeKey(KeyHandle key) {
    handles_.erase(key);
}

long MemoryRegistry::queryValue(KeyHandle key, std::u16string_view name, std::uint32_t* type,
                                void* data, std::uint32_t* size) {
    long result = status::kSuccess;
    const auto node = find(key, result);
    if (!node) {
        return result;
    }
    const Value* value = findValue(*node, name);
    if (value == nullptr) {
        return status::kFileNotFound;
    }
    return copyData(value->type, value->data, type, data, size);
}

long MemoryRegistry::setValue(KeyHandle key, std::u16string_view name, std::uint32_t type,
                              const void* data, std::uint32_t size) {
    if (++setValueCalls_ == failingSetValue_) {
        failingSetValue_ = 0;
        return failingSetStatus_;
    }
    long result = status::kSuccess;
    const auto node = find(key, result);
    if (!node) {
        return result;
    }
    for (const auto& fault : valueFaults_) {
        if (equalsNoCase(fault.name, name) &&
            (fault.root == 0 ||
             (fault.root == node->root && equalsNoCase(fault.keyPath, node->path)))) {
            return fault.status;
        }
    }
    if (data == nullptr && size > 0) {
        return status::kInvalidParameter;
    }
    Value* value = findValue(*node, name);
    if (value == nullptr) {
        value = &node->values.emplace_back();
        value->name = name;
    }
    value->type = type;
    const auto* bytes = static_cast<const unsigned char*>(data);
    value->data.assign(bytes, bytes + size);
    return status::kSuccess;
}

long MemoryRegistry::enumKey(KeyHandle key, std::uint32_t index, char16_t* name,
                             std::uint32_t& nameChars) {
    long result = status::kSuccess;
    const auto node = find(key, result);
    if (!node) {
        return result;
    }
    if (index >= node->children.size()) {
        return status::kNoMoreItems;
    }
    const auto it = std::next(node->children.begin(), index);
    return copyName(it->first, name, nameChars);
}

long MemoryRegistry::enumValue(KeyHandle key, std::uint32_t index, char16_t* name,
                               std::uint32_t& nameChars, std::uint32_t* type, void* data,
                               std::uint32_t* size) {
    long result = status::kSuccess;
    const auto node = find(key, result);
    if (!node) {
        return result;
    }
    if (index >= node->values.size()) {
        return status::kNoMoreItems;
    }
    const Value& value = node->values[index];
    result = copyName(value.name, name, nameChars);
    if (result != status::kSuccess) {
        return result;
    }
    return copyData(value.type, value.data, type, data, size);
}

long MemoryRegistry::deleteTree(KeyHandle parent, std::u16string_view path) {
    long result = status::kSuccess;
    auto node = find(parent, result);
    if (!node) {
        return result;
    }
    const auto parts = components(path);
    // Refusing an empty path keeps a stray call from wiping a whole root.
    if (parts.empty()) {
        return status::kInvalidParameter;
    }
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const auto it = node->children.find(parts[i]);
        if (it == node->children.end()) {
            return status::kFileNotFound;
        }
        node = it->second;
    }
    const auto it = node->children.find(parts.back());
    if (it == node->children.end()) {
        return status::kFileNotFound;
    }
    // Handles still open on the removed keys see them as deleted.
    std::vector<Node*> pending{it->second.get()};
    while (!pending.empty()) {
        Node* gone = pending.back();
        pending.pop_back();
        gone->deleted = true;
        for (auto& [childName, child] : gone->children) {
            pending.push_back(child.get());
        }
    }
    node->children.erase(it);
    return status::kSuccess;
}

long MemoryRegistry::deleteValue(KeyHandle key, std::u16string_view name) {
    long result = status::kSuccess;
    const auto node = find(key, result);
    if (!node) {
        return result;
    }
    const auto it = std::find_if(node->values.begin(), node->values.end(), [&](const Value& value) {
        return equalsNoCase(value.name, name);
    });
    if (it == node->values.end()) {
        return status::kFileNotFound;
    }
    node->values.erase(it);
    return status::kSuccess;
}

void MemoryRegistry::failKey(KeyHandle root, std::u16string_view path, long status, bool onOpen,
                             bool onCreate) {
    keyFaults_.push_back({root, normalPath(path), status, onOpen, onCreate});
}

void MemoryRegistry::failValue(std::u16string_view name, long status, KeyHandle root,
                               std::u16string_view keyPath) {
    valueFaults_.push_back({std::u16string(name), status, root, normalPath(keyPath)});
}

void MemoryRegistry::failNthSetValue(int n, long status) {
    failingSetValue_ = n > 0 ? setValueCalls_ + n : 0;
    failingSetStatus_ = status;
}

void MemoryRegistry::clearFaults() {
    keyFaults_.clear();
    valueFaults_.clear();
    failingSetValue_ = 0;
}

}  // namespace corvane
