#include "core/adapter_list.h"

#include <algorithm>
#include <new>
#include <optional>

#include "core/settings_io.h"
#include "core/text.h"

namespace corvane {
namespace {

// The subkeys of "Comm" and of each adapter's key looked at: an index whose name cannot be read
// is passed over, and the limit ends the scan of a key that fails at every index.
inline constexpr std::uint32_t kScanLimit = 1000;
inline constexpr std::uint32_t kGroupReadLimit = 260;  // bytes, "Group" and "DisplayName"

std::unique_ptr<AdapterInfo> makeEntryOnHeap(std::u16string_view displayName,
                                             std::u16string_view tcpipKeyPath,
                                             std::u16string_view keyName) {
    return std::unique_ptr<AdapterInfo>(new (std::nothrow)
                                            AdapterInfo(displayName, tcpipKeyPath, keyName));
}

std::vector<std::u16string> scanSubkeys(Registry& registry, const RegKey& key) {
    return subkeyNames(registry, key.handle(), kNameChars, kScanLimit);
}

bool hasParmsSubkey(Registry& registry, const RegKey& adapterKey) {
    const std::vector<std::u16string> names = scanSubkeys(registry, adapterKey);
    return std::any_of(names.begin(), names.end(),
                       [](const std::u16string& name) { return equalsNoCase(name, u"Parms"); });
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
    for (const std::u16string& keyName : scanSubkeys(registry, comm)) {
        if (count_ == MaxAdapters) {
            break;
        }
        RegKey adapterKey;
        if (openKey(registry, comm.handle(), keyName, 0, adapterKey) != status::kSuccess) {
            continue;
        }
        const std::optional<std::u16string> group =
            readText(registry, adapterKey.handle(), u"Group", kGroupReadLimit);
        if (!group || !equalsNoCase(textOf(*group), u"NDIS")) {
            continue;
        }
        // Without a readable "DisplayName" the adapter is listed under its "Group" text.
        const std::optional<std::u16string> displayName =
            readText(registry, adapterKey.handle(), u"DisplayName", kGroupReadLimit);
        const std::u16string_view shownName = textOf(displayName ? *displayName : *group);
        const bool listed = hasParmsSubkey(registry, adapterKey);
        adapterKey.close();
        if (!listed) {
            continue;
        }
        std::u16string tcpipKeyPath = u"\\Comm\\";
        tcpipKeyPath.append(keyName).append(u"\\Parms\\TcpIp");
        if (tcpipKeyPath.size() >= kNameChars) {
            // A cut path would name another key, and a switch would create it: leave it out.
            continue;
        }
        std::unique_ptr<AdapterInfo> entry = makeEntry(shownName, tcpipKeyPath, keyName);
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

std::vector<AdapterInfo*> AdapterList::all() const {
    std::vector<AdapterInfo*> entries;
    for (int index = 0; index < count_; ++index) {
        entries.push_back(at(index));
    }
    return entries;
}

void AdapterList::clear() {
    for (auto& entry : entries_) {
        entry.reset();
    }
    count_ = 0;
}

}  // namespace corvane
