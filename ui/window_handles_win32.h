// Owners of what the program's windows show and draw with: fonts, icons and menus.
#pragma once

#include <windows.h>

#include "platform/owned_handle_win32.h"

namespace corvane {

using OwnedFont = OwnedHandle<HFONT, DeleteObject>;
using OwnedIcon = OwnedHandle<HICON, DestroyIcon>;
using OwnedMenu = OwnedHandle<HMENU, DestroyMenu>;

}  // namespace corvane
