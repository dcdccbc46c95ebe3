// The hidden main window: its class, its procedure and its creation.
#pragma once

#include <windows.h>

#include "ui/window_state_win32.h"

namespace corvane {

// The hidden main window's class; a second instance finds the first one by it.
inline constexpr wchar_t kMainClassName[] = L"CorvaneClass";

// Makes "CorvaneClass" known; a class this process already registered counts as known.
bool registerMainWindowClass(HINSTANCE instance);
// Creates the hidden main window for `windows` (its slot 0 holds them) and stores it in hwndMain;
// null when creation fails, which includes a start without an adapter.
HWND createMainWindow(WindowState& windows);
// The main window of an instance already running, found by its class and title; null when none.
HWND findRunningInstance(HINSTANCE instance);

}  // namespace corvane
