// corvane-prf on the build machine: the commands over files opened with <cstdio>.
#include <cstdio>
#include <memory>
#include <vector>

#include "core/text.h"
#include "prf_tool/prf_tool.h"

namespace {

using namespace corvane;

class StdioStream : public ByteStream {
  public:
    StdioStream(std::u16string_view path, const char* mode)
        : file_(std::fopen(toUtf8(path).c_str(), mode)) {}
    bool isOpen() const { return file_ != nullptr; }

    bool read(void* data, std::uint32_t size, std::uint32_t& got) override {
        got = static_cast<std::uint32_t>(std::fread(data, 1, size, file_.get()));
        return std::ferror(file_.get()) == 0;
    }
    bool write(const void* data, std::uint32_t size) override {
        return std::fwrite(data, 1, size, file_.get()) == size && std::fflush(file_.get()) == 0;
    }
    bool seekToStart() override { return std::fseek(file_.get(), 0, SEEK_SET) == 0; }

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(fromUtf8(argv[i]));
    }
    prf::StreamFiles<StdioStream, const char*> files("rb", "wb");
    return prf::printResult(prf::runPrfTool(args, files));
}
