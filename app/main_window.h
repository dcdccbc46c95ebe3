// What the hidden main window decides, apart from the window system: the start-up choice of the
// dialog and the adapters it starts with.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/message.h"
#include "core/session.h"

namespace corvane {

// Whether start-up opens the Network Profiles dialog: "-nod" anywhere in the command line, letter
// case significant, keeps it closed; otherwise the option decides (any non-zero value is on).
bool opensProfilesAtStart(std::u16string_view commandLine, std::uint32_t showAtStartup);

// Fills the session's adapters from the registry. The message that stops the start when there is
// no adapter; none when the program may go on.
std::optional<Message> findAdapters(Session& session);

}  // namespace corvane
