// The hidden main window: its class, its procedure and its creation.
#pragma once

#include <windows.h>

#include "core/app_state.h"

namespace corvane {

// Makes "CorvaneClass" known; a class this process already registered counts as known.
bool registerMainWindowClass(HINSTANCE instance);
// Creates the hidden main window for `state` (slot 0 holds it) and stores it in hwndMain; null
// when creation fails, which includes a failed start (no adapter, no memory).
HWND createMainWindow(AppState& state);
// The main window of an instance already running, found by its class and title; null when none.
HWND findRunningInstance(const AppState& state);

}  // namespace corvane
