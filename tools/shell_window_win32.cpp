// A stand-in for the handheld shell's desktop window: a hidden top-level window of class
// "DesktopExplorerWindow" that says each time it is told that a setting changed, as Corvane
// tells the shell when the browser's proxy changed. Runs until it is closed or its Wine session
// ends.
#include <windows.h>

#include <cstdio>

namespace {

LRESULT CALLBACK shellProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTINGCHANGE) {
        static int count = 0;
        std::printf("  shell window: WM_SETTINGCHANGE (%d) with wParam %llu, lParam %lld\n",
                    ++count, static_cast<unsigned long long>(wParam),
                    static_cast<long long>(lParam));
        std::fflush(stdout);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain() {
    WNDCLASSW shellClass{};
    shellClass.lpfnWndProc = shellProc;
    shellClass.hInstance = GetModuleHandleW(nullptr);
    shellClass.lpszClassName = L"DesktopExplorerWindow";
    if (!RegisterClassW(&shellClass) ||
        CreateWindowExW(0, shellClass.lpszClassName, L"Desktop", WS_POPUP, 0, 0, 0, 0, nullptr,
                        nullptr, shellClass.hInstance, nullptr) == nullptr) {
        return 1;
    }
    std::printf("  shell window \"DesktopExplorerWindow\" is up\n");
    std::fflush(stdout);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
