#include "tray/switching.h"

#include "core/app_state.h"
#include "core/text.h"
#include "profiles/profile_store.h"
#include "profiles_dialog/profile_commands.h"
#include "profiles_dialog/profile_views.h"
#include "resources/resource.h"
#include "tray/menu_seam.h"
#include "ui/ui_support.h"

namespace corvane {
namespace {

void reportNotSet(AppState& state, WindowRef owner, std::u16string_view name) {
    showFormattedMessage(state, owner, IDS_SET_DEFAULT_FAILED, name,
                         mb::kOk | mb::kIconExclamation);
}

// Every adapter in list order, only the last one reporting; stops at the first adapter whose
// default cannot be recorded. False when that happened.
bool switchAllAdapters(AppState& state, WindowRef owner, std::u16string_view name) {
    const int count = state.adapters->count();
    for (int index = 0; index < count; ++index) {
        AdapterInfo* adapter = state.adapters->at(index);
        if (adapter != nullptr &&
            !setDefaultProfile(state, *adapter, name, true, index == count - 1)) {
            reportNotSet(state, owner, name);
            return false;
        }
    }
    return true;
}

}  // namespace

bool switchFromMenu(AppState& state, std::uint32_t commandId) {
    const ProfileMenuItem* entry = state.menuItems.findCommand(commandId);
    if (entry == nullptr || state.adapters == nullptr) {
        return false;
    }
    // The refresh at the end rebuilds the menu and destroys the entry: work on copies.
    char16_t name[kMenuProfileNameChars] = {};
    copyText(name, textOf(entry->profileName));
    AdapterInfo& adapter = *entry->adapter;

    state.busy = 1;
    state.menus->setForegroundWindow(state.hwndMain);
    if (state.applyToAll != 0) {
        switchAllAdapters(state, state.hwndMain, textOf(name));
    } else if (!setDefaultProfile(state, adapter, textOf(name), true, true)) {
        reportNotSet(state, state.hwndMain, textOf(name));
    }
    refreshProfileList(state, state.hwndMain);
    state.busy = 0;
    return true;
}

void switchFromDialog(AppState& state, WindowRef dialog) {
    const int adapterIndex = state.views->adapterSelection(dialog);
    AdapterInfo* adapter = state.adapters ? state.adapters->at(adapterIndex) : nullptr;
    const int profileIndex = state.views->profileSelection(dialog);
    // Taken whole: a cut name could name another profile. Names longer than a default can hold
    // are refused by setDefaultProfile with its message.
    char16_t name[kMenuProfileNameChars] = {};
    if (adapter == nullptr || profileIndex < 0 ||
        !copyTextWhole(name, state.views->profileText(dialog, profileIndex)) ||
        textOf(name).empty()) {
        refreshProfileList(state, dialog);
        return;
    }

    if (state.applyToAll == 0) {
        char16_t current[kDefaultNameChars] = {};
        if (loadDefaultProfileName(state, *adapter, current) && textOf(current) == textOf(name)) {
            return;  // already the default: nothing to store, apply or refresh
        }
        if (!setDefaultProfile(state, *adapter, textOf(name), true, true)) {
            reportNotSet(state, dialog, textOf(name));
        }
        refreshProfileList(state, dialog);
        return;
    }
    switchAllAdapters(state, dialog, textOf(name));
    refreshProfileList(state, dialog);
}

}  // namespace corvane
