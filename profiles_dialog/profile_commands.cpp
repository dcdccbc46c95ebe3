#include "profiles_dialog/profile_commands.h"

#include "core/app_state.h"
#include "core/text.h"
#include "profiles/profile_store.h"
#include "profiles_dialog/profile_views.h"
#include "resources/resource.h"
#include "tray/tray_menu.h"
#include "ui/ui_support.h"

namespace corvane {

void refreshProfileList(AppState& state, WindowRef window) {
    const int adapterIndex = state.views->adapterSelection(window);
    AdapterInfo* adapter = state.adapters ? state.adapters->at(adapterIndex) : nullptr;
    if (adapter == nullptr) {
        return;
    }
    const int count = enumerateProfiles(state, *adapter, 0, 0, -1);

    char16_t defaultName[kDefaultNameChars] = {};
    if (!loadDefaultProfileName(state, *adapter, defaultName) || count < 1) {
        if (showFormattedMessage(state, state.hwndCurrent, IDS_OFFER_DEFAULT,
                                 textOf(adapter->displayName),
                                 mb::kYesNo | mb::kIconQuestion) == mb::kIdYes) {
            state.ui->loadString(IDS_DEFAULT_PROFILE_NAME, state.profileName);
            if (state.views->promptProfileName(state, adapter) != mb::kIdOk) {
                return;
            }
            if (createProfileFromSystem(state, textOf(state.profileName), *adapter)) {
                enumerateProfiles(state, *adapter, 0, 0, -1);
            }
        }
    }

    char16_t currentDefault[kDefaultNameChars] = {};
    if (loadDefaultProfileName(state, *adapter, currentDefault)) {
        const int found = state.views->findProfile(window, textOf(currentDefault));
        if (found >= 0) {
            state.views->selectProfile(window, found);
        }
    }
    state.views->enableProfileButtons(window, state.views->profileSelection(window) >= 0);
    rebuildTrayMenu(state);
}

bool createProfileFromSystem(AppState& state, std::u16string_view name, AdapterInfo& adapter) {
    const NetSettings copy = adapter.settings;
    if (!saveProfile(state, name, copy)) {
        showFormattedMessage(state, 0, IDS_CREATE_FAILED, name, mb::kOk | mb::kIconExclamation);
        return false;
    }
    if (!setDefaultProfile(state, adapter, name, false, true)) {
        showFormattedMessage(state, 0, IDS_SET_DEFAULT_FAILED, name,
                             mb::kOk | mb::kIconExclamation);
        return false;
    }
    return true;
}

}  // namespace corvane
