#include "app/main_window.h"

#include "resources/resource.h"

namespace corvane {

bool opensProfilesAtStart(std::u16string_view commandLine, std::uint32_t showAtStartup) {
    return commandLine.find(u"-nod") == std::u16string_view::npos && showAtStartup != 0;
}

MainCommand classifyMainCommand(std::uint32_t commandId) {
    // The two fixed commands lie above the profile range's start, so they are matched first.
    if (commandId == IDM_SHOW_PROFILES) {
        return MainCommand::kShowProfiles;
    }
    if (commandId == IDM_EXIT) {
        return MainCommand::kExit;
    }
    return commandId >= IDM_FIRST_PROFILE ? MainCommand::kSwitchProfile : MainCommand::kNone;
}

std::optional<Message> takeAdapters(AppState& state, std::unique_ptr<AdapterList> list) {
    state.adapters = std::move(list);
    if (!state.adapters) {
        return failure(IDS_NO_MEMORY);
    }
    if (state.adapters->enumerate(*state.registry) < 1) {
        return failure(IDS_NO_ADAPTERS);
    }
    return std::nullopt;
}

}  // namespace corvane
