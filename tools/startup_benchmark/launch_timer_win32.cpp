// Times how long a program takes to get ready, or to do its work:
//   launch-timer PROGRAM [ARGS...]
//   launch-timer -exit PROGRAM [ARGS...]
// Starts PROGRAM and prints, in milliseconds, the time until its message loop first waits for
// input (WaitForInputIdle). Then it kills the program and waits until it has gone: a clean exit
// of a tray program costs Wine about 2 s for removing the icon, which tells nothing about
// start-up, and the next run must not find the program still there.
// With -exit it prints the time until the program has ended, which must be with exit code 0.
// Exit code 0 on success; 1 when the program cannot be started, is not ready (or has not ended)
// within 30 s, ends before it is ready, or with -exit ends with another exit code.
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/owned_handle_win32.h"

namespace {

using corvane::OwnedKernelHandle;

constexpr DWORD kReadyTimeoutMs = 30000;
constexpr DWORD kEndTimeoutMs = 10000;

// Quotes one argument so that the program's CommandLineToArgvW gives it back unchanged.
void appendQuoted(std::wstring& commandLine, std::wstring_view argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos) {
        commandLine += argument;
        return;
    }
    commandLine += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count double only in front of a quote.
        commandLine.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        commandLine += c;
    }
    commandLine.append(backslashes * 2, L'\\');
    commandLine += L'"';
}

double millisecondsBetween(LARGE_INTEGER start, LARGE_INTEGER end) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

// Kills the program and waits until it has gone, so that its windows have gone too.
bool endProgram(HANDLE process) {
    TerminateProcess(process, 1);
    return WaitForSingleObject(process, kEndTimeoutMs) == WAIT_OBJECT_0;
}

// Waits until the program has ended and prints the time it took; 0 when it ended with 0.
int timeUntilExit(const wchar_t* program, HANDLE process, LARGE_INTEGER start) {
    const DWORD waited = WaitForSingleObject(process, kReadyTimeoutMs);
    LARGE_INTEGER end;
    QueryPerformanceCounter(&end);
    DWORD exitCode = 0;
    if (waited != WAIT_OBJECT_0) {
        endProgram(process);
        std::fprintf(stderr, "launch-timer: %ls did not end within %lu ms\n", program,
                     kReadyTimeoutMs);
        return 1;
    }
    if (!GetExitCodeProcess(process, &exitCode) || exitCode != 0) {
        std::fprintf(stderr, "launch-timer: %ls ended with exit code %lu\n", program, exitCode);
        return 1;
    }
    std::printf("%.3f\n", millisecondsBetween(start, end));
    std::fflush(stdout);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool untilExit = argc > 1 && std::wstring_view(argv[1]) == L"-exit";
    const int first = untilExit ? 2 : 1;
    if (argc <= first) {
        std::fprintf(stderr, "usage: launch-timer [-exit] PROGRAM [ARGS...]\n");
        return 2;
    }
    const wchar_t* const program = argv[first];
    std::wstring commandLine;
    for (int i = first; i < argc; ++i) {
        if (i > first) {
            commandLine += L' ';
        }
        appendQuoted(commandLine, argv[i]);
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        std::fprintf(stderr, "launch-timer: cannot start %ls (error %lu)\n", program,
                     GetLastError());
        return 1;
    }
    const OwnedKernelHandle thread(info.hThread);
    const OwnedKernelHandle process(info.hProcess);
    if (untilExit) {
        return timeUntilExit(program, process.get(), start);
    }

    const DWORD waited = WaitForInputIdle(process.get(), kReadyTimeoutMs);
    LARGE_INTEGER ready;
    QueryPerformanceCounter(&ready);

    // The wait also ends when the program ends; a program that has gone was never ready.
    DWORD exitCode = 0;
    const bool ended = WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(process.get(), &exitCode);
    const bool gone = endProgram(process.get());
    if (ended) {
        std::fprintf(stderr, "launch-timer: %ls ended with exit code %lu before it was ready\n",
                     program, exitCode);
        return 1;
    }
    if (waited != 0) {
        std::fprintf(stderr, "launch-timer: %ls was not ready within %lu ms (%s)\n", program,
                     kReadyTimeoutMs, waited == WAIT_TIMEOUT ? "timeout" : "wait failed");
        return 1;
    }
    if (!gone) {
        std::fprintf(stderr, "launch-timer: %ls did not end after it was killed\n", program);
        return 1;
    }
    std::printf("%.3f\n", millisecondsBetween(start, ready));
    std::fflush(stdout);
    return 0;
}
