// Conversions between the portable code's opaque handles and Win32's, and UTF-16 text views.
#pragma once

#include <windows.h>

#include <string_view>

#include "core/handles.h"

namespace corvane {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 text is UTF-16");

inline HWND toHwnd(WindowRef window) {
    return reinterpret_cast<HWND>(window);
}
inline WindowRef toRef(HWND window) {
    return reinterpret_cast<WindowRef>(window);
}
inline HMENU toHmenu(MenuRef menu) {
    return reinterpret_cast<HMENU>(menu);
}
inline MenuRef toRef(HMENU menu) {
    return reinterpret_cast<MenuRef>(menu);
}
inline HFONT toHfont(FontRef font) {
    return reinterpret_cast<HFONT>(font);
}
inline FontRef toRef(HFONT font) {
    return reinterpret_cast<FontRef>(font);
}
inline HICON toHicon(IconRef icon) {
    return reinterpret_cast<HICON>(icon);
}
inline IconRef toRef(HICON icon) {
    return reinterpret_cast<IconRef>(icon);
}
inline HINSTANCE toHinstance(InstanceRef instance) {
    return reinterpret_cast<HINSTANCE>(instance);
}
inline InstanceRef toRef(HINSTANCE instance) {
    return reinterpret_cast<InstanceRef>(instance);
}

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
