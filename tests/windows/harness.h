// Helpers of the Windows tests: a handheld in the test prefix's own registry, processes and their
// message boxes, this thread's message boxes answered from a hook, and steps inside modal loops.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/settings_io.h"
#include "core/text.h"
#include "platform/files_win32.h"
#include "platform/registry_win32.h"
#include "platform/system_win32.h"
#include "platform/wide_text_win32.h"
#include "tests/support/device.h"
#include "ui/window_state_win32.h"

namespace corvane::test {

// Asked by message: GetWindowTextW does not ask the controls of another process.
inline std::wstring windowText(HWND window) {
    wchar_t buffer[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

// A message box's text is static 0xFFFF; a dialog's 0xFFFF may be a group box.
inline bool isMessageBox(HWND window) {
    wchar_t textClass[16] = {};
    GetClassNameW(GetDlgItem(window, 0xFFFF), textClass, 16);
    return std::wstring(textClass) == L"Static";
}

// A path of the build tree as Wine's Z: drive sees it.
inline std::wstring onDriveZ(const char* path) {
    return L"Z:" + std::filesystem::path(path).make_preferred().wstring();
}

// The bytes of a file of at most 64 KB.
inline std::vector<unsigned char> fileBytes(const std::wstring& path) {
    std::vector<unsigned char> bytes;
    EXPECT_EQ(readWholeFile(std::u16string(utf16(std::wstring_view(path))), 64 * 1024, bytes),
              FileRead::Read);
    return bytes;
}

// Waits up to 10 s for `condition`, handling this thread's messages meanwhile: a program under
// test may send to the test's own windows.
inline bool waitFor(const std::function<bool()>& condition) {
    for (int waited = 0; !condition(); waited += 20) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        if (waited >= 10000) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

// A program run from `commandLine` (its path first, quoted); ended when still running at the end.
struct Process {
    explicit Process(std::wstring commandLine) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        EXPECT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &info));
    }
    ~Process() {
        TerminateProcess(info.hProcess, 99);  // fails harmlessly once it has ended
        exitCode();
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    // Its exit code, or STILL_ACTIVE when it has not ended within `waitMs`.
    DWORD exitCode(DWORD waitMs = 10000) const {
        DWORD code = STILL_ACTIVE;
        WaitForSingleObject(info.hProcess, waitMs);
        GetExitCodeProcess(info.hProcess, &code);
        return code;
    }
    // Its visible dialogs and message boxes, from one snapshot: FindWindowEx can skip a window
    // whose place in the z-order changes, as a dialog's does when its message box comes up.
    std::vector<HWND> dialogs() const {
        std::pair<DWORD, std::vector<HWND>> search{info.dwProcessId, {}};
        EnumWindows(collectDialog, reinterpret_cast<LPARAM>(&search));
        return search.second;
    }
    static BOOL CALLBACK collectDialog(HWND window, LPARAM lParam) {
        auto& [process, found] = *reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(lParam);
        wchar_t className[8] = {};
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window) &&
            GetClassNameW(window, className, 8) > 0 && std::wstring_view(className) == L"#32770") {
            found.push_back(window);
        }
        return TRUE;
    }

    PROCESS_INFORMATION info{};
};

// The text of the message box `process` shows, answered with `reply` once `meanwhile` has seen it;
// empty when none came within 10 s.
inline std::wstring answerMessageBox(
    const Process& process, int reply = IDOK,
    const std::function<void(HWND)>& meanwhile = [](HWND) {}) {
    HWND box = nullptr;
    waitFor([&] {
        const std::vector<HWND> shown = process.dialogs();
        const auto found = std::find_if(shown.begin(), shown.end(), isMessageBox);
        box = found != shown.end() ? *found : nullptr;
        return box != nullptr;
    });
    meanwhile(box);
    const std::wstring text = windowText(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, reply, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }));
    return text;
}

inline void command(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, id, 0);
}

inline std::wstring besideTests(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, std::wcsrchr(path, L'\\') + 1) + name;
}

// The lines a program wrote to `path` once there are `count` of them, or what came within 10 s.
inline std::vector<std::wstring> linesOnceThere(const std::wstring& path, std::size_t count) {
    std::vector<std::wstring> lines;
    for (int wait = 0; wait < 200 && lines.size() < count; ++wait) {
        Sleep(50);
        // Shared: a writer that found the file held would lose its line.
        const HANDLE file =
            CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            continue;
        }
        std::string bytes(64 * 1024, '\0');
        DWORD got = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(file);
        const std::wstring text(bytes.begin(), bytes.begin() + got);
        lines.clear();
        for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos;
             start = end + 1) {
            lines.push_back(text.substr(start, end - start));
        }
    }
    return lines;
}

// The help topics the handheld's help viewer was started on: its stand-in, PegHelp.exe beside the
// tests (where their runs start), writes its command line into help-requests.txt there.
struct HelpRequests {
    HelpRequests() { DeleteFileW(path.c_str()); }
    ~HelpRequests() { DeleteFileW(path.c_str()); }
    std::vector<std::wstring> once(std::size_t count) const { return linesOnceThere(path, count); }
    std::wstring path = besideTests(L"help-requests.txt");
};

// The handheld in the test prefix's own registry, its keys wiped before and after; real help.
struct Handheld : BasicDevice<Win32Registry> {
    Handheld() {
        wipe();
        system.helpViewer = &desktop;
    }
    ~Handheld() { wipe(); }
    void wipe() {
        registry.deleteTree(kLocalMachine, u"Comm");
        registry.deleteTree(kCurrentUser, u"Software\\Tavelorn");
        registry.deleteTree(kCurrentUser, kProxyKeyPath);
    }
    Win32System desktop;
    WindowState windows{session, GetModuleHandleW(nullptr)};
};

// Records this thread's message boxes captioned "Corvane" and answers each with the next of
// `answers`, or with OK (No for a question) when none is left.
struct MessageBoxCatcher {
    MessageBoxCatcher() { current = this; }
    ~MessageBoxCatcher() {
        UnhookWindowsHookEx(hook);
        current = nullptr;
    }
    static LRESULT CALLBACK proc(int code, WPARAM wParam, LPARAM lParam) {
        const auto box = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && current != nullptr && isMessageBox(box) &&
            windowText(box) == L"Corvane" && GetPropW(box, L"corvane.seen") == nullptr) {
            SetPropW(box, L"corvane.seen", box);
            current->texts.push_back(windowText(GetDlgItem(box, 0xFFFF)));
            current->owners.push_back(GetWindow(box, GW_OWNER));
            int answer = GetDlgItem(box, IDOK) != nullptr ? IDOK : IDNO;
            if (!current->answers.empty()) {
                // An answer the box has no button for was meant for another box: a box that
                // ignored it would stay up until the test is timed out.
                const int wanted = current->answers.front();
                current->answers.pop_front();
                EXPECT_NE(GetDlgItem(box, wanted), nullptr)
                    << "answered " << wanted << ": " << current->texts.back();
                answer = GetDlgItem(box, wanted) != nullptr ? wanted : answer;
            }
            PostMessageW(box, WM_COMMAND, answer, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline MessageBoxCatcher* current = nullptr;
    HHOOK hook = SetWindowsHookExW(WH_CBT, proc, nullptr, GetCurrentThreadId());
    std::vector<std::wstring> texts;  // in the order shown
    std::vector<HWND> owners;
    std::deque<int> answers;
};

// Runs one step a timer tick inside whatever modal loop is running: a step that opens a modal
// window posts its command, and the next runs in its loop. Idle 10 s, it cancels what a failure
// left open.
struct Steps {
    explicit Steps(std::vector<std::function<void()>> all) : steps(std::move(all)) {
        current = this;
    }
    ~Steps() {
        KillTimer(nullptr, timer);
        current = nullptr;
        EXPECT_EQ(next, steps.size()) << "steps that never ran";
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current != nullptr && current->next < current->steps.size()) {
            current->steps[current->next++]();
        } else if (current != nullptr && ++current->idleTicks % 200 == 0) {
            ADD_FAILURE() << "still open after 10 s";
            command(GetActiveWindow(), IDCANCEL);
        }
    }
    static inline Steps* current = nullptr;
    std::vector<std::function<void()>> steps;
    std::size_t next = 0;
    int idleTicks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, tick);
};

}  // namespace corvane::test
