// Files of the platform for the profile files: read whole, written beside their target and put
// in its place only once complete, and told apart by identity rather than by name.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/files.h"
#include "platform/owned_handle_win32.h"

namespace corvane {

// The file at `path`, opened without sharing and read with one call into `bytes`; refused unread
// when it holds more than `limit` bytes.
FileRead readWholeFile(const std::u16string& path, std::uint64_t limit,
                       std::vector<unsigned char>& bytes);

// A new file for `path`, written beside it under a name of its own and moved into its place only
// by commit(): whatever fails, the file at `path` stays as it was, and the new one is removed.
class ReplacementFile {
  public:
    explicit ReplacementFile(const std::u16string& path);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // False when no file can be written there: its folder takes no new file, or the file at
    // `path` is read-only, a directory or held by another program.
    bool isOpen() const { return file_.get() != nullptr; }
    // Writes `bytes` with one call, flushes them to the disk, closes the file and moves it over
    // the one at `path`. False when any step fails; the new file is removed then.
    bool commit(std::span<const unsigned char> bytes);

  private:
    std::u16string path_;
    std::u16string temporary_;  // empty once moved or removed
    OwnedKernelHandle file_;
};

// Whether both paths name one existing file, told by its volume and index, not by its name.
bool sameFile(const std::u16string& a, const std::u16string& b);

}  // namespace corvane
