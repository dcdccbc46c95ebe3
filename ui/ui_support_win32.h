// The window half of the shared UI operations: texts from the string table, message boxes
// captioned "Corvane", centring, the bold font and dialog set-up.
#pragma once

#include <windows.h>

#include <span>

#include "core/message.h"
#include "ui/window_state_win32.h"

namespace corvane {

// Loads string `id` of `instance` into `buffer`, cut to at most `capacity` characters with the
// zero (0 means 128) and never beyond the buffer itself. Returns the characters loaded; a missing
// string leaves the buffer empty.
int loadAppString(HINSTANCE instance, int id, std::span<char16_t> buffer, int capacity = 0);

// Shows `message` in a message box captioned "Corvane", owned by `owner` or, when that is null,
// by hwndCurrent. The text is cut to 259 characters before and 519 after its "%s" is filled in.
// Returns the button pressed; with `quiet` a notice is not shown, as if answered OK.
int showMessage(WindowState& windows, HWND owner, const Message& message, bool quiet = false);
// Each message in turn.
void showMessages(WindowState& windows, HWND owner, const Messages& messages, bool quiet = false);

// The stock system font in bold (weight 700); none when the stock font is unavailable.
OwnedFont createBoldFont();
// Centres `window` in the screen above the taskbar (the menu bar's height stands for it).
void centerWindow(HWND window);
// Gives the dialog's push buttons and group boxes `font`; false when there is none.
bool applyBoldFont(HFONT font, HWND dialog);
// Centres the dialog, then gives it the bold font.
void setupDialog(const WindowState& windows, HWND dialog);

}  // namespace corvane
