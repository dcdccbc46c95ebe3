#include "profiles_dialog/profile_name.h"

#include "core/app_state.h"
#include "core/text.h"
#include "profiles/profile_store.h"
#include "resources/resource.h"
#include "ui/ui_support.h"

namespace corvane {

NameAnswer acceptProfileName(AppState& state, WindowRef dialog, std::u16string_view typed) {
    copyText(state.profileName, typed);
    const std::u16string_view name = textOf(state.profileName);
    if (name.empty()) {
        return NameAnswer::Empty;
    }
    if (name.find(u'\\') != std::u16string_view::npos) {
        showFormattedMessage(state, dialog, IDS_PROFILE_NAME_BACKSLASH, name,
                             mb::kOk | mb::kIconExclamation);
        return NameAnswer::Refused;
    }
    // The exact check alone would let "office" overwrite "Office" unnoticed.
    if (profileExists(state, nullptr, name) || profileKeyExists(state, name)) {
        showFormattedMessage(state, dialog, IDS_PROFILE_EXISTS, name,
                             mb::kOk | mb::kIconExclamation);
        return NameAnswer::Refused;
    }
    return NameAnswer::Accepted;
}

}  // namespace corvane
