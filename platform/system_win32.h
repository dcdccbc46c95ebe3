// The system seam over the desktop platform: its version as the program understands it, the
// shell's window, the store's size and help.
#pragma once

#include "core/system.h"

namespace corvane {

class Win32System : public System {
  public:
    // The handheld reports its own version. Any other Windows reports the handheld version
    // this program stands in for, 2.11: desktop numbers (6.x, 10.0) say nothing about the
    // handheld shell the version test is about.
    bool platformVersion(PlatformVersion& version) override;
    // The shell's window is "DesktopExplorerWindow", found by its class whatever its title. The
    // handheld posts it WM_SETTINGCHANGE. Desktop Windows (and Wine) refuse to post that message
    // or to send it without waiting to another process (its lParam may point to text:
    // ERROR_MESSAGE_SYNC_ONLY), so it is sent with a short timeout that skips a hung window.
    bool tellShellSettingChanged() override;
    // The handheld's object store holds the registry and the user's files in its memory. The
    // desktop keeps them on the disk: its stand-in is the volume of the user's profile folder.
    bool storeInformation(std::uint64_t& size, std::uint64_t& free) override;
    // The handheld's help viewer, "PegHelp.exe", on the topic. The desktop has none: there the
    // help file beside the program opens in the desktop's browser.
    void showHelp(std::u16string_view topic) override;
};

}  // namespace corvane
