// What the logic works with while the program runs: the seams to the platform, the adapters found
// at start-up and the two options. Functions take the part they use; the windows have a record of
// their own above this.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/adapter_list.h"
#include "core/registry.h"
#include "core/system.h"

namespace corvane {

inline constexpr char16_t kAppKeyPathText[] = u"Software\\Tavelorn\\Corvane\\1.2";
inline constexpr std::u16string_view kAppKeyPath = kAppKeyPathText;

namespace detail {
template <std::size_t A, std::size_t B>
constexpr std::array<char16_t, A + B - 1> joined(const char16_t (&a)[A], const char16_t (&b)[B]) {
    std::array<char16_t, A + B - 1> out{};
    for (std::size_t i = 0; i + 1 < A; ++i) {
        out[i] = a[i];
    }
    for (std::size_t i = 0; i < B; ++i) {
        out[A - 1 + i] = b[i];
    }
    return out;
}
inline constexpr auto kProfilesKeyPathText = joined(kAppKeyPathText, u"\\Profiles");
}  // namespace detail

// The stored profiles, one key each, below the application key.
inline constexpr std::u16string_view kProfilesKeyPath(detail::kProfilesKeyPathText.data(),
                                                      detail::kProfilesKeyPathText.size() - 1);

// Keys of older versions, removed with everything below them at start-up.
inline constexpr std::u16string_view kOldKeyPaths[] = {u"Software\\Tavelorn\\Corvane\\1.0",
                                                       u"Software\\Tavelorn\\Corvane\\1.1"};
inline constexpr std::u16string_view kShowStartOption = u"ShowStart";
inline constexpr std::u16string_view kApplyToAllOption = u"ApplyToAll";

struct Session {
    Session(Registry& registry, System& system) : registry(registry), system(system) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Registry& registry;
    System& system;
    AdapterList adapters;
    std::uint32_t applyToAll = 0;     // any non-zero value is on
    std::uint32_t showAtStartup = 1;  // any non-zero value is on
};

// The two options as stored, each at its default when it cannot be read.
void readOptions(Session& session);
// Both options into the application key; failures are silent, as the program is ending.
void writeOptions(Session& session);

// True when the application key holds `name` as a REG_DWORD of exactly 4 bytes; otherwise
// `value` is `defaultValue`.
bool readDwordOption(Registry& registry, std::u16string_view name, std::uint32_t& value,
                     std::uint32_t defaultValue);
// Stores `value` as a REG_DWORD in the application key, creating the key; false on any failure.
bool writeDwordOption(Registry& registry, std::u16string_view name, std::uint32_t value);

// Removes the keys of older versions with all their subkeys; missing keys are fine.
void deleteOldVersionKeys(Registry& registry);

}  // namespace corvane
