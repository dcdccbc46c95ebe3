// corvane-prf on Windows: the commands over files opened through the platform's FileStream,
// printed as UTF-8.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "core/text.h"
#include "platform/file_stream_win32.h"
#include "platform/handles_win32.h"
#include "prf_tool/prf_tool.h"

namespace {

using namespace corvane;

class Win32Files : public prf::ToolFiles {
  public:
    ByteStream* open(std::u16string_view path) override {
        return kept(path, FileStream::Mode::Open);
    }
    ByteStream* create(std::u16string_view path) override {
        return kept(path, FileStream::Mode::Create);
    }

  private:
    ByteStream* kept(std::u16string_view path, FileStream::Mode mode) {
        auto stream = std::make_unique<FileStream>(std::u16string(path), mode);
        if (!stream->isOpen()) {
            return nullptr;
        }
        opened_.push_back(std::move(stream));
        return opened_.back().get();
    }
    std::vector<std::unique_ptr<FileStream>> opened_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(utf16(std::wstring_view(argv[i])));
    }
    Win32Files files;
    return prf::printResult(prf::runPrfTool(args, files));
}
