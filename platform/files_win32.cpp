#include "platform/files_win32.h"

#include "platform/wide_text_win32.h"

namespace corvane {
namespace {

// Names tried for a new file before giving up: another process's file may hold a name.
constexpr DWORD kTemporaryNames = 100;

// `number` in hexadecimal, for a name.
std::u16string hexName(DWORD number) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), u"0123456789abcdef"[number % 16]);
        number /= 16;
    } while (number != 0);
    return digits;
}

HANDLE opened(HANDLE file) {
    return file != INVALID_HANDLE_VALUE ? file : nullptr;
}

bool identityOf(const std::u16string& path, BY_HANDLE_FILE_INFORMATION& info) {
    // No access asked: the file is only looked at, whoever holds it.
    const OwnedKernelHandle file(opened(
        CreateFileW(wide(path.c_str()), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
    return file.get() != nullptr && GetFileInformationByHandle(file.get(), &info) != FALSE;
}

}  // namespace

FileRead readWholeFile(const std::u16string& path, std::uint64_t limit,
                       std::vector<unsigned char>& bytes) {
    const OwnedKernelHandle file(
        opened(CreateFileW(wide(path.c_str()), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr)));
    LARGE_INTEGER size{};
    if (file.get() == nullptr || GetFileSizeEx(file.get(), &size) == FALSE) {
        return FileRead::CannotRead;
    }
    if (static_cast<std::uint64_t>(size.QuadPart) > limit) {
        return FileRead::TooLarge;
    }
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    const bool read = ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got,
                               nullptr) != FALSE;
    return read && got == bytes.size() ? FileRead::Read : FileRead::CannotRead;
}

ReplacementFile::ReplacementFile(const std::u16string& path) : path_(path) {
    // The file it replaces must take a write: opened for one, without changing it.
    const HANDLE target = CreateFileW(wide(path_.c_str()), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (target != INVALID_HANDLE_VALUE) {
        CloseHandle(target);
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        return;
    }
    // Beside the target, so that the move stays on its volume.
    const std::u16string stem = path_ + u".~" + hexName(GetCurrentProcessId()) + u"-";
    for (DWORD attempt = 0; attempt < kTemporaryNames; ++attempt) {
        const std::u16string name = stem + hexName(attempt) + u".tmp";
        file_.reset(opened(CreateFileW(wide(name.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr)));
        if (file_.get() != nullptr) {
            temporary_ = name;
            return;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            return;
        }
    }
}

ReplacementFile::~ReplacementFile() {
    file_.reset();
    if (!temporary_.empty()) {
        DeleteFileW(wide(temporary_.c_str()));
    }
}

bool ReplacementFile::commit(std::span<const unsigned char> bytes) {
    if (!isOpen()) {
        return false;
    }
    DWORD written = 0;
    const bool complete = WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                    &written, nullptr) != FALSE &&
                          written == bytes.size() && FlushFileBuffers(file_.get()) != FALSE;
    file_.reset();
    if (!complete || MoveFileExW(wide(temporary_.c_str()), wide(path_.c_str()),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == FALSE) {
        return false;  // the destructor removes the new file
    }
    temporary_.clear();
    return true;
}

bool sameFile(const std::u16string& a, const std::u16string& b) {
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return identityOf(a, first) && identityOf(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace corvane
