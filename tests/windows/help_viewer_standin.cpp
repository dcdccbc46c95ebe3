// The handheld's help viewer, PegHelp.exe, as the Windows tests have it beside them: each start
// adds its command line, the topic, to help-requests.txt beside it (ASCII, a line each).
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring log(path);
    log = log.substr(0, log.find_last_of(L'\\') + 1) + L"help-requests.txt";
    std::string line;
    for (const wchar_t* c = GetCommandLineW(); *c != L'\0'; ++c) {
        line.push_back(*c < 0x80 ? static_cast<char>(*c) : '?');
    }
    line.push_back('\n');
    const HANDLE file =
        CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
