#include "profiles_dialog/profile_name.h"

#include "profiles/profile_store.h"
#include "resources/resource.h"

namespace corvane {

NameCheck acceptProfileName(Registry& registry, std::u16string_view typed) {
    NameCheck check;
    check.name = typed.substr(0, kProfileNameChars - 1);
    if (check.name.empty()) {
        check.answer = NameAnswer::Empty;
    } else if (check.name.find(u'\\') != std::u16string::npos) {
        check.answer = NameAnswer::Refused;
        check.message = failure(IDS_PROFILE_NAME_BACKSLASH, check.name);
    } else if (profileExists(registry, check.name)) {
        check.answer = NameAnswer::Refused;
        check.message = failure(IDS_PROFILE_EXISTS, check.name);
    } else {
        check.answer = NameAnswer::Accepted;
    }
    return check;
}

}  // namespace corvane
