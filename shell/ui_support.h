// Shared UI operations: string loading, message boxes captioned with the product name, help,
// centring and the bold dialog font. The portable half; the window half is ui_support_win32.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/ui.h"
#include "shell/app_state.h"

namespace corvane {

// Help topics of the help viewer.
inline constexpr std::u16string_view kHelpMain = u"corvane.htm#corvane_help";
inline constexpr std::u16string_view kHelpProfiles = u"corvane.htm#profiles";
inline constexpr std::u16string_view kHelpImportExport = u"corvane.htm#impexp";

// Shows string `stringId` in a message box captioned "Corvane"; the owner is `owner`, or
// hwndCurrent when `owner` is 0. Returns the button pressed.
int showMessage(AppState& state, WindowRef owner, int stringId, std::uint32_t style);
// The same with the string's one "%s" replaced by `argument`.
int showFormattedMessage(AppState& state, WindowRef owner, int stringId,
                         std::u16string_view argument, std::uint32_t style);

}  // namespace corvane
