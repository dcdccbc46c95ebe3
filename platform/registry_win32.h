// The registry seam over Advapi32, made to behave as the handheld's registry does.
#pragma once

#include "core/registry.h"

namespace corvane {

class Win32Registry : public Registry {
  public:
    long openKey(KeyHandle parent, std::u16string_view path, std::uint32_t access,
                 KeyHandle& key) override;
    long createKey(KeyHandle parent, std::u16string_view path, KeyHandle& key,
                   bool* created) override;
    void closeKey(KeyHandle key) override;
    long queryValue(KeyHandle key, std::u16string_view name, std::uint32_t* type, void* data,
                    std::uint32_t* size) override;
    long setValue(KeyHandle key, std::u16string_view name, std::uint32_t type, const void* data,
                  std::uint32_t size) override;
    long deleteValue(KeyHandle key, std::u16string_view name) override;
    long enumKey(KeyHandle key, std::uint32_t index, char16_t* name,
                 std::uint32_t& nameChars) override;
    long enumValue(KeyHandle key, std::uint32_t index, char16_t* name, std::uint32_t& nameChars,
                   std::uint32_t& type, void* data, std::uint32_t& size) override;
    long deleteTree(KeyHandle parent, std::u16string_view path) override;
};

}  // namespace corvane
