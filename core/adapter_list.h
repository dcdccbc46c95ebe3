// The network adapters that can carry TCP/IP settings, found once at start-up.
#pragma once

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "core/net_settings.h"
#include "core/registry.h"
#include "core/registry_values.h"

namespace corvane {

inline constexpr int kNameChars = 260;
inline constexpr std::u16string_view kAdaptersKeyPath = u"Comm";

class AdapterInfo {
  public:
    AdapterInfo(std::u16string_view displayName, std::u16string_view tcpipKeyPath,
                std::u16string_view keyName);
    virtual ~AdapterInfo() = default;

    // Writes `record` into this adapter's system keys whole or not at all, then reads `settings`
    // back from them; settings that cannot be read back are taken back.
    Written writeToSystem(Registry& registry, const NetSettings& record);

    char16_t displayName[kNameChars] = {};
    char16_t tcpipKeyPath[kNameChars] = {};
    char16_t keyName[kNameChars] = {};
    // Held by value: an entry can never be without its settings.
    NetSettings settings{};
};

// Reads an adapter's current system settings, as the entry and writeToSystem do.
bool readAdapterSettings(Registry& registry, AdapterInfo& adapter);

class AdapterList {
  public:
    static constexpr int MaxAdapters = 50;
    // Makes an entry; returns null when there is no memory for it (tests can simulate that).
    using EntryMaker = std::unique_ptr<AdapterInfo> (*)(std::u16string_view displayName,
                                                        std::u16string_view tcpipKeyPath,
                                                        std::u16string_view keyName);

    // Empties the list and fills it from the registry; returns the count.
    int enumerate(Registry& registry, EntryMaker makeEntry = nullptr);
    int count() const { return count_; }
    // The entry at `index`, or null outside 0..count-1.
    AdapterInfo* at(int index) const;
    // Every entry, in the list's order.
    std::vector<AdapterInfo*> all() const;
    void clear();

  private:
    std::array<std::unique_ptr<AdapterInfo>, MaxAdapters> entries_;
    int count_ = 0;
};

}  // namespace corvane
