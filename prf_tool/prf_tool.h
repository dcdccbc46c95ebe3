// corvane-prf: shows a profile file, and converts it to registry text and back, over files its
// caller reads and writes (real ones in the program, memory in tests).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/files.h"

namespace corvane::prf {

namespace exitcode {
inline constexpr int kDone = 0;
inline constexpr int kUsage = 2;  // also an argument that is not text
inline constexpr int kCannotRead = 3;
inline constexpr int kCannotWrite = 4;
inline constexpr int kDamaged = 5;   // a profile file the import refuses
inline constexpr int kRefused = 6;   // registry text (or a name) the other form cannot hold
inline constexpr int kSameFile = 7;  // the output named is the input
}  // namespace exitcode

// The most registry text from-reg reads: registry text spells the profiles of a file in several
// times its bytes (six for each byte of hex data, a key's whole path for each profile).
inline constexpr std::uint64_t kMaxRegTextBytes = 64 * 1024 * 1024;

// The files a command names, each read whole and written whole.
class ToolFiles {
  public:
    virtual ~ToolFiles() = default;
    // The file at `path` into `bytes`; refused unread when it holds more than `limit` bytes.
    virtual FileRead read(std::u16string_view path, std::uint64_t limit,
                          std::vector<unsigned char>& bytes) = 0;
    // `bytes` as the file at `path`, put in the place of any file there only once complete;
    // false when they could not be, with the file there as it was.
    virtual bool replace(std::u16string_view path, std::span<const unsigned char> bytes) = 0;
    // Whether both paths name one existing file, whatever its names.
    virtual bool same(std::u16string_view a, std::u16string_view b) = 0;
};

struct ToolResult {
    int code = exitcode::kDone;
    std::u16string out;    // for standard output
    std::u16string error;  // for standard error
};

// Runs one command: the arguments after the program's name. An output file is written only once
// its content is known to be whole, and never over the command's input.
ToolResult runPrfTool(std::span<const std::u16string> args, ToolFiles& files);

// The refusal of the argument at `index` (from 1), which is not valid UTF-8.
ToolResult notUtf8Argument(int index);

// Prints the result's texts as UTF-8 to standard output and standard error; returns its code.
int printResult(const ToolResult& result);

}  // namespace corvane::prf
