// Shows the real "Network Settings" editor on a stored profile of the device, for a look or a
// screenshot, until it is closed or the given number of seconds has passed:
//   corvane-editor-preview PROFILE [TAB [SECONDS]]
// TAB counts from 0 (Logon, IP Address, DNS, Proxy Server). Nothing is ever saved.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdlib>
#include <string>

#include "core/app_state.h"
#include "platform/handles_win32.h"
#include "platform/registry_win32.h"
#include "platform/system_win32.h"
#include "profiles/profile_store.h"
#include "settings_editor/settings_sheet_win32.h"
#include "ui/ui_support_win32.h"

namespace {

corvane::SettingsSheet* previewed = nullptr;
int previewTab = 0;
UINT_PTR showTabTimer = 0;  // thread timers get their ids from the system

void CALLBACK onTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (previewed == nullptr || previewed->sheetWindow == nullptr) {
        return;
    }
    if (timer == showTabTimer) {
        previewed->ShowPage(previewTab);
    } else {
        PostMessageW(previewed->sheetWindow, WM_COMMAND, IDCANCEL, 0);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2) {
        return 2;
    }
    corvane::Win32Registry registry;
    corvane::Win32System system;
    corvane::AppState state;
    state.registry = &registry;
    state.system = &system;
    corvane::initAppState(state);
    state.hInstance = corvane::toRef(instance);
    corvane::createBoldFont(state);

    corvane::NetSettings record;
    if (!corvane::loadProfile(registry, corvane::utf16(std::wstring_view(argv[1])), record)) {
        return 1;
    }
    previewTab = argc > 2 ? _wtoi(argv[2]) : 0;
    const int seconds = argc > 3 ? _wtoi(argv[3]) : 0;
    LocalFree(argv);

    corvane::SettingsSheet sheet(state, &record);
    previewed = &sheet;
    // Thread timers fire inside the sheet's own loop, once it runs.
    showTabTimer = SetTimer(nullptr, 0, 10, onTimer);
    if (seconds > 0) {
        SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, onTimer);
    }
    sheet.Run(nullptr);
    previewed = nullptr;
    return 0;
}
