// The handheld's command bar, which desktop Windows lacks, as a bar of our own across the top of
// a dialog: a toolbar whose first button drops down the bar's menu, and help, OK and close
// buttons at its right end. Like the handheld's bar it sends the dialog WM_HELP, IDOK and
// IDCANCEL and the menu's commands, and it goes with the dialog.
#pragma once

#include <windows.h>

namespace corvane {

// A new, empty bar across the top of `dialog`; null when it cannot be made.
HWND commandBarCreate(HINSTANCE instance, HWND dialog, int id);
// Makes the first popup of menu resource `menuId` the bar's menu: a drop-down button titled as
// the popup is ("&Corvane": Alt+C opens it too).
bool commandBarInsertMenubar(HWND bar, HINSTANCE instance, int menuId);
// The help, OK and close buttons, titled from the string table.
bool commandBarAddAdornments(HWND bar, HINSTANCE instance);
// The bar's height in pixels.
int commandBarHeight(HWND bar);
// The bar's menu, whose commands go to the dialog; null before it has one.
HMENU commandBarMenu(HWND bar);

}  // namespace corvane
