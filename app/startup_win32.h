// The program's start, single-instance hand-over and message loop.
#pragma once

#include <windows.h>

namespace corvane {

// The whole run of the program; returns its exit code.
int runCorvane(HINSTANCE instance, const wchar_t* commandLine);

}  // namespace corvane
