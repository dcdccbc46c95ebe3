// The dotted address control "KV_IPAddress": four subclassed edit fields between painted dots.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string_view>

#include "address_control/ip_address.h"

namespace corvane {

inline constexpr wchar_t kIpAddressClass[] = L"KV_IPAddress";

struct IpAddressField {
    HWND edit;
    WNDPROC editProc;
    FieldRange range;
};

// The state of one control, kept in its window slot 0 from creation to destruction.
struct IpAddressControl {
    HWND owner;
    std::int32_t fieldWidth;
    std::int32_t dotWidth;
    std::uint32_t style;
    std::uint32_t enabled;
    std::uint32_t painted;
    bool inRangeMessage;
    bool hasFocus;
    IpAddressField fields[kAddressFields];
};

// The class exists while a settings editor is open.
ATOM RegisterIpAddressClass(HINSTANCE instance);
void UnregisterIpAddressClass(HINSTANCE instance);

// Shows `text` in the control; text that is not a valid address leaves it blank.
void SetAddressText(HWND control, std::u16string_view text);
// The control's address as text, empty when it is blank; returns the characters written, or the
// non-zero blank answer for a blank control. A field outside its range is written as typed, so
// that the text fails IsValidAddressText instead of standing for a different address.
int GetAddressText(HWND control, std::span<char16_t> buffer);

// Every beep of the fields goes through here; tests count them instead.
using BeepFunction = void (*)(UINT type);
// Installs `beep` (nullptr: the platform's MessageBeep); returns the previous one.
BeepFunction setIpAddressBeep(BeepFunction beep);

}  // namespace corvane
