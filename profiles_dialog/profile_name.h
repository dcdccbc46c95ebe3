// The Profile Name dialog's judgement of a typed name; the dialog itself is Win32.
#pragma once

#include <string_view>

#include "core/ui.h"

namespace corvane {

class AppState;
class AdapterInfo;

enum class NameAnswer {
    Accepted,  // end the dialog with OK
    Empty,     // beep and stay open
    Refused,   // a message was shown; select the text and stay open
};

// OK in the Profile Name dialog: takes `typed` into the state's profileName (at most 39
// characters) and judges it. A name is refused when it holds a backslash, which would file the
// profile one key deeper, or when storing it would reach an existing profile, letter case
// ignored as the registry ignores it. Messages are owned by `dialog`.
NameAnswer acceptProfileName(AppState& state, WindowRef dialog, std::u16string_view typed);

// Runs the Profile Name dialog (template 106) modally; 1 OK, 2 cancelled, 3 without adapter.
// Windows only.
int runProfileNameDialog(AppState& state, WindowRef owner, AdapterInfo* adapter);

}  // namespace corvane
