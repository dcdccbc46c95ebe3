// The command line's run: handed to the running instance when there is one, else done here
// without the icon; and the running instance's side of the hand-over.
#pragma once

#include <windows.h>

#include "app/command_line.h"
#include "ui/window_state_win32.h"

namespace corvane {

// Runs `request` (not of kind None) and returns the exit code. Files are named by their full
// path before the request leaves this process.
int runCommandLine(WindowState& windows, CommandRequest request);

// WM_COPYDATA: a request from another instance, run here unless a command runs already. Returns
// its exit status for the other instance to end with.
LRESULT onCommandRequest(WindowState& windows, const COPYDATASTRUCT& data);

}  // namespace corvane
