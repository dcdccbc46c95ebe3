#include "core/app_state.h"

namespace corvane {

AppState& appState() {
    static AppState state;
    return state;
}

InstanceRef appInstance() {
    return appState().hInstance;
}

void initAppState(AppState& state) {
    state.hwndCurrent = 0;
    state.hInstance = 0;
    state.adapters.reset();
    state.trayIcon.reset();
    state.commandBar = 0;
    state.commandBarHeight = 0;
    state.trayMenu.reset();
    state.busy = false;
    state.dialogOpen = false;
    readDwordOption(*state.registry, kApplyToAllOption, state.applyToAll, 0);
    readDwordOption(*state.registry, kShowStartOption, state.showAtStartup, 1);
}

bool readDwordOption(Registry& registry, std::u16string_view name, std::uint32_t& value,
                     std::uint32_t defaultValue) {
    value = defaultValue;
    RegKey key;
    if (openKey(registry, kCurrentUser, kAppKeyPath, 0, key) != status::kSuccess) {
        return false;
    }
    std::uint32_t type = 0;
    std::uint32_t data = 0;
    std::uint32_t size = sizeof data;
    if (registry.queryValue(key.handle(), name, &type, &data, &size) != status::kSuccess ||
        type != regtype::kDword || size != sizeof data) {
        return false;
    }
    value = data;
    return true;
}

bool writeDwordOption(Registry& registry, std::u16string_view name, std::uint32_t value) {
    RegKey key;
    if (createKey(registry, kCurrentUser, kAppKeyPath, key) != status::kSuccess) {
        return false;
    }
    return registry.setValue(key.handle(), name, regtype::kDword, &value, sizeof value) ==
           status::kSuccess;
}

void deleteOldVersionKeys(Registry& registry) {
    for (const std::u16string_view path : kOldKeyPaths) {
        registry.deleteTree(kCurrentUser, path);
    }
}

}  // namespace corvane
