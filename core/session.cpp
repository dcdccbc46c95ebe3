#include "core/session.h"

#include "core/registry_values.h"

namespace corvane {

void readOptions(Session& session) {
    readDwordOption(session.registry, kApplyToAllOption, session.applyToAll, 0);
    readDwordOption(session.registry, kShowStartOption, session.showAtStartup, 1);
}

void writeOptions(Session& session) {
    writeDwordOption(session.registry, kApplyToAllOption, session.applyToAll);
    writeDwordOption(session.registry, kShowStartOption, session.showAtStartup);
}

bool readDwordOption(Registry& registry, std::u16string_view name, std::uint32_t& value,
                     std::uint32_t defaultValue) {
    RegKey key;
    const std::optional<std::uint32_t> stored =
        openKey(registry, kCurrentUser, kAppKeyPath, 0, key) == status::kSuccess
            ? readDword(registry, key.handle(), name)
            : std::nullopt;
    value = stored.value_or(defaultValue);
    return stored.has_value();
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
