#include "platform/system_win32.h"

#include <windows.h>
// After windows.h.
#include <shellapi.h>

#include <string>

#include "platform/owned_handle_win32.h"
#include "platform/wide_text_win32.h"

namespace corvane {
namespace {

constexpr DWORD kPlatformWindowsCe = 3;  // VER_PLATFORM_WIN32_CE
constexpr PlatformVersion kHandheldVersion{2, 11};

// Starts `program` (found as the handheld finds it) with `commandLine` as its whole command line
// and does not wait for it; false when it cannot be started.
bool startProgram(std::u16string_view program, std::u16string_view commandLine) {
    const std::u16string zeroProgram(program);
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::u16string mutableCommandLine(commandLine);
    // The handheld takes no startup information; the desktop requires an empty one.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(wide(zeroProgram.c_str()), wide(mutableCommandLine.data()), nullptr,
                        nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    const OwnedKernelHandle processHandle(process.hProcess);
    const OwnedKernelHandle threadHandle(process.hThread);
    return true;
}

// The folder of the running program, without a closing backslash; empty when it cannot be told.
std::u16string programFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    const std::u16string_view file(utf16(path), length);
    const std::size_t slash = file.find_last_of(u'\\');
    return std::u16string(file.substr(0, slash == std::u16string_view::npos ? 0 : slash));
}

}  // namespace

bool Win32System::platformVersion(PlatformVersion& version) {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(&info)) {
        return false;
    }
    if (info.dwPlatformId == kPlatformWindowsCe) {
        version = {info.dwMajorVersion, info.dwMinorVersion};
    } else {
        version = kHandheldVersion;
    }
    return true;
}

bool Win32System::tellShellSettingChanged() {
    constexpr UINT kShellTimeoutMs = 500;
    const HWND shell = FindWindowW(L"DesktopExplorerWindow", nullptr);
    if (shell == nullptr) {
        return false;
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutW(shell, WM_SETTINGCHANGE, 0, 0, SMTO_ABORTIFHUNG, kShellTimeoutMs, &result);
    return true;
}

bool Win32System::storeInformation(std::uint64_t& size, std::uint64_t& free) {
    wchar_t profile[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
    ULARGE_INTEGER total{};
    ULARGE_INTEGER available{};
    if (length == 0 || length >= MAX_PATH ||
        !GetDiskFreeSpaceExW(profile, nullptr, &total, &available)) {
        return false;
    }
    size = total.QuadPart;
    free = available.QuadPart;
    return true;
}

void Win32System::showHelp(std::u16string_view topic) {
    if (startProgram(u"PegHelp.exe", topic)) {
        return;
    }
    const std::u16string folder = programFolder();
    if (folder.empty()) {
        return;
    }
    // Opened as the desktop opens a web address, so that the browser is given the address with
    // its anchor: opening the file by its type would drop the anchor, and Wine knows no type for
    // .htm files.
    const std::u16string url = helpPageUrl(folder, topic);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_CLASSNAME | SEE_MASK_FLAG_NO_UI;
    info.lpClass = L"http";
    info.lpVerb = L"open";
    info.lpFile = wide(url.c_str());
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
}

}  // namespace corvane
