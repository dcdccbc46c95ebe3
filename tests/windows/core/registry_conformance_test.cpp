// The real registry against the suite the in-memory one passes natively, where the desktop's
// differs from the handheld's: keys opened with access 0, tree deletes.
#include <windows.h>

#include "platform/registry_win32.h"
#include "tests/support/registry_conformance.h"

namespace corvane {

std::unique_ptr<Registry> conformingRegistry() {
    return std::make_unique<Win32Registry>();
}

// The handheld's HKEY_LOCAL_MACHINE is the desktop's, where other programs find what we write.
TEST(Win32Registry, TheLocalMachineIsTheDesktops) {
    Win32Registry registry;
    putDword(registry, kLocalMachine, u"Software\\Corvane Tests", u"Root", 1);
    EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Corvane Tests", L"Root", RRF_RT_DWORD,
                           nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    registry.deleteTree(kLocalMachine, u"Software\\Corvane Tests");
}

}  // namespace corvane
