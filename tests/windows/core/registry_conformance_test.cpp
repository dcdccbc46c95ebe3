// The real registry against the suite the in-memory one passes natively. The suite's leading
// backslashes, keys opened with access 0 and tree deletes are where the desktop registry differs
// from the handheld's (it refuses the first, opens keys that refuse every query, and deletes no key
// with subkeys): Win32Registry makes up for each.
#include <windows.h>

#include "platform/registry_win32.h"
#include "tests/support/registry_conformance.h"

namespace corvane {

std::unique_ptr<Registry> conformingRegistry() {
    return std::make_unique<Win32Registry>();
}

// The suite works below HKEY_CURRENT_USER: what goes below the handheld's HKEY_LOCAL_MACHINE is
// where other programs find it too.
TEST(Win32Registry, TheLocalMachineIsTheDesktops) {
    Win32Registry registry;
    putDword(registry, kLocalMachine, u"Software\\Corvane Tests", u"Root", 1);
    EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Corvane Tests", L"Root", RRF_RT_DWORD,
                           nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    registry.deleteTree(kLocalMachine, u"Software\\Corvane Tests");
}

}  // namespace corvane
