#include "profiles/profile_store.h"

#include <new>

#include "core/app_state.h"
#include "core/apply.h"
#include "core/registry.h"
#include "core/settings_io.h"
#include "core/text.h"
#include "profiles_dialog/profile_views.h"
#include "resources/resource.h"
#include "tray/menu_seam.h"
#include "ui/ui_support.h"

namespace corvane {
namespace {

inline constexpr std::u16string_view kProfilesPrefix =
    u"Software\\Tavelorn\\Corvane\\1.2\\Profiles\\";
inline constexpr std::uint32_t kDefaultNameBytes = kDefaultNameChars * sizeof(char16_t);

// The adapter's own key beside "Profiles", which holds its "DefProfile".
bool adapterKeyPath(const AdapterInfo& adapter, std::span<char16_t, kProfilePathChars> path) {
    std::u16string text(kAppKeyPath);
    text.append(u"\\").append(textOf(adapter.keyName));
    return copyTextWhole(path, text);
}

bool openAdapterKey(AppState& state, const AdapterInfo& adapter, RegKey& key) {
    char16_t path[kProfilePathChars] = {};
    return adapterKeyPath(adapter, path) &&
           createKey(*state.registry, kCurrentUser, textOf(path), key) == status::kSuccess;
}

void addMenuItem(AppState& state, AdapterInfo& adapter, MenuRef menu, int position,
                 std::uint32_t commandId, std::u16string_view name) {
    state.menus->addItem(menu, position, commandId, name);
    std::unique_ptr<ProfileMenuItem> item(new (std::nothrow) ProfileMenuItem);
    if (!item) {
        return;  // the menu item stays without a record and does nothing when chosen
    }
    item->commandId = commandId;
    copyText(item->profileName, name);
    item->adapter = &adapter;
    state.menuItems.append(std::move(item));
}

// Hands each stored profile name to `visit`, in the registry's order, until it returns false.
// An index that fails with anything but 259, or whose name does not fit, is skipped. False when
// there is no "Profiles" key.
template <typename Visit>
bool forEachProfileName(AppState& state, Visit visit) {
    RegKey profiles;
    if (openKey(*state.registry, kCurrentUser, kProfilesKeyPath, 0, profiles) != status::kSuccess) {
        return false;
    }
    for (std::uint32_t index = 0; index < kProfileScanLimit; ++index) {
        char16_t name[kMenuProfileNameChars] = {};
        std::uint32_t nameChars = kMenuProfileNameChars;
        const long result = state.registry->enumKey(profiles.handle(), index, name, nameChars);
        if (result == status::kNoMoreItems) {
            break;
        }
        if (result == status::kSuccess && !textOf(name).empty() && !visit(textOf(name))) {
            break;
        }
    }
    return true;
}

}  // namespace

bool profileKeyPath(std::u16string_view name, std::span<char16_t, kProfilePathChars> path) {
    if (name.empty() || name.find(u'\\') != std::u16string_view::npos) {
        copyText(path, u"");
        return false;
    }
    std::u16string text(kProfilesPrefix);
    text.append(name);
    return copyTextWhole(path, text);
}

int enumerateProfiles(AppState& state, AdapterInfo& adapter, MenuRef menu, std::uint32_t firstId,
                      int position) {
    int count = 0;
    std::uint32_t markedId = 0;
    std::uint32_t commandId = firstId;
    char16_t defaultName[kDefaultNameChars] = {};
    if (menu != 0) {
        loadDefaultProfileName(state, adapter, defaultName);
    } else {
        state.views->resetProfiles(state.hwndCurrent);
    }

    forEachProfileName(state, [&](std::u16string_view name) {
        if (menu != 0) {
            if (name == textOf(defaultName)) {
                markedId = commandId;
            }
            addMenuItem(state, adapter, menu, position, commandId, name);
        } else {
            state.views->addProfile(state.hwndCurrent, name);
        }
        ++count;
        ++commandId;
        return true;
    });
    if (menu != 0 && markedId != 0) {
        state.menus->checkRadio(menu, firstId, firstId + static_cast<std::uint32_t>(count) - 1,
                                markedId);
    }
    return count;
}

bool profileExists(AppState& state, AdapterInfo*, std::u16string_view name) {
    bool found = false;
    forEachProfileName(state, [&](std::u16string_view stored) {
        found = stored == name;
        return !found;
    });
    return found;
}

bool profileKeyExists(AppState& state, std::u16string_view name) {
    char16_t path[kProfilePathChars] = {};
    RegKey key;
    return profileKeyPath(name, path) &&
           openKey(*state.registry, kCurrentUser, textOf(path), 0, key) == status::kSuccess;
}

bool loadDefaultProfileName(AppState& state, const AdapterInfo& adapter,
                            char16_t (&name)[kDefaultNameChars]) {
    RegKey key;
    if (!openAdapterKey(state, adapter, key)) {
        return false;
    }
    char16_t stored[kDefaultNameChars] = {};
    std::uint32_t size = kDefaultNameBytes;
    if (state.registry->queryValue(key.handle(), kDefaultProfileValue, nullptr, stored, &size) !=
            status::kSuccess ||
        size > kDefaultNameBytes) {
        return false;
    }
    // The value may lack its zero (any type is accepted): 128 characters without one do not
    // fit the caller's buffer and read as missing, leaving it as it was.
    const std::u16string_view text =
        textOf(std::span<const char16_t>(stored, size / sizeof(char16_t)));
    if (text.size() >= static_cast<std::size_t>(kDefaultNameChars)) {
        return false;
    }
    copyText(name, text);
    return true;
}

bool setDefaultProfile(AppState& state, AdapterInfo& adapter, std::u16string_view name, bool apply,
                       bool showMessages) {
    char16_t path[kProfilePathChars] = {};
    if (name.size() >= static_cast<std::size_t>(kDefaultNameChars) || !profileKeyPath(name, path)) {
        return false;
    }
    RegKey key;
    if (!openAdapterKey(state, adapter, key)) {
        return false;
    }
    std::u16string data(name);
    data.push_back(u'\0');
    if (state.registry->setValue(key.handle(), kDefaultProfileValue, regtype::kString, data.data(),
                                 static_cast<std::uint32_t>(data.size() * sizeof(char16_t))) !=
        status::kSuccess) {
        return false;
    }
    key.close();
    if (!apply) {
        return true;
    }
    NetSettings record;
    if (!loadProfile(state, name, record)) {
        showFormattedMessage(state, 0, IDS_LOAD_FAILED, name, mb::kOk | mb::kIconExclamation);
        return true;
    }
    applyToSystem(state, adapter, record, showMessages);
    return true;
}

bool deleteSelectedProfile(AppState& state, WindowRef dialog) {
    const int adapterIndex = state.views->adapterSelection(dialog);
    if (state.adapters == nullptr || state.adapters->at(adapterIndex) == nullptr) {
        return false;
    }
    const int profileIndex = state.views->profileSelection(dialog);
    if (profileIndex < 0) {
        return false;
    }
    // Every name the store can list fits; cutting one could name another profile.
    char16_t name[kMenuProfileNameChars] = {};
    if (!copyTextWhole(name, state.views->profileText(dialog, profileIndex)) ||
        textOf(name).empty()) {
        return false;
    }
    if (showFormattedMessage(state, dialog, IDS_CONFIRM_DELETE, textOf(name),
                             mb::kYesNo | mb::kIconQuestion) != mb::kIdYes) {
        return false;
    }
    bool deleted = false;
    RegKey profiles;
    char16_t path[kProfilePathChars] = {};
    // An empty or nested name would delete the wrong key: only a key of its own is deleted.
    if (profileKeyPath(textOf(name), path) &&
        openKey(*state.registry, kCurrentUser, kProfilesKeyPath, 0, profiles) == status::kSuccess) {
        deleted = state.registry->deleteTree(profiles.handle(), textOf(name)) == status::kSuccess;
    }
    profiles.close();
    if (!deleted) {
        showMessage(state, dialog, IDS_DELETE_FAILED, mb::kOk | mb::kIconExclamation);
    }
    return true;
}

bool loadProfile(AppState& state, std::u16string_view name, NetSettings& record) {
    setDefaults(record);
    char16_t path[kProfilePathChars] = {};
    return profileKeyPath(name, path) && readSettings(*state.registry, record, kCurrentUser,
                                                      textOf(path), textOf(path), textOf(path));
}

bool saveProfile(AppState& state, std::u16string_view name, const NetSettings& record) {
    char16_t path[kProfilePathChars] = {};
    return profileKeyPath(name, path) && writeSettings(*state.registry, record, kCurrentUser,
                                                       textOf(path), textOf(path), textOf(path));
}

}  // namespace corvane
