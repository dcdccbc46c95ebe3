// corvane-prf on the build machine: the commands over POSIX files, with arguments taken as
// UTF-8 only when they are.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/text.h"
#include "prf_tool/prf_tool.h"

namespace {

using namespace corvane;

// A descriptor that closes itself.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes it and takes `fd`; false when closing reports a failed write.
    bool reset(int fd = -1) {
        const bool closed = fd_ < 0 || close(fd_) == 0;
        fd_ = fd;
        return closed;
    }

  private:
    int fd_;
};

bool writeAll(int fd, const unsigned char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t done = write(fd, data, size);
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            return false;
        }
        data += done;
        size -= static_cast<std::size_t>(done);
    }
    return true;
}

class PosixFiles : public prf::ToolFiles {
  public:
    FileRead read(std::u16string_view path, std::uint64_t limit,
                  std::vector<unsigned char>& bytes) override {
        const Descriptor file(open(toUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
        struct stat info {};
        if (file.get() < 0 || fstat(file.get(), &info) != 0 || S_ISDIR(info.st_mode)) {
            return FileRead::CannotRead;
        }
        // A regular file says its size; a device or a pipe is read until it ends or overflows.
        const bool sized = S_ISREG(info.st_mode);
        if (sized && static_cast<std::uint64_t>(info.st_size) > limit) {
            return FileRead::TooLarge;
        }
        const std::size_t expected = sized ? static_cast<std::size_t>(info.st_size) : 0;
        std::size_t got = 0;
        bytes.resize(sized ? expected : 64 * 1024);
        while (!sized || got < expected) {
            if (got == bytes.size()) {
                if (got > limit) {
                    return FileRead::TooLarge;
                }
                bytes.resize(std::min<std::uint64_t>(2 * bytes.size(), limit + 1));
            }
            const ssize_t done = ::read(file.get(), bytes.data() + got, bytes.size() - got);
            if (done < 0 && errno == EINTR) {
                continue;
            }
            if (done < 0) {
                return FileRead::CannotRead;
            }
            if (done == 0) {
                break;
            }
            got += static_cast<std::size_t>(done);
        }
        if (got > limit) {
            return FileRead::TooLarge;
        }
        bytes.resize(got);
        return FileRead::Read;
    }

    bool replace(std::u16string_view path, std::span<const unsigned char> bytes) override {
        std::string target = toUtf8(path);
        // A link is followed, so that the file it names is replaced rather than the link.
        struct stat info {};
        if (lstat(target.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
            char* resolved = realpath(target.c_str(), nullptr);
            if (resolved == nullptr) {
                return false;
            }
            target = resolved;
            std::free(resolved);
        }
        const bool exists = stat(target.c_str(), &info) == 0;
        if (exists && !S_ISREG(info.st_mode)) {
            return false;
        }
        // Beside the target, so that the rename stays on its file system; the target's mode kept.
        std::string temporary;
        Descriptor file(-1);
        for (int attempt = 0; attempt < 100 && file.get() < 0; ++attempt) {
            temporary =
                target + ".~" + std::to_string(getpid()) + "-" + std::to_string(attempt) + ".tmp";
            file.reset(open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (file.get() < 0 && errno != EEXIST) {
                return false;
            }
        }
        if (file.get() < 0) {
            return false;
        }
        const bool complete = (!exists || fchmod(file.get(), info.st_mode & 07777) == 0) &&
                              writeAll(file.get(), bytes.data(), bytes.size()) &&
                              fsync(file.get()) == 0 && file.reset() &&
                              rename(temporary.c_str(), target.c_str()) == 0;
        if (!complete) {
            unlink(temporary.c_str());
        }
        return complete;
    }

    bool same(std::u16string_view a, std::u16string_view b) override {
        struct stat first {};
        struct stat second {};
        return stat(toUtf8(a).c_str(), &first) == 0 && stat(toUtf8(b).c_str(), &second) == 0 &&
               first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    }
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        // A name that is not UTF-8 would otherwise be read as some other name.
        if (invalidUtf8At(argv[i]) != std::string_view::npos) {
            return prf::printResult(prf::notUtf8Argument(i));
        }
        args.push_back(fromUtf8(argv[i]));
    }
    PosixFiles files;
    return prf::printResult(prf::runPrfTool(args, files));
}
