// Profile files (".prf"): the store's profile keys dumped as records of names, registry types and
// raw data, exact to the byte, and the export and import that write and read them. A file is a
// contract with every other copy of the program: little-endian numbers, UTF-16 text.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_state.h"
#include "core/byte_stream.h"
#include "core/message.h"
#include "core/registry.h"

namespace corvane {

inline constexpr std::uint32_t kProfileFileMagic = 0x99090001;
inline constexpr std::uint32_t kProfileFileHeaderSize = 20;
inline constexpr std::uint32_t kProfileRecord = 1;
inline constexpr std::uint32_t kValueRecord = 2;
// What a reader takes: a name of 260 characters with its zero, data of 512 bytes.
inline constexpr std::uint32_t kMaxNameBytes = 520;
inline constexpr std::uint32_t kMaxDataBytes = 512;

struct ProfileRecord {
    std::uint32_t type = 0;
    std::u16string name;  // without its zero
    std::vector<unsigned char> data;
    std::uint32_t valueType = 0;
};

enum class RecordRead {
    Read,
    End,     // the file ends where a record would begin
    Broken,  // cut off by the end of the file, or outside what the format allows
};

// The open profile file: its header and records, each field one read or write of the stream.
class ProfileFile {
  public:
    explicit ProfileFile(ByteStream& stream) : stream_(stream) {}
    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;

    // The 20 header bytes at the start of the file, over any header written before.
    bool writeHeader(std::int32_t count);
    // A profile record (type 1: the name only) or a value record (type 2: name, data, type).
    bool writeRecord(std::uint32_t type, std::u16string_view name,
                     std::span<const unsigned char> data = {}, std::uint32_t valueType = 0);
    // The header's profile count; 0 for a header that cannot be read or is not valid.
    std::int32_t readHeader();
    // The next record. Broken: a size below 1, odd or over the limits, a name without its
    // terminating zero or with a zero before it, a type other than 1 and 2, or a record the
    // file cuts off.
    RecordRead readRecord(ProfileRecord& record);

  private:
    bool writeNumber(std::uint32_t number);
    // Reads exactly `size` bytes; `got` tells how many came when fewer did.
    bool readExactly(void* data, std::uint32_t size, std::uint32_t& got);

    ByteStream& stream_;
};

struct StoredProfile {
    std::u16string name;
    std::vector<ProfileRecord> values;
};

struct ExportOutcome {
    bool written = false;  // every profile and value went into the file
    std::int32_t count = 0;
    // Profiles with a value the format cannot hold (its name or data too long), left out.
    std::vector<std::u16string> shortened;
};

// Writes every stored profile with every value of its key. A value too long for the format is
// left out and its profile named in `shortened`; the values after it are written all the same.
ExportOutcome exportProfiles(Registry& registry, ByteStream& stream);

// What an export tells: which profiles lost a value the format cannot hold, then the count of
// profiles exported, or the failure.
Messages exportMessages(const ExportOutcome& outcome);

// The profiles of the file's counted part, read and checked whole before anything is written:
// none when the file is corrupt or empty, which includes a name that is not a key of its own.
// Records after the last counted profile are not read.
std::optional<std::vector<StoredProfile>> readProfileFile(ByteStream& stream);

// Writes imported profiles into the store, after deleting the existing ones with `replace`; the
// values the file lists replace those of a profile of the same name, the others stay. Adds the
// outcome to `messages`; false when a profile could not be written (what was written stays).
bool writeImportedProfiles(Registry& registry, const std::vector<StoredProfile>& profiles,
                           bool replace, Messages& messages);

// After an import: applies every adapter's default profile, whatever applyToAll says, silently;
// an adapter without one, or whose profile cannot be loaded, is left alone. Stops at an apply
// that fails, with its message (false); otherwise tells the next-use notice once if anything
// was applied.
bool reapplyDefaultProfiles(AppState& state, Messages& messages);

}  // namespace corvane
