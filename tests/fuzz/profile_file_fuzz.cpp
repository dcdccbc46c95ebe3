// Any bytes as a profile file: the import must never crash, read past a buffer, write outside
// the Profiles key or write anything from a file it refuses; the store it leaves must export,
// import into an empty store and export again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/text.h"
#include "profiles/profile_file.h"
#include "profiles/profile_store.h"
#include "tests/support/memory_registry.h"
#include "tests/support/memory_stream.h"

namespace {

using namespace corvane;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Every key below HKEY_CURRENT_USER as a path, depth first.
void listKeys(Registry& registry, KeyHandle key, const std::u16string& path,
              std::vector<std::u16string>& out) {
    for (std::uint32_t index = 0;; ++index) {
        char16_t name[kStoredNameChars] = {};
        std::uint32_t chars = kStoredNameChars;
        if (registry.enumKey(key, index, name, chars) != status::kSuccess) {
            return;
        }
        const std::u16string child = path.empty() ? std::u16string(name) : path + u"\\" + name;
        out.push_back(child);
        RegKey opened;
        check(openKey(registry, key, name, 0, opened) == status::kSuccess);
        listKeys(registry, opened.handle(), child, out);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryRegistry registry;
    {
        RegKey kept;
        createKey(registry, kCurrentUser, std::u16string(kProfilesKeyPath) + u"\\Kept", kept);
    }
    MemoryStream file(std::vector<unsigned char>(data, data + size));
    const auto profiles = readProfileFile(file);
    if (!profiles) {
        std::vector<std::u16string> keys;
        listKeys(registry, kCurrentUser, u"", keys);
        check(keys.size() == 6);  // Software ... Profiles\Kept: nothing written
        return 0;
    }
    Messages messages;
    check(writeImportedProfiles(registry, *profiles, size % 2 == 0, messages));
    std::vector<std::u16string> keys;
    listKeys(registry, kCurrentUser, u"", keys);
    const std::u16string below = std::u16string(kProfilesKeyPath) + u"\\";
    for (const std::u16string& key : keys) {
        // Either a key on the way to Profiles, or one profile right below it.
        check(std::u16string(below).starts_with(key + u"\\") ||
              (key.starts_with(below) && key.find(u'\\', below.size()) == std::u16string::npos));
    }

    // What was written exports and imports again unchanged.
    MemoryStream exported;
    const ExportOutcome outcome = exportProfiles(registry, exported);
    check(outcome.written && outcome.shortened.empty());
    exported.seekToStart();
    const auto again = readProfileFile(exported);
    check(again.has_value() && static_cast<std::int32_t>(again->size()) == outcome.count);
    MemoryRegistry copy;
    check(writeImportedProfiles(copy, *again, true, messages));
    MemoryStream exportedAgain;
    check(exportProfiles(copy, exportedAgain).written && exportedAgain.bytes == exported.bytes);
    check(registry.openHandleCount() == 0);
    return 0;
}
