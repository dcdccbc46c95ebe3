// The byte-stream seam over a file of the platform, opened without sharing for one command.
#pragma once

#include <windows.h>

#include <string>

#include "core/byte_stream.h"
#include "platform/owned_handle_win32.h"

namespace corvane {

class FileStream : public ByteStream {
  public:
    enum class Mode {
        Create,  // a new file, or an existing one truncated
        Open,    // an existing file, for reading
    };
    FileStream(const std::u16string& path, Mode mode);

    bool isOpen() const { return file_.get() != nullptr; }
    // Closes the file, so that it can be deleted.
    void close() { file_.reset(); }

    bool read(void* data, std::uint32_t size, std::uint32_t& got) override;
    bool write(const void* data, std::uint32_t size) override;
    bool seekToStart() override;

  private:
    OwnedKernelHandle file_;
};

}  // namespace corvane
