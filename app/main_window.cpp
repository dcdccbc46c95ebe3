#include "app/main_window.h"

#include <new>

#include "resources/resource.h"
#include "ui/ui_support.h"

namespace corvane {

bool commandLineSuppressesDialog(std::u16string_view commandLine) {
    return commandLine.find(u"-nod") != std::u16string_view::npos;
}

bool opensProfilesAtStart(std::u16string_view commandLine, std::uint32_t showAtStartup) {
    // Any non-zero stored value means on, as the option is documented.
    return !commandLineSuppressesDialog(commandLine) && showAtStartup != 0;
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

int runCreationSteps(AppState& state, WindowRef window, const MainWindowSteps& steps) {
    state.hwndMain = window;
    state.hwndCurrent = window;
    if (steps.addTrayIcon != nullptr) {
        steps.addTrayIcon(state);
    }
    state.adapters = steps.newAdapterList != nullptr
                         ? steps.newAdapterList()
                         : std::unique_ptr<AdapterList>(new (std::nothrow) AdapterList);
    if (!state.adapters) {
        showMessage(state, window, IDS_NO_MEMORY, mb::kIconExclamation);
        return -1;
    }
    if (state.adapters->enumerate(*state.registry, steps.makeEntry) < 1) {
        showMessage(state, window, IDS_NO_ADAPTERS, mb::kIconExclamation);
        return -1;
    }
    if (steps.rebuildTrayMenu != nullptr) {
        steps.rebuildTrayMenu(state);
    }
    return 0;
}

void runDestructionSteps(AppState& state, const MainWindowSteps& steps) {
    // The menu's entries point at adapters: they go first, so none is left dangling.
    state.menuItems.clear();
    state.adapters.reset();
    writeDwordOption(*state.registry, kApplyToAllOption, state.applyToAll);
    writeDwordOption(*state.registry, kShowStartOption, state.showAtStartup);
    if (steps.removeTrayIcon != nullptr) {
        steps.removeTrayIcon(state);
    }
}

}  // namespace corvane
