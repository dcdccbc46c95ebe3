// The handheld's help viewer, PegHelp.exe, as the Windows tests have it beside them: each start
// adds its command line, the topic, to help-requests.txt beside it (ASCII, a line each).
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring log(path);
    log.replace(log.find_last_of(L'\\') + 1, std::wstring::npos, L"help-requests.txt");
    std::string line;
    for (const wchar_t* c = GetCommandLineW(); *c != L'\0'; ++c) {
        line.push_back(*c < 0x80 ? static_cast<char>(*c) : '?');
    }
    if (FILE* file = _wfopen(log.c_str(), L"ab")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
    return 0;
}
