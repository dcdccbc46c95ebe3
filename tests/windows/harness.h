// Helpers of the Windows tests: real message boxes answered and recorded from a thread hook,
// counted beeps of the address fields, typing and keys, the tray icon's presence.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "address_control/ip_address_control_win32.h"

namespace corvane::test {

inline std::wstring windowText(HWND window) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, 1024);
    return buffer;
}

struct ShownBox {
    std::wstring text;
    HWND owner = nullptr;
};

// Records every message box of this thread ("Corvane" in the caption) and answers it with the
// next of `answers`, or with OK (No for a question) when none is left.
class MessageBoxCatcher {
  public:
    MessageBoxCatcher() : hook_(SetWindowsHookExW(WH_CBT, proc, nullptr, GetCurrentThreadId())) {
        current = this;
    }
    ~MessageBoxCatcher() {
        UnhookWindowsHookEx(hook_);
        current = nullptr;
    }
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    std::vector<ShownBox> boxes;
    std::deque<int> answers;

  private:
    static LRESULT CALLBACK proc(int code, WPARAM wParam, LPARAM lParam) {
        const auto box = reinterpret_cast<HWND>(wParam);
        wchar_t textClass[16] = {};
        GetClassNameW(GetDlgItem(box, 0xFFFF), textClass, 16);  // a message box's text
        if (code == HCBT_ACTIVATE && current != nullptr && std::wstring(textClass) == L"Static" &&
            windowText(box) == L"Corvane" && GetPropW(box, L"corvane.seen") == nullptr) {
            SetPropW(box, L"corvane.seen", reinterpret_cast<HANDLE>(1));
            current->boxes.push_back(
                {windowText(GetDlgItem(box, 0xFFFF)), GetWindow(box, GW_OWNER)});
            int answer = GetDlgItem(box, IDOK) != nullptr ? IDOK : IDNO;
            if (!current->answers.empty()) {
                answer = current->answers.front();
                current->answers.pop_front();
            }
            PostMessageW(box, WM_COMMAND, answer, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline MessageBoxCatcher* current = nullptr;
    HHOOK hook_;
};

// Runs one step a timer tick from inside whatever modal loop is running (a dialog, a menu, a
// message box): a step that opens a modal window posts its command, and the next step runs
// inside that window's loop. After 10 s idle it calls `stop` to end what a failing test left
// open.
class Steps {
  public:
    Steps(std::vector<std::function<void()>> steps, std::function<void()> stop)
        : steps_(std::move(steps)), stop_(std::move(stop)) {
        current = this;
        timer_ = SetTimer(nullptr, 0, 50, tick);
    }
    ~Steps() {
        KillTimer(nullptr, timer_);
        current = nullptr;
    }
    Steps(const Steps&) = delete;
    Steps& operator=(const Steps&) = delete;
    bool allRan() const { return next_ == steps_.size(); }

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current == nullptr) {
            return;
        }
        if (current->next_ < current->steps_.size()) {
            current->steps_[current->next_++]();
        } else if (++current->idleTicks_ == 200) {
            ADD_FAILURE() << "still open after 10 s";
            current->stop_();
        }
    }
    static inline Steps* current = nullptr;
    std::vector<std::function<void()>> steps_;
    std::function<void()> stop_;
    std::size_t next_ = 0;
    int idleTicks_ = 0;
    UINT_PTR timer_ = 0;
};

// Counts the address fields' beeps for its lifetime.
class BeepCounter {
  public:
    BeepCounter() : previous_(setIpAddressBeep([](UINT) { ++count; })) { count = 0; }
    ~BeepCounter() { setIpAddressBeep(previous_); }
    BeepCounter(const BeepCounter&) = delete;
    BeepCounter& operator=(const BeepCounter&) = delete;
    static inline int count = 0;

  private:
    BeepFunction previous_;
};

inline std::pair<int, int> selectionOf(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

// Types each character as WM_CHAR into whichever window has the focus at the time.
inline void type(const std::wstring& chars) {
    for (const wchar_t c : chars) {
        SendMessageW(GetFocus(), WM_CHAR, c, 1);
    }
}

// A key press on `window`, with Control held down in the thread's keyboard state when asked.
inline void pressKey(HWND window, UINT key, bool control = false) {
    BYTE saved[256] = {};
    GetKeyboardState(saved);
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(state);
    SendMessageW(window, WM_KEYDOWN, key, 1);
    SendMessageW(window, WM_KEYUP, key, 0xC0000001);
    SetKeyboardState(saved);
}

// An icon can be modified only while it is in the notification area.
inline bool iconExists(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 107;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

}  // namespace corvane::test
