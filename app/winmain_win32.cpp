// corvane.exe: the network-profile switcher.
#include <windows.h>

#include <cstdlib>

#include "app/startup_win32.h"

// The program throws nothing, so nothing reaches std::terminate with an exception to describe. The
// runtime's own handler would print the exception's type, and bring its 46 KB demangler into a
// program that must stay small: ending at once serves.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    return corvane::runCorvane(instance, commandLine);
}
