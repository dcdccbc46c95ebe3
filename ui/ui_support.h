// Shared UI operations: string loading, message boxes captioned with the product name, help,
// centring and the bold dialog font. The portable half; the window half is ui_support_win32.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/app_state.h"
#include "core/ui.h"

namespace corvane {

// Help topics of the help viewer.
inline constexpr std::u16string_view kHelpMain = u"corvane.htm#corvane_help";
inline constexpr std::u16string_view kHelpProfiles = u"corvane.htm#profiles";
inline constexpr std::u16string_view kHelpImportExport = u"corvane.htm#impexp";

// Buffer sizes in characters, terminating zero included.
inline constexpr int kDefaultStringChars = 128;  // loadAppString's capacity 0
inline constexpr int kCaptionChars = 20;
inline constexpr int kMessageChars = 260;
inline constexpr int kFormattedChars = 520;

// Loads string `id` into `buffer`, cut to at most `capacity` characters with the zero (0 means
// 128) and never beyond the buffer itself: the buffer is a span, so its size always bounds the
// copy whatever capacity the caller names. Returns the characters loaded; 0 leaves it empty.
int loadAppString(const AppState& state, int id, std::span<char16_t> buffer, int capacity = 0);

// `format` with its first "%s" replaced by `argument` and "%%" by "%", cut to fit `out` and
// always terminated. A further "%s" stays empty; other "%" sequences are copied as they are.
// Returns the characters written.
int formatText(std::span<char16_t> out, std::u16string_view format, std::u16string_view argument);

// Shows string `stringId` in a message box captioned "Corvane"; the owner is `owner`, or
// hwndCurrent when `owner` is 0. Returns the button pressed.
int showMessage(AppState& state, WindowRef owner, int stringId, std::uint32_t style);
// The same with the string's one "%s" replaced by `argument`.
int showFormattedMessage(AppState& state, WindowRef owner, int stringId,
                         std::u16string_view argument, std::uint32_t style);

// Starts the help viewer on `topic` and does not wait; a missing viewer does nothing.
void showHelp(AppState& state, std::u16string_view topic);

struct ScreenPoint {
    int x = 0;
    int y = 0;
};
// Where a window goes to be centred in the screen above the taskbar, whose height the menu
// bar's stands for. Halves truncate toward zero; a window larger than the screen goes negative.
ScreenPoint centeredPosition(int screenWidth, int screenHeight, int menuBarHeight, int windowWidth,
                             int windowHeight);

// Push buttons, default push buttons and group boxes take the bold font; nothing else does.
bool takesBoldFont(std::u16string_view className, std::uint32_t style);

}  // namespace corvane
