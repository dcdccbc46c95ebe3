// corvane-prf on Windows: the commands over files opened through the platform's FileStream,
// printed as UTF-8.
#include <windows.h>

#include <vector>

#include "core/text.h"
#include "platform/file_stream_win32.h"
#include "platform/handles_win32.h"
#include "prf_tool/prf_tool.h"

using namespace corvane;

int wmain(int argc, wchar_t** argv) {
    SetConsoleOutputCP(CP_UTF8);
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(utf16(std::wstring_view(argv[i])));
    }
    prf::StreamFiles<FileStream, FileStream::Mode> files(FileStream::Mode::Open,
                                                         FileStream::Mode::Create);
    return prf::printResult(prf::runPrfTool(args, files));
}
