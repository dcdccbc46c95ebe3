// corvane-prf: shows a profile file, and converts it to registry text and back, over files its
// caller opens (real ones in the program, memory in tests).
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_stream.h"

namespace corvane::prf {

namespace exitcode {
inline constexpr int kDone = 0;
inline constexpr int kUsage = 2;
inline constexpr int kCannotRead = 3;
inline constexpr int kCannotWrite = 4;
inline constexpr int kDamaged = 5;  // a profile file the import refuses
inline constexpr int kRefused = 6;  // registry text (or a name) the other form cannot hold
}  // namespace exitcode

// The files a command names. A stream stays open, and owned here, until this goes; null when
// the file cannot be opened.
class ToolFiles {
  public:
    virtual ~ToolFiles() = default;
    virtual ByteStream* open(std::u16string_view path) = 0;    // an existing file, for reading
    virtual ByteStream* create(std::u16string_view path) = 0;  // a new or truncated file
};

// ToolFiles over one kind of stream, made as `Stream(path, mode)` and asked `isOpen()`: each
// build's entry point names its own.
template <class Stream, class Mode>
class StreamFiles : public ToolFiles {
  public:
    StreamFiles(Mode openMode, Mode createMode) : openMode_(openMode), createMode_(createMode) {}
    ByteStream* open(std::u16string_view path) override { return kept(path, openMode_); }
    ByteStream* create(std::u16string_view path) override { return kept(path, createMode_); }

  private:
    ByteStream* kept(std::u16string_view path, Mode mode) {
        auto stream = std::make_unique<Stream>(std::u16string(path), mode);
        if (!stream->isOpen()) {
            return nullptr;
        }
        opened_.push_back(std::move(stream));
        return opened_.back().get();
    }
    Mode openMode_;
    Mode createMode_;
    std::vector<std::unique_ptr<Stream>> opened_;
};

struct ToolResult {
    int code = exitcode::kDone;
    std::u16string out;    // for standard output
    std::u16string error;  // for standard error
};

// Runs one command: the arguments after the program's name. An output file is created only once
// its content is known to be whole.
ToolResult runPrfTool(std::span<const std::u16string> args, ToolFiles& files);

// Prints the result's texts as UTF-8 to standard output and standard error; returns its code.
int printResult(const ToolResult& result);

}  // namespace corvane::prf
