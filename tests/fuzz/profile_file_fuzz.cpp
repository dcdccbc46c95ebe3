// Any bytes as a profile file and as registry text: nothing may crash or read past a buffer. A file
// the import takes writes only profiles right below the Profiles key, and the store it leaves
// exports, imports into an empty store and exports again to the same bytes. Registry text that
// from-reg takes holds only what a profile file can: its file is taken back whole. A file that
// to-reg takes comes back from its text as the same bytes.
#include "prf_tool/reg_text.h"
#include "profiles/profile_file.h"
#include "profiles/profile_store.h"
#include "tests/fuzz/check.h"
#include "tests/support/memory_registry.h"
#include "tests/support/registry_helpers.h"

namespace {

using namespace corvane;
using Bytes = std::vector<unsigned char>;

// The Profiles key as MemoryRegistry names it, lower-cased below its root.
constexpr std::u16string_view kStore = u"hkcu\\software\\tavelorn\\corvane\\1.2\\profiles\\";

// to-reg's text of `profiles`, which from-reg must read back to the same file's bytes.
void checkRoundTrip(const std::vector<StoredProfile>& profiles) {
    const prf::RegRead again = prf::readRegText(prf::regTextOf(profiles));
    check(again.fault == prf::RegFault::None &&
          writeProfileFile(again.profiles) == writeProfileFile(profiles));
}

// The store's export, which must be whole, and the number of profiles it holds.
std::pair<Bytes, std::int32_t> exported(Registry& registry) {
    Bytes file;
    const ExportOutcome outcome = exportProfiles(registry, [&](std::span<const unsigned char> b) {
        file.assign(b.begin(), b.end());
        return true;
    });
    check(outcome.written && outcome.shortened.empty());
    return {file, outcome.count};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const unsigned char> bytes(data, size);
    const prf::RegRead read = prf::readRegText(bytes);
    if (read.fault == prf::RegFault::None) {
        const Bytes written = writeProfileFile(read.profiles);
        const FileCheck file = checkProfileFile(written);
        check(file.fault == FileFault::None && writeProfileFile(file.profiles) == written);
        check(prf::lineBreakName(read.profiles) == nullptr);
        checkRoundTrip(read.profiles);
    }

    const FileCheck file = checkProfileFile(bytes);
    if (file.fault != FileFault::None) {
        return 0;
    }
    if (prf::lineBreakName(file.profiles) == nullptr) {
        checkRoundTrip(file.profiles);
    }
    MemoryRegistry registry;
    putKey(registry, kCurrentUser, std::u16string(kProfilesKeyPath) + u"\\Kept");
    Messages messages;
    check(writeImportedProfiles(registry, file.profiles, size % 2 == 0, messages).written);
    for (const std::u16string& key : registry.keyPaths()) {
        // Either a key on the way to Profiles, or one profile right below it.
        check(kStore.starts_with(key + u"\\") ||
              (key.starts_with(kStore) && key.find(u'\\', kStore.size()) == std::u16string::npos));
    }
    const auto [once, count] = exported(registry);
    const auto again = readProfileFile(once);
    check(again.has_value() && static_cast<std::int32_t>(again->size()) == count);
    MemoryRegistry copy;
    check(writeImportedProfiles(copy, *again, true, messages).written &&
          exported(copy).first == once);
    check(registry.openHandleCount() == 0);
    return 0;
}
