#include "platform/registry_win32.h"

#include <windows.h>

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

std::wstring toWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

// The handheld accepts "\Comm\X"; the desktop refuses a leading backslash with 161.
std::wstring toWidePath(std::u16string_view path) {
    while (!path.empty() && path.front() == u'\\') {
        path.remove_prefix(1);
    }
    return toWide(path);
}

}  // namespace

long Win32Registry::openKey(KeyHandle parent, std::u16string_view path, std::uint32_t access,
                            KeyHandle& key) {
    key = 0;
    const std::wstring widePath = toWidePath(path);
    HKEY opened = nullptr;
    long result = 0;
    if (access == 0) {
        // Access 0 means "whatever the caller may have" on the handheld; on the desktop it
        // opens a key that then refuses every query, so ask for the most that is granted.
        result = RegOpenKeyExW(toHkey(parent), widePath.c_str(), 0, MAXIMUM_ALLOWED, &opened);
        if (result == ERROR_ACCESS_DENIED) {
            result = RegOpenKeyExW(toHkey(parent), widePath.c_str(), 0, KEY_READ, &opened);
        }
    } else {
        result = RegOpenKeyExW(toHkey(parent), widePath.c_str(), 0, access, &opened);
    }
    if (result == ERROR_SUCCESS) {
        key = reinterpret_cast<KeyHandle>(opened);
    }
    return result;
}

long Win32Registry::createKey(KeyHandle parent, std::u16string_view path, KeyHandle& key,
                              bool* created) {
    key = 0;
    const std::wstring widePath = toWidePath(path);
    HKEY opened = nullptr;
    DWORD disposition = 0;
    const long result = RegCreateKeyExW(toHkey(parent), widePath.c_str(), 0, nullptr, 0,
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
    const std::wstring wideName = toWide(name);
    DWORD valueType = 0;
    DWORD bytes = size != nullptr ? *size : 0;
    const long result =
        RegQueryValueExW(toHkey(key), wideName.c_str(), nullptr, &valueType,
                         static_cast<BYTE*>(data), size != nullptr ? &bytes : nullptr);
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
    const std::wstring wideName = toWide(name);
    return RegSetValueExW(toHkey(key), wideName.c_str(), 0, type, static_cast<const BYTE*>(data),
                          size);
}

long Win32Registry::deleteValue(KeyHandle key, std::u16string_view name) {
    const std::wstring wideName = toWide(name);
    return RegDeleteValueW(toHkey(key), wideName.c_str());
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
    const std::wstring widePath = toWidePath(path);
    // An empty path would make RegDeleteTreeW empty the parent itself, a root included.
    if (widePath.empty()) {
        return ERROR_INVALID_PARAMETER;
    }
    // Unlike RegDeleteKeyW on the desktop, this removes the key with its subkeys, as the
    // handheld's RegDeleteKeyW does.
    return RegDeleteTreeW(toHkey(parent), widePath.c_str());
}

}  // namespace corvane
