#include "platform/system_win32.h"

#include <windows.h>

#include <string>

#include "platform/handles_win32.h"
#include "platform/owned_handle_win32.h"

namespace corvane {
namespace {

constexpr DWORD kPlatformWindowsCe = 3;  // VER_PLATFORM_WIN32_CE
constexpr PlatformVersion kHandheldVersion{2, 11};

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

WindowRef Win32System::findWindow(std::u16string_view className) {
    const std::u16string zeroClass(className);
    return toRef(FindWindowW(wide(zeroClass.c_str()), nullptr));
}

void Win32System::tellSettingChange(WindowRef window) {
    constexpr UINT kShellTimeoutMs = 500;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(toHwnd(window), WM_SETTINGCHANGE, 0, 0, SMTO_ABORTIFHUNG, kShellTimeoutMs,
                        &result);
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

void Win32System::startProgram(std::u16string_view program, std::u16string_view commandLine) {
    const std::u16string zeroProgram(program);
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::u16string mutableCommandLine(commandLine);
    // The handheld takes no startup information; the desktop requires an empty one.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(wide(zeroProgram.c_str()), wide(mutableCommandLine.data()), nullptr, nullptr,
                       FALSE, 0, nullptr, nullptr, &startup, &process)) {
        const OwnedKernelHandle processHandle(process.hProcess);
        const OwnedKernelHandle threadHandle(process.hThread);
    }
}

}  // namespace corvane
