// corvane.exe: the network-profile switcher.
#include <windows.h>

#include "app/startup_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    return corvane::runCorvane(instance, commandLine);
}
