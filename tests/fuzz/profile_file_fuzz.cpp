// Any bytes as a profile file: the import must never crash, read past a buffer or write outside
// the Profiles key; the store it leaves must export, import into an empty store and export again
// to the same bytes.
#include "profiles/profile_file.h"
#include "profiles/profile_store.h"
#include "tests/fuzz/check.h"
#include "tests/support/memory_registry.h"
#include "tests/support/registry_helpers.h"

namespace {

using namespace corvane;

// The Profiles key as MemoryRegistry names it, lower-cased below its root.
constexpr std::u16string_view kStore = u"hkcu\\software\\tavelorn\\corvane\\1.2\\profiles\\";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto profiles = readProfileFile(std::span(data, size));
    if (!profiles) {
        return 0;
    }
    MemoryRegistry registry;
    putKey(registry, kCurrentUser, std::u16string(kProfilesKeyPath) + u"\\Kept");
    Messages messages;
    check(writeImportedProfiles(registry, *profiles, size % 2 == 0, messages).written);
    for (const std::u16string& key : registry.keyPaths()) {
        // Either a key on the way to Profiles, or one profile right below it.
        check(kStore.starts_with(key + u"\\") ||
              (key.starts_with(kStore) && key.find(u'\\', kStore.size()) == std::u16string::npos));
    }
    // What was written exports and imports again unchanged.
    const ExportFile exported = exportFile(registry);
    check(exported.bytes.has_value() && exported.shortened.empty());
    const auto again = readProfileFile(*exported.bytes);
    check(again.has_value() && static_cast<std::int32_t>(again->size()) == exported.count);
    MemoryRegistry copy;
    check(writeImportedProfiles(copy, *again, true, messages).written &&
          exportFile(copy).bytes == exported.bytes);
    check(registry.openHandleCount() == 0);
    return 0;
}
