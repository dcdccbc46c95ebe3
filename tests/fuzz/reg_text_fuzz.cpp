// Any bytes as registry text for from-reg, and as a profile file for to-reg. Neither may crash or
// read past a buffer. Registry text that is taken holds only what a profile file can: it writes
// as a file the import takes back whole, and to-reg's text of it reads back to the same
// profiles. A profile file that to-reg takes comes back from its text as the same file's bytes.
#include "prf_tool/reg_text.h"
#include "profiles/profile_file.h"
#include "tests/fuzz/check.h"

namespace {

using namespace corvane;
using Bytes = std::vector<unsigned char>;

// to-reg's text of `profiles`, which from-reg must read back to them: the same file's bytes, as
// the file holds every field of every profile.
void checkRoundTrip(const std::vector<StoredProfile>& profiles) {
    const prf::RegRead again = prf::readRegText(prf::regTextOf(profiles));
    check(again.fault == prf::RegFault::None &&
          writeProfileFile(again.profiles) == writeProfileFile(profiles));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const unsigned char> bytes(data, size);

    const prf::RegRead read = prf::readRegText(bytes);
    if (read.fault == prf::RegFault::None) {
        // Within the file's limits: its file is taken whole, and to-reg can write it again.
        const Bytes written = writeProfileFile(read.profiles);
        const FileCheck file = checkProfileFile(written);
        check(file.fault == FileFault::None && writeProfileFile(file.profiles) == written);
        check(prf::lineBreakName(read.profiles) == nullptr);
        checkRoundTrip(read.profiles);
    }

    const FileCheck file = checkProfileFile(bytes);
    if (file.fault == FileFault::None && prf::lineBreakName(file.profiles) == nullptr) {
        checkRoundTrip(file.profiles);
    }
    return 0;
}
