// Profile files (".prf"): the store's profile keys dumped as records of names, registry types and
// raw data, exact to the byte, and the export and import that write and read them. A file is a
// contract with every other copy of the program: little-endian numbers, UTF-16 text. Its bytes
// are made and taken apart in memory: a file is read whole and written whole, with one call each.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/message.h"
#include "core/registry.h"
#include "core/session.h"

namespace corvane {

inline constexpr std::uint32_t kProfileFileMagic = 0x99090001;
inline constexpr std::uint32_t kProfileFileHeaderSize = 20;
inline constexpr std::uint32_t kProfileRecord = 1;
inline constexpr std::uint32_t kValueRecord = 2;
// What a reader takes: a name of 260 characters with its zero, data of 512 bytes.
inline constexpr std::uint32_t kMaxNameBytes = 520;
inline constexpr std::uint32_t kMaxDataBytes = 512;
// The smallest record: its type, its name size and a name of one zero character.
inline constexpr std::uint32_t kMinRecordBytes = 10;
// The largest file read, refused unread above it: thousands of profiles of a full key each fit
// many times over, and a handheld's memory is not spent on a file no export could have written.
inline constexpr std::uint64_t kMaxProfileFileBytes = 8 * 1024 * 1024;

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

// Why a file is refused: the first thing in it that the import's checks find wrong.
enum class FileFault {
    None,
    NotProfileFile,  // no header of 20 bytes with the magic number and the header size
    NoProfile,       // the header counts fewer than one profile
    CountTooLarge,   // the header counts more profiles than the file has room for
    CutOff,          // the file ends inside the record
    UnknownType,     // a record type other than 1 and 2
    NameSize,        // a name size below 2, odd or over kMaxNameBytes
    NameEnd,         // a name without its terminating zero
    ZeroInName,      // a zero inside the name
    DataSize,        // data over kMaxDataBytes
    ValueFirst,      // a value before any profile
    NotKeyName,      // a profile name that is not a key of its own
    FewerProfiles,   // the file ends before the profiles its header counts
};

struct ProfileFileHeader {
    std::uint32_t magic = 0;
    std::uint32_t size = 0;
    std::int32_t count = 0;
};

// Writing: the 20 header bytes at the start of `file`, over any header written before, and a
// profile record (type 1: the name only) or a value record (type 2: name, data, type) at its end.
void writeHeader(std::vector<unsigned char>& file, std::int32_t count);
void writeRecord(std::vector<unsigned char>& file, std::uint32_t type, std::u16string_view name,
                 std::span<const unsigned char> data = {}, std::uint32_t valueType = 0);

// Reading: a file's bytes, read whole, field by field from the start.
class ProfileFile {
  public:
    explicit ProfileFile(std::span<const unsigned char> bytes) : bytes_(bytes) {}

    // The header's fields as they stand; false when the file is shorter than a header.
    bool readHeader(ProfileFileHeader& header);
    // The next record. Broken: a size below 1, odd or over the limits, a name without its
    // terminating zero or with a zero before it, a type other than 1 and 2, or a record the
    // file cuts off; fault() tells which.
    RecordRead readRecord(ProfileRecord& record);
    FileFault fault() const { return fault_; }
    // The bytes read so far: where the next record begins.
    std::uint64_t bytesRead() const { return position_; }

  private:
    // The next `size` bytes, or none when the file holds fewer (the position then at its end).
    const unsigned char* take(std::size_t size);
    bool takeNumber(std::uint32_t& number);

    RecordRead broken(FileFault fault) {
        fault_ = fault;
        return RecordRead::Broken;
    }

    std::span<const unsigned char> bytes_;
    std::size_t position_ = 0;
    FileFault fault_ = FileFault::None;
};

struct StoredProfile {
    std::u16string name;
    std::vector<ProfileRecord> values;
};

// The file an export writes: every stored profile with every value of its key. A value too long
// for the format is left out and its profile named in `shortened`; the values after it are kept.
// No bytes when the store cannot be read whole.
struct ExportFile {
    std::optional<std::vector<unsigned char>> bytes;
    std::int32_t count = 0;
    std::vector<std::u16string> shortened;
};
ExportFile exportFile(Registry& registry);

// The bytes of a file of `profiles` as an export writes them: the header with their count, then
// each profile's record and its values' records.
std::vector<unsigned char> writeProfileFile(const std::vector<StoredProfile>& profiles);

// What an export tells once its file was `written` or not: which profiles lost a value the format
// cannot hold, then the count of profiles exported, or the failure.
Messages exportMessages(const ExportFile& file, bool written);

// A file read and checked as the import reads it: the header, the profiles of its counted part
// (those read before the fault when there is one) and the first fault, with the index of the
// record it is in (0 the first after the header, -1 the header) and where that record begins.
struct FileCheck {
    ProfileFileHeader header;
    std::vector<StoredProfile> profiles;
    FileFault fault = FileFault::None;
    std::int32_t record = -1;
    std::uint64_t offset = 0;
};

// Reads the file's counted part: a valid header counting one or more profiles, no more than the
// file has room for, each a profile record whose name is a key of its own followed by its value
// records. The record after the last counted profile is read (and must not be broken); those
// after it are not.
FileCheck checkProfileFile(std::span<const unsigned char> file);

// The profiles of the file's counted part, read and checked whole before anything is written:
// none when the file is corrupt or empty, which includes a name that is not a key of its own.
std::optional<std::vector<StoredProfile>> readProfileFile(std::span<const unsigned char> file);

// What writing an import's profiles came to.
struct ImportWrite {
    bool written = false;          // every profile of the file is in the store
    bool changed = false;          // the store is not as it was: lists and menus need a refresh
    bool oldProfilesLeft = false;  // replacing, a profile the file does not hold stayed
};

// Writes imported profiles into the store, each whole or not at all: the values the file lists
// replace those of a profile of the same name, the others stay. With `replace` a profile holds
// the file's values only, and once every profile is written, the stored profiles the file does
// not hold are removed. A profile that cannot be written is put back as it was and ends the
// import; those written before it stay. Adds the outcome to `messages`.
ImportWrite writeImportedProfiles(Registry& registry, std::vector<StoredProfile> profiles,
                                  bool replace, Messages& messages);

// After an import: applies every adapter's default profile, whatever applyToAll says, silently,
// each keeping what it replaces for its undo; an adapter without one, or whose profile cannot be
// loaded, is left alone. Stops at an apply that fails or cannot be kept for its undo, with its
// message (false); otherwise tells the next-use notice once if anything was applied.
bool reapplyDefaultProfiles(Session& session, Messages& messages);

}  // namespace corvane
