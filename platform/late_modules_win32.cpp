#include "platform/late_modules_win32.h"

#include <commctrl.h>

#include "platform/owned_handle_win32.h"

namespace corvane {
namespace {

using OwnedModule = OwnedHandle<HMODULE, FreeLibrary>;

// `name` of the module, which stays loaded until the program ends; null when either is missing.
template <typename Function>
Function* find(const OwnedModule& module, const char* name) {
    const FARPROC found = module.get() != nullptr ? GetProcAddress(module.get(), name) : nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(found));
}

const OwnedModule& commonDialogs() {
    static const OwnedModule module(LoadLibraryW(L"comdlg32.dll"));
    return module;
}

}  // namespace

bool initCommonControls(DWORD classes) {
    static const OwnedModule module(LoadLibraryW(L"comctl32.dll"));
    const auto init =
        find<BOOL WINAPI(const INITCOMMONCONTROLSEX*)>(module, "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), classes};
    return init != nullptr && init(&controls) != FALSE;
}

bool getOpenFileName(OPENFILENAMEW& dialog) {
    const auto open = find<BOOL WINAPI(OPENFILENAMEW*)>(commonDialogs(), "GetOpenFileNameW");
    return open != nullptr && open(&dialog) != FALSE;
}

bool getSaveFileName(OPENFILENAMEW& dialog) {
    const auto save = find<BOOL WINAPI(OPENFILENAMEW*)>(commonDialogs(), "GetSaveFileNameW");
    return save != nullptr && save(&dialog) != FALSE;
}

}  // namespace corvane
