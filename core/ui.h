// The user-interface seam of the portable logic: string resources and message boxes. The real
// program shows real message boxes; tests script the answers and record every box.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace corvane {

// Opaque handles of the platform's windows and objects; 0 is none.
using WindowRef = std::uintptr_t;
using MenuRef = std::uintptr_t;
using FontRef = std::uintptr_t;
using IconRef = std::uintptr_t;
using InstanceRef = std::uintptr_t;

namespace mb {
inline constexpr std::uint32_t kOk = 0x00;
inline constexpr std::uint32_t kYesNo = 0x04;
inline constexpr std::uint32_t kIconQuestion = 0x20;
inline constexpr std::uint32_t kIconExclamation = 0x30;
inline constexpr std::uint32_t kIconInformation = 0x40;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
}  // namespace mb

class UserInterface {
  public:
    virtual ~UserInterface() = default;
    // Copies string resource `id` into `buffer`, cut to fit and always terminated; returns the
    // number of characters copied (0 when there is no such string).
    virtual int loadString(int id, std::span<char16_t> buffer) = 0;
    // A modal message box; returns the button pressed.
    virtual int messageBox(WindowRef owner, std::u16string_view text, std::u16string_view caption,
                           std::uint32_t style) = 0;
};

}  // namespace corvane
