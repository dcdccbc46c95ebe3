// The least a tray program does before it waits for input: a hidden window, one notification
// icon and a message loop. The start-up benchmark times Corvane against it, so it deliberately
// does nothing more.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cwchar>
#include <iterator>
#include <optional>

#include "platform/owned_handle_win32.h"

namespace {

// The window normally destroys itself on WM_CLOSE; this only catches the paths that leave early.
void destroyIfAlive(HWND window) {
    if (IsWindow(window)) {
        DestroyWindow(window);
    }
}
using OwnedWindow = corvane::OwnedHandle<HWND, destroyIfAlive>;

constexpr wchar_t kClassName[] = L"MinimalTrayClass";
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kIconId = 1;

class ClassRegistration {
  public:
    ClassRegistration(HINSTANCE instance, WNDPROC procedure) : instance_(instance) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kClassName;
        registered_ = RegisterClassExW(&windowClass) != 0;
    }
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;
    ~ClassRegistration() {
        if (registered_) {
            UnregisterClassW(kClassName, instance_);
        }
    }
    bool registered() const { return registered_; }

  private:
    HINSTANCE instance_;
    bool registered_ = false;
};

// Removes the icon it added when it goes, so no way out leaves a dead icon behind.
class TrayIcon {
  public:
    explicit TrayIcon(HWND window) {
        data_.cbSize = sizeof data_;
        data_.hWnd = window;
        data_.uID = kIconId;
        data_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
        data_.uCallbackMessage = kTrayMessage;
        data_.hIcon = LoadIconW(nullptr, IDI_APPLICATION);  // shared: never destroyed
        std::wcsncpy(data_.szTip, L"Minimal tray program", std::size(data_.szTip) - 1);
        added_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
    }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() {
        if (added_) {
            Shell_NotifyIconW(NIM_DELETE, &data_);
        }
    }
    bool added() const { return added_; }

  private:
    NOTIFYICONDATAW data_{};
    bool added_ = false;
};

// One window, one icon: the icon lives between WM_CREATE and WM_DESTROY.
std::optional<TrayIcon> trayIcon;

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            trayIcon.emplace(window);
            if (!trayIcon->added()) {
                // Wine sends no WM_DESTROY when WM_CREATE fails.
                trayIcon.reset();
                return -1;
            }
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            trayIcon.reset();
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const ClassRegistration registration(instance, windowProcedure);
    if (!registration.registered()) {
        return 1;
    }
    const OwnedWindow window(CreateWindowExW(0, kClassName, L"Minimal tray program", WS_POPUP, 0, 0,
                                             0, 0, nullptr, nullptr, instance, nullptr));
    if (window.get() == nullptr) {
        return 1;
    }
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 1;
}
