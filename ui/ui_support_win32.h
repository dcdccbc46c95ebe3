// The window half of the shared UI operations: texts from the string table, message boxes
// captioned "Corvane", centring, the bold font and dialog set-up.
#pragma once

#include <windows.h>

#include <span>

#include "core/app_state.h"
#include "core/message.h"

namespace corvane {

// Loads string `id` of the program's module into `buffer`, cut to at most `capacity` characters
// with the zero (0 means 128) and never beyond the buffer itself. Returns the characters loaded;
// a missing string leaves the buffer empty.
int loadAppString(const AppState& state, int id, std::span<char16_t> buffer, int capacity = 0);

// Shows `message` in a message box captioned "Corvane", owned by `owner` or, when that is null,
// by hwndCurrent. The text is cut to 259 characters before and 519 after its "%s" is filled in.
// Returns the button pressed; a notice while the state is quiet is not shown, as if answered OK.
int showMessage(AppState& state, HWND owner, const Message& message);
// Each message in turn.
void showMessages(AppState& state, HWND owner, const Messages& messages);

// Creates the state's bold font from the stock system font (weight 700); none when the stock font
// is unavailable.
void createBoldFont(AppState& state);
// Centres `window` in the screen above the taskbar (the menu bar's height stands for it).
void centerWindow(HWND window);
// Gives the dialog's push buttons and group boxes the bold font; false when there is none.
bool applyBoldFont(const AppState& state, HWND dialog);
// Centres the dialog, then gives it the bold font.
void setupDialog(const AppState& state, HWND dialog);

}  // namespace corvane
