// The functions of modules that a start does not need, loaded the first time they are called:
// importing comctl32 and comdlg32 cost a start about a fifth of its time under Wine (against a
// minimal tray program, 1.30 times instead of 1.07), and most starts open no dialog.
#pragma once

#include <windows.h>
// After windows.h, which they need.
#include <commdlg.h>

namespace corvane {

// Makes the common controls' window classes known (ICC_ flags); false when comctl32 cannot be
// loaded.
bool initCommonControls(DWORD classes);

// GetOpenFileNameW and GetSaveFileNameW; false as well when comdlg32 cannot be loaded.
bool getOpenFileName(OPENFILENAMEW& dialog);
bool getSaveFileName(OPENFILENAMEW& dialog);

}  // namespace corvane
