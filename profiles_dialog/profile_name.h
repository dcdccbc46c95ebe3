// The Profile Name dialog's judgement of a typed name; the dialog itself is profile_name_win32.
#pragma once

#include <string>
#include <string_view>

#include "core/message.h"
#include "core/registry.h"

namespace corvane {

// A typed name holds at most 39 characters.
inline constexpr int kProfileNameChars = 40;

enum class NameAnswer {
    Accepted,  // end the dialog with OK
    Empty,     // beep and stay open
    Refused,   // show the message; select the text and stay open
};

struct NameCheck {
    NameAnswer answer = NameAnswer::Empty;
    std::u16string name;  // the name as taken: cut to 39 characters
    Message message;      // why it was refused

    bool operator==(const NameCheck&) const = default;
};

// OK in the Profile Name dialog. A name is refused when it holds a backslash, which would file
// the profile one key deeper, or when a profile is stored under it, letter case ignored as the
// registry ignores it.
NameCheck acceptProfileName(Registry& registry, std::u16string_view typed);

}  // namespace corvane
