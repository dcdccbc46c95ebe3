// Helpers of the Windows tests: real message boxes answered and recorded from a thread hook,
// counted beeps of the address fields, typing and keys, the tray icon's presence.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

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

// Records every message box of this thread ("Corvane" in the caption) and answers it with OK.
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

  private:
    static LRESULT CALLBACK proc(int code, WPARAM wParam, LPARAM lParam) {
        const auto box = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && current != nullptr && GetDlgItem(box, 0xFFFF) != nullptr &&
            windowText(box) == L"Corvane" && GetPropW(box, L"corvane.seen") == nullptr) {
            SetPropW(box, L"corvane.seen", reinterpret_cast<HANDLE>(1));
            current->boxes.push_back(
                {windowText(GetDlgItem(box, 0xFFFF)), GetWindow(box, GW_OWNER)});
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline MessageBoxCatcher* current = nullptr;
    HHOOK hook_;
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
