// corvane-prf on Windows: the commands over the platform's files, printed as UTF-8.
#include <windows.h>

#include <vector>

#include "core/text.h"
#include "platform/files_win32.h"
#include "platform/wide_text_win32.h"
#include "prf_tool/prf_tool.h"

using namespace corvane;

namespace {

class PlatformFiles : public prf::ToolFiles {
  public:
    FileRead read(std::u16string_view path, std::uint64_t limit,
                  std::vector<unsigned char>& bytes) override {
        return readWholeFile(std::u16string(path), limit, bytes);
    }
    bool replace(std::u16string_view path, std::span<const unsigned char> bytes) override {
        ReplacementFile file{std::u16string(path)};
        return file.commit(bytes);
    }
    bool same(std::u16string_view a, std::u16string_view b) override {
        return sameFile(std::u16string(a), std::u16string(b));
    }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(utf16(std::wstring_view(argv[i])));
    }
    PlatformFiles files;
    return prf::printResult(prf::runPrfTool(args, files));
}
