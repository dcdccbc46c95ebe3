#include "platform/registry_win32.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <string>

namespace corvane {

namespace {

// The roots' numbers are sign-extended in a 64-bit HKEY; pass the real constants.
HKEY toHkey(KeyHandle key) {
    if (key == kCurrentUser) {
        return HKEY_CURRENT_USER;
    }
    if (key == kLocalMachine) {
        return HKEY_LOCAL_MACHINE;
    }
    return reinterpret_cast<HKEY>(key);
}

bool isRoot(KeyHandle key) {
    return key == kCurrentUser || key == kLocalMachine;
}

// A name or path as the registry's functions take it, ended by a zero. Most fit the buffer
// kept inside, so a call costs no allocation.
class ZeroEnded {
  public:
    explicit ZeroEnded(std::u16string_view text) {
        if (text.size() < inside_.size()) {
            std::copy(text.begin(), text.end(), inside_.begin());
            inside_[text.size()] = L'\0';
            text_ = inside_.data();
        } else {
            outside_.assign(text.begin(), text.end());
            text_ = outside_.c_str();
        }
    }
    ZeroEnded(const ZeroEnded&) = delete;
    ZeroEnded& operator=(const ZeroEnded&) = delete;
    const wchar_t* get() const { return text_; }
    bool empty() const { return text_[0] == L'\0'; }

  private:
    std::array<wchar_t, 261> inside_{};
    std::wstring outside_;
    const wchar_t* text_ = nullptr;
};

// The handheld accepts "\Comm\X"; the desktop refuses a leading backslash with 161.
std::u16string_view withoutLeadingBackslashes(std::u16string_view path) {
    while (!path.empty() && path.front() == u'\\') {
        path.remove_prefix(1);
    }
    return path;
}

}  // namespace

long Win32Registry::openKey(KeyHandle parent, std::u16string_view path, std::uint32_t access,
                            KeyHandle& key) {
    key = 0;
    const ZeroEnded widePath(withoutLeadingBackslashes(path));
    HKEY opened = nullptr;
    long result = 0;
    if (access == 0) {
        // Access 0 means "whatever the caller may have" on the handheld; on the desktop it
        // opens a key that then refuses every query, so ask for the most that is granted.
        result = RegOpenKeyExW(toHkey(parent), widePath.get(), 0, MAXIMUM_ALLOWED, &opened);
        if (result == ERROR_ACCESS_DENIED) {
            result = RegOpenKeyExW(toHkey(parent), widePath.get(), 0, KEY_READ, &opened);
        }
    } else {
        result = RegOpenKeyExW(toHkey(parent), widePath.get(), 0, access, &opened);
    }
    if (result == ERROR_SUCCESS) {
        key = reinterpret_cast<KeyHandle>(opened);
    }
    return result;
}

long Win32Registry::createKey(KeyHandle parent, std::u16string_view path, KeyHandle& key,
                              bool* created) {
    key = 0;
    const ZeroEnded widePath(withoutLeadingBackslashes(path));
    HKEY opened = nullptr;
    DWORD disposition = 0;
    const long result = RegCreateKeyExW(toHkey(parent), widePath.get(), 0, nullptr, 0,
                                        KEY_READ | KEY_WRITE, nullptr, &opened, &disposition);
    if (result == ERROR_SUCCESS) {
        key = reinterpret_cast<KeyHandle>(opened);
    }
    if (created != nullptr) {
        *created = result == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
    }
    return result;
}

void Win32Registry::closeKey(KeyHandle key) {
    if (key != 0 && !isRoot(key)) {
        RegCloseKey(toHkey(key));
    }
}

long Win32Registry::queryValue(KeyHandle key, std::u16string_view name, std::uint32_t* type,
                               void* data, std::uint32_t* size) {
    const ZeroEnded wideName(name);
    DWORD valueType = 0;
    DWORD bytes = size != nullptr ? *size : 0;
    const long result =
        RegQueryValueExW(toHkey(key), wideName.get(), nullptr, &valueType, static_cast<BYTE*>(data),
                         size != nullptr ? &bytes : nullptr);
    if (type != nullptr && (result == ERROR_SUCCESS || result == ERROR_MORE_DATA)) {
        *type = valueType;
    }
    if (size != nullptr && (result == ERROR_SUCCESS || result == ERROR_MORE_DATA)) {
        *size = bytes;
    }
    return result;
}

long Win32Registry::setValue(KeyHandle key, std::u16string_view name, std::uint32_t type,
                             const void* data, std::uint32_t size) {
    const ZeroEnded wideName(name);
    return RegSetValueExW(toHkey(key), wideName.get(), 0, type, static_cast<const BYTE*>(data),
                          size);
}

long Win32Registry::deleteValue(KeyHandle key, std::u16string_view name) {
    const ZeroEnded wideName(name);
    return RegDeleteValueW(toHkey(key), wideName.get());
}

long Win32Registry::enumKey(KeyHandle key, std::uint32_t index, char16_t* name,
                            std::uint32_t& nameChars) {
    if (name == nullptr || nameChars == 0) {
        return name == nullptr ? ERROR_INVALID_PARAMETER : ERROR_MORE_DATA;
    }
    DWORD length = nameChars;
    const long result = RegEnumKeyExW(toHkey(key), index, reinterpret_cast<wchar_t*>(name), &length,
                                      nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) {
        nameChars = length;
    }
    return result;
}

long Win32Registry::enumValue(KeyHandle key, std::uint32_t index, char16_t* name,
                              std::uint32_t& nameChars, std::uint32_t& type, void* data,
                              std::uint32_t& size) {
    if (name == nullptr || nameChars == 0) {
        return name == nullptr ? ERROR_INVALID_PARAMETER : ERROR_MORE_DATA;
    }
    DWORD length = nameChars;
    DWORD valueType = 0;
    DWORD bytes = size;
    const long result = RegEnumValueW(toHkey(key), index, reinterpret_cast<wchar_t*>(name), &length,
                                      nullptr, &valueType, static_cast<BYTE*>(data), &bytes);
    if (result == ERROR_SUCCESS) {
        nameChars = length;
        type = valueType;
        size = bytes;
    }
    return result;
}

long Win32Registry::deleteTree(KeyHandle parent, std::u16string_view path) {
    const ZeroEnded widePath(withoutLeadingBackslashes(path));
    // An empty path would make RegDeleteTreeW empty the parent itself, a root included.
    if (widePath.empty()) {
        return ERROR_INVALID_PARAMETER;
    }
    // Unlike RegDeleteKeyW on the desktop, this removes the key with its subkeys, as the
    // handheld's RegDeleteKeyW does.
    return RegDeleteTreeW(toHkey(parent), widePath.get());
}

}  // namespace corvane
