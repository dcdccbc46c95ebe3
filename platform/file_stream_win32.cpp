#include "platform/file_stream_win32.h"

#include "platform/handles_win32.h"

namespace corvane {

FileStream::FileStream(const std::u16string& path, Mode mode) {
    const HANDLE file = mode == Mode::Create
                            ? CreateFileW(wide(path.c_str()), GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)
                            : CreateFileW(wide(path.c_str()), GENERIC_READ, 0, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    file_.reset(file != INVALID_HANDLE_VALUE ? file : nullptr);
}

bool FileStream::read(void* data, std::uint32_t size, std::uint32_t& got) {
    DWORD read = 0;
    const bool done = ReadFile(file_.get(), data, size, &read, nullptr) != FALSE;
    got = read;
    return done;
}

bool FileStream::write(const void* data, std::uint32_t size) {
    DWORD written = 0;
    return WriteFile(file_.get(), data, size, &written, nullptr) != FALSE && written == size;
}

bool FileStream::seekToStart() {
    return SetFilePointer(file_.get(), 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
}

}  // namespace corvane
