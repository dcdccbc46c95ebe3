#include "app/main_window.h"

#include "resources/resource.h"

namespace corvane {

bool opensProfilesAtStart(std::u16string_view commandLine, std::uint32_t showAtStartup) {
    return commandLine.find(u"-nod") == std::u16string_view::npos && showAtStartup != 0;
}

std::optional<Message> findAdapters(Session& session) {
    if (session.adapters.enumerate(session.registry) < 1) {
        return failure(IDS_NO_ADAPTERS);
    }
    return std::nullopt;
}

}  // namespace corvane
