#include "core/registry.h"

namespace corvane {

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        close();
        registry_ = other.registry_;
        key_ = other.release();
    }
    return *this;
}

void RegKey::close() {
    if (key_ != 0 && registry_ != nullptr) {
        registry_->closeKey(key_);
    }
    key_ = 0;
}

KeyHandle RegKey::release() {
    const KeyHandle key = key_;
    key_ = 0;
    return key;
}

long openKey(Registry& registry, KeyHandle parent, std::u16string_view path, std::uint32_t access,
             RegKey& key) {
    KeyHandle handle = 0;
    const long result = registry.openKey(parent, path, access, handle);
    key = result == status::kSuccess ? RegKey(registry, handle) : RegKey();
    return result;
}

long createKey(Registry& registry, KeyHandle parent, std::u16string_view path, RegKey& key,
               bool* created) {
    KeyHandle handle = 0;
    const long result = registry.createKey(parent, path, handle, created);
    key = result == status::kSuccess ? RegKey(registry, handle) : RegKey();
    return result;
}

}  // namespace corvane
