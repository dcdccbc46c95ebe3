#include "core/adapter_list.h"

#include <new>
#include <span>

#include "core/settings_io.h"
#include "core/text.h"

namespace corvane {
namespace {

inline constexpr std::uint32_t kScanLimit = 1000;
inline constexpr std::uint32_t kGroupReadLimit = 260;  // bytes, "Group" and "DisplayName"

std::unique_ptr<AdapterInfo> makeEntryOnHeap(std::u16string_view displayName,
                                             std::u16string_view tcpipKeyPath,
                                             std::u16string_view keyName) {
    return std::unique_ptr<AdapterInfo>(new (std::nothrow)
                                            AdapterInfo(displayName, tcpipKeyPath, keyName));
}

bool hasParmsSubkey(Registry& registry, const RegKey& adapterKey) {
    for (std::uint32_t index = 0; index < kScanLimit; ++index) {
        char16_t name[kNameChars] = {};
        std::uint32_t nameChars = kNameChars;
        const long result = registry.enumKey(adapterKey.handle(), index, name, nameChars);
        if (result == status::kNoMoreItems) {
            return false;
        }
        if (result == status::kSuccess && equalsNoCase(textOf(name), u"Parms")) {
            return true;
        }
    }
    return false;
}

}  // namespace

AdapterInfo::AdapterInfo(std::u16string_view displayName_, std::u16string_view tcpipKeyPath_,
                         std::u16string_view keyName_) {
    copyText(displayName, displayName_);
    copyText(tcpipKeyPath, tcpipKeyPath_);
    copyText(keyName, keyName_);
    setDefaults(settings);
}

bool readAdapterSettings(Registry& registry, AdapterInfo& adapter) {
    return readSettings(registry, adapter.settings, systemKeys(textOf(adapter.tcpipKeyPath)));
}

Written AdapterInfo::writeToSystem(Registry& registry, const NetSettings& record) {
    ChangeLog log;
    const Written written = writeSettings(registry, record, systemKeys(textOf(tcpipKeyPath)), &log);
    if (written != Written::Whole) {
        return written;
    }
    // Settings that cannot be read back are not known to work: they are taken back too.
    const NetSettings before = settings;
    if (!readAdapterSettings(registry, *this)) {
        settings = before;
        return undoChanges(registry, log) ? Written::Nothing : Written::Partly;
    }
    return Written::Whole;
}

int AdapterList::enumerate(Registry& registry, EntryMaker makeEntry) {
    clear();
    if (makeEntry == nullptr) {
        makeEntry = makeEntryOnHeap;
    }
    RegKey comm;
    if (openKey(registry, kLocalMachine, kAdaptersKeyPath, 0, comm) != status::kSuccess) {
        return 0;
    }
    for (std::uint32_t index = 0; index < kScanLimit && count_ < MaxAdapters; ++index) {
        char16_t keyName[kNameChars] = {};
        std::uint32_t nameChars = kNameChars;
        const long result = registry.enumKey(comm.handle(), index, keyName, nameChars);
        if (result == status::kNoMoreItems) {
            break;
        }
        RegKey adapterKey;
        if (result != status::kSuccess ||
            openKey(registry, comm.handle(), textOf(keyName), 0, adapterKey) != status::kSuccess) {
            continue;
        }
        // Without a readable "DisplayName" the adapter is listed under its "Group" text.
        char16_t group[kNameChars + 1] = {};
        std::uint32_t size = kGroupReadLimit;
        if (registry.queryValue(adapterKey.handle(), u"Group", nullptr, group, &size) !=
                status::kSuccess ||
            !equalsNoCase(textOf(group), u"NDIS")) {
            continue;
        }
        char16_t displayName[kNameChars + 1] = {};
        size = kGroupReadLimit;
        const bool named = registry.queryValue(adapterKey.handle(), u"DisplayName", nullptr,
                                               displayName, &size) == status::kSuccess;
        const std::u16string_view shownName =
            textOf(std::span<const char16_t>(named ? displayName : group, kGroupReadLimit / 2));
        const bool listed = hasParmsSubkey(registry, adapterKey);
        adapterKey.close();
        if (!listed) {
            continue;
        }
        std::u16string tcpipKeyPath = u"\\Comm\\";
        tcpipKeyPath.append(textOf(keyName)).append(u"\\Parms\\TcpIp");
        if (tcpipKeyPath.size() >= kNameChars) {
            // A cut path would name another key, and a switch would create it: leave it out.
            continue;
        }
        std::unique_ptr<AdapterInfo> entry = makeEntry(shownName, tcpipKeyPath, textOf(keyName));
        if (!entry) {
            continue;  // no memory for this adapter: leave it out and go on
        }
        readAdapterSettings(registry, *entry);
        entries_[static_cast<std::size_t>(count_++)] = std::move(entry);
    }
    return count_;
}

AdapterInfo* AdapterList::at(int index) const {
    return index >= 0 && index < count_ ? entries_[static_cast<std::size_t>(index)].get() : nullptr;
}

void AdapterList::clear() {
    for (auto& entry : entries_) {
        entry.reset();
    }
    count_ = 0;
}

}  // namespace corvane
