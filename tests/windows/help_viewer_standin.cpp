// The handheld's help viewer, PegHelp.exe, as the Windows tests have it beside them: each start
// adds its command line, the topic, to help-requests.txt beside it (a line each).
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring log(path);
    log.replace(log.find_last_of(L'\\') + 1, std::wstring::npos, L"help-requests.txt");
    if (FILE* file = _wfopen(log.c_str(), L"ab")) {
        std::fprintf(file, "%ls\n", GetCommandLineW());
        std::fclose(file);
    }
    return 0;
}
