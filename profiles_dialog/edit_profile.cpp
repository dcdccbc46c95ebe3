#include "profiles_dialog/edit_profile.h"

#include <string>

#include "core/app_state.h"
#include "core/apply.h"
#include "core/net_settings.h"
#include "core/settings_io.h"
#include "core/text.h"
#include "profiles/profile_store.h"
#include "profiles_dialog/profile_views.h"
#include "resources/resource.h"
#include "settings_editor/settings_editor.h"
#include "ui/ui_support.h"

namespace corvane {
namespace {

constexpr int kPromptAccepted = 1;

bool isDefaultOf(AppState& state, const AdapterInfo& adapter, std::u16string_view name) {
    char16_t defaultName[kDefaultNameChars] = {};
    return loadDefaultProfileName(state, adapter, defaultName) && textOf(defaultName) == name;
}

// Applies the stored record to every adapter whose default it is: all adapters with "Apply
// Network Profile to All Adapters" (only the last one reporting), else the selected one.
void reapply(AppState& state, AdapterInfo& selected, std::u16string_view name,
             const NetSettings& record) {
    if (!state.applyToAll) {
        if (isDefaultOf(state, selected, name)) {
            applyToSystem(state, selected, record, true);
        }
        return;
    }
    const int count = state.adapters->count();
    for (int i = 0; i < count; ++i) {
        AdapterInfo* adapter = state.adapters->at(i);
        if (adapter != nullptr && isDefaultOf(state, *adapter, name)) {
            applyToSystem(state, *adapter, record, i == count - 1);
        }
    }
}

}  // namespace

bool editProfile(AppState& state, bool createNew) {
    if (!state.adapters || state.views == nullptr || state.settingsEditor == nullptr) {
        return false;
    }
    const int selection = state.views->adapterSelection(state.hwndCurrent);
    AdapterInfo* adapter = selection >= 0 ? state.adapters->at(selection) : nullptr;
    if (adapter == nullptr) {
        return false;
    }

    NetSettings record;
    setDefaults(record);
    std::u16string name;
    if (createNew) {
        copyText(state.profileName, u"");
        if (state.views->promptProfileName(state, adapter) != kPromptAccepted) {
            return false;
        }
        name = textOf(state.profileName);
        readSystemIdentity(*state.registry, record);
    } else {
        const int profile = state.views->profileSelection(state.hwndCurrent);
        if (profile < 0) {
            return false;
        }
        // The whole name serves from here on: an imported name may be longer than profileName
        // holds, and a cut name would load and store a different profile.
        name = state.views->profileText(state.hwndCurrent, profile);
        copyText(state.profileName, name);
        if (!loadProfile(state, name, record)) {
            showFormattedMessage(state, 0, IDS_LOAD_FAILED, name, mb::kOk | mb::kIconExclamation);
            return false;
        }
    }

    const NetSettings before = record;
    if (!state.settingsEditor->edit(state, state.hwndCurrent, record)) {
        return false;
    }
    if (!differs(record, before)) {
        return false;  // nothing changed: nothing stored, and no new profile
    }
    if (!saveProfile(state, name, record)) {
        showFormattedMessage(state, 0, IDS_SAVE_FAILED, name, mb::kOk | mb::kIconExclamation);
        return false;
    }
    reapply(state, *adapter, name, record);
    return true;
}

}  // namespace corvane
