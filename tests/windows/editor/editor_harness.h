// Helpers of the editor's Windows tests: a host window, real message boxes answered and recorded
// from a thread hook, counted beeps, typing into the focused window, and screen captures.
#pragma once

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "editor/ip_address_control_win32.h"

namespace corvane::test {

struct ShownBox {
    std::wstring text;
    std::wstring caption;
    HWND owner = nullptr;
    UINT style = 0;
};

// Records every message box of this thread and answers it (IDOK unless told otherwise). `onShow`
// runs while the box is up, to look at the windows behind it.
class MessageBoxCatcher {
  public:
    MessageBoxCatcher() {
        current() = this;
        hook_ = SetWindowsHookExW(WH_CBT, proc, nullptr, GetCurrentThreadId());
    }
    ~MessageBoxCatcher() {
        UnhookWindowsHookEx(hook_);
        current() = nullptr;
    }
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    std::vector<ShownBox> boxes;
    int answer = IDOK;
    std::function<void(const ShownBox&)> onShow;

  private:
    static MessageBoxCatcher*& current() {
        static MessageBoxCatcher* catcher = nullptr;
        return catcher;
    }
    static LRESULT CALLBACK proc(int code, WPARAM wParam, LPARAM lParam) {
        MessageBoxCatcher* self = current();
        if (code == HCBT_ACTIVATE && self != nullptr) {
            HWND box = reinterpret_cast<HWND>(wParam);
            wchar_t className[16] = {};
            GetClassNameW(box, className, 16);
            // A message box is a #32770 dialog whose text is the static 0xFFFF.
            HWND textWindow = GetDlgItem(box, 0xFFFF);
            if (std::wstring(className) == L"#32770" && textWindow != nullptr &&
                GetPropW(box, L"corvane.test.seen") == nullptr) {
                SetPropW(box, L"corvane.test.seen", reinterpret_cast<HANDLE>(1));
                ShownBox shown;
                wchar_t buffer[1024] = {};
                GetWindowTextW(textWindow, buffer, 1024);
                shown.text = buffer;
                GetWindowTextW(box, buffer, 1024);
                shown.caption = buffer;
                shown.owner = GetWindow(box, GW_OWNER);
                if (GetDlgItem(box, IDYES) != nullptr) {
                    shown.style |= MB_YESNO;
                }
                self->boxes.push_back(shown);
                if (self->onShow) {
                    self->onShow(shown);
                }
                PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(self->answer), 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_ = nullptr;
};

// Counts the fields' beeps for its lifetime.
class BeepCounter {
  public:
    BeepCounter() {
        count() = 0;
        previous_ = setIpAddressBeep([](UINT) { ++count(); });
    }
    ~BeepCounter() { setIpAddressBeep(previous_); }
    BeepCounter(const BeepCounter&) = delete;
    BeepCounter& operator=(const BeepCounter&) = delete;
    int beeps() const { return count(); }

  private:
    static int& count() {
        static int beeps = 0;
        return beeps;
    }
    BeepFunction previous_ = nullptr;
};

inline std::wstring windowText(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

inline std::pair<int, int> selectionOf(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

// Types each character as WM_CHAR into whichever window has the focus at the time.
inline void type(const std::wstring& chars) {
    for (wchar_t c : chars) {
        SendMessageW(GetFocus(), WM_CHAR, c, 1);
    }
}

inline void pressKey(HWND window, UINT key) {
    SendMessageW(window, WM_KEYDOWN, key, 1);
    SendMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// Holds Control down in the thread's keyboard state for its lifetime.
class ControlHeld {
  public:
    ControlHeld() {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
    }
    ~ControlHeld() { SetKeyboardState(saved_); }

  private:
    BYTE saved_[256] = {};
};

// Runs what is waiting in this thread's queue.
inline void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Saves what the screen shows of `window` as a 24-bit BMP.
inline bool saveWindowBitmap(HWND window, const std::wstring& path) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(stride * height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) {
        return false;
    }
    std::fwrite(&file, sizeof(file), 1, out);
    std::fwrite(&info, sizeof(info), 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    std::fclose(out);
    return true;
}

}  // namespace corvane::test
