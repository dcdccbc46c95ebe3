// What the hidden main window decides, apart from the window system: the start-up choice of the
// dialog, the meaning of its commands and the adapters it starts with.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "core/app_state.h"
#include "core/message.h"

namespace corvane {

// Whether start-up opens the Network Profiles dialog: "-nod" anywhere in the command line, letter
// case significant, keeps it closed; otherwise the option decides (any non-zero value is on).
bool opensProfilesAtStart(std::u16string_view commandLine, std::uint32_t showAtStartup);

enum class MainCommand { kNone, kSwitchProfile, kShowProfiles, kExit };
MainCommand classifyMainCommand(std::uint32_t commandId);

// Creation steps 3 and 4: takes `list` (null when it could not be allocated) as the state's
// adapters and fills it from the registry. The message that stops the start when there is no
// list or no adapter; none when the main window may live.
std::optional<Message> takeAdapters(AppState& state, std::unique_ptr<AdapterList> list);

}  // namespace corvane
