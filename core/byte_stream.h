// The byte-stream seam: the profile files' bytes, a platform file in the program and memory in
// tests.
#pragma once

#include <cstdint>

namespace corvane {

class ByteStream {
  public:
    virtual ~ByteStream() = default;
    // Reads up to `size` bytes at the current position; `got` says how many came, fewer at the
    // end of the stream. False when the read itself fails.
    virtual bool read(void* data, std::uint32_t size, std::uint32_t& got) = 0;
    virtual bool write(const void* data, std::uint32_t size) = 0;
    virtual bool seekToStart() = 0;
};

}  // namespace corvane
