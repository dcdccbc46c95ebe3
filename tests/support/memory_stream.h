// A byte stream in memory for tests and fuzzing, whose writes can be made to fail.
#pragma once

#include <algorithm>
#include <vector>

#include "core/byte_stream.h"

namespace corvane {

class MemoryStream : public ByteStream {
  public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<unsigned char> bytes) : bytes(std::move(bytes)) {}

    bool read(void* data, std::uint32_t size, std::uint32_t& got) override {
        got = static_cast<std::uint32_t>(std::min<std::size_t>(size, bytes.size() - position));
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(position), got,
                    static_cast<unsigned char*>(data));
        position += got;
        return true;
    }
    bool write(const void* data, std::uint32_t size) override {
        if (writesLeft-- == 0) {
            return false;
        }
        const auto* from = static_cast<const unsigned char*>(data);
        bytes.resize(std::max(bytes.size(), position + size));
        std::copy(from, from + size, bytes.begin() + static_cast<std::ptrdiff_t>(position));
        position += size;
        return true;
    }
    bool seekToStart() override {
        position = 0;
        return true;
    }

    std::vector<unsigned char> bytes;
    std::size_t position = 0;
    std::size_t writesLeft = static_cast<std::size_t>(-1);  // the writes that still succeed
};

}  // namespace corvane
