// The window half of the shared UI operations: centring, the bold font and dialog set-up.
#pragma once

#include <windows.h>

#include "core/app_state.h"

namespace corvane {

// Creates the state's bold font from the stock system font (weight 700); null when the stock
// font is unavailable. deleteBoldFont releases it.
void createBoldFont(AppState& state);
void deleteBoldFont(AppState& state);

// Centres `window` in the screen above the taskbar (the menu bar's height stands for it).
void centerWindow(AppState& state, HWND window);
// Gives the dialog's push buttons and group boxes the bold font; 0 when there is none.
int applyBoldFont(AppState& state, HWND dialog);
// Centres the dialog, then gives it the bold font.
void setupDialog(AppState& state, HWND dialog);
void setupDialog(HWND dialog);

}  // namespace corvane
