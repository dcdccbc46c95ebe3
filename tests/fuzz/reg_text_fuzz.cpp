// Any bytes as registry text for from-reg, and as a profile file for to-reg. Neither may crash or
// read past a buffer. Registry text that is taken holds only what a profile file can: it writes
// as a file the import takes back whole, and to-reg's text of it reads back to the same
// profiles. A profile file that to-reg takes comes back from its text as the same file's bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "prf_tool/reg_text.h"
#include "profiles/profile_file.h"
#include "tests/fuzz/check.h"

namespace {

using namespace corvane;
using Bytes = std::vector<unsigned char>;

bool sameProfiles(const std::vector<StoredProfile>& a, const std::vector<StoredProfile>& b) {
    const auto sameValue = [](const ProfileRecord& x, const ProfileRecord& y) {
        return x.type == y.type && x.name == y.name && x.data == y.data &&
               x.valueType == y.valueType;
    };
    const auto sameProfile = [&](const StoredProfile& x, const StoredProfile& y) {
        return x.name == y.name && std::equal(x.values.begin(), x.values.end(), y.values.begin(),
                                              y.values.end(), sameValue);
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), sameProfile);
}

// to-reg's text of `profiles`, which from-reg must read back to them and to the same file.
void checkRoundTrip(const std::vector<StoredProfile>& profiles) {
    const prf::RegRead again = prf::readRegText(prf::regTextOf(profiles));
    check(again.fault == prf::RegFault::None && sameProfiles(again.profiles, profiles));
    check(writeProfileFile(again.profiles) == writeProfileFile(profiles));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const unsigned char> bytes(data, size);

    const prf::RegRead read = prf::readRegText(bytes);
    if (read.fault == prf::RegFault::None) {
        // Within the file's limits: its file is taken whole, and to-reg can write it again.
        const FileCheck file = checkProfileFile(writeProfileFile(read.profiles));
        check(file.fault == FileFault::None && sameProfiles(file.profiles, read.profiles));
        check(prf::lineBreakName(read.profiles) == nullptr);
        checkRoundTrip(read.profiles);
    }

    const FileCheck file = checkProfileFile(bytes);
    if (file.fault == FileFault::None && prf::lineBreakName(file.profiles) == nullptr) {
        checkRoundTrip(file.profiles);
    }
    return 0;
}
