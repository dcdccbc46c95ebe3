// The dotted address control "KV_IPAddress": four edit fields between painted dots. Its messages
// are the system's IPM_ messages of <commctrl.h>, with the same numbers.
#pragma once

#include <windows.h>

#include <span>
#include <string_view>

namespace corvane {

inline constexpr wchar_t kIpAddressClass[] = L"KV_IPAddress";

// The class exists while a settings editor is open.
ATOM registerIpAddressClass(HINSTANCE instance);
void unregisterIpAddressClass(HINSTANCE instance);

// Shows `text` in the control; text that is not a valid address leaves it blank.
void setAddressText(HWND control, std::u16string_view text);
// The control's address as text, empty when it is blank; returns the characters written, or the
// non-zero blank answer for a blank control. A field outside its range is written as typed, so
// that the text fails isValidAddressText instead of standing for a different address.
int getAddressText(HWND control, std::span<char16_t> buffer);

}  // namespace corvane
