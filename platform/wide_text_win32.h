// The program's UTF-16 text as Win32's wide characters, and back, without copying.
#pragma once

#include <windows.h>

#include <string_view>

namespace corvane {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 text is UTF-16");

inline const wchar_t* wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}
inline wchar_t* wide(char16_t* text) {
    return reinterpret_cast<wchar_t*>(text);
}
inline const char16_t* utf16(const wchar_t* text) {
    return reinterpret_cast<const char16_t*>(text);
}
inline char16_t* utf16(wchar_t* text) {
    return reinterpret_cast<char16_t*>(text);
}
inline std::u16string_view utf16(std::wstring_view text) {
    return std::u16string_view(utf16(text.data()), text.size());
}

}  // namespace corvane
