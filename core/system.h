// The system seam: what the portable logic asks of the platform beyond the registry. The real
// program asks the real platform; tests set the answers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

struct PlatformVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
};

class System {
  public:
    virtual ~System() = default;
    // False when the platform cannot tell its version.
    virtual bool platformVersion(PlatformVersion& version) = 0;
    // Tells the shell's desktop window that a setting changed, waiting at most half a second
    // for it to take the news (not at all when it has stopped answering); false when there is no
    // such window to tell.
    virtual bool tellShellSettingChanged() = 0;
    // The size of the store that holds the program's data and the part of it that is free, in
    // bytes; false when the platform cannot tell.
    virtual bool storeInformation(std::uint64_t& size, std::uint64_t& free) = 0;
    // Shows a help topic, a help file and an anchor in it ("corvane.htm#profiles"), without
    // waiting; failures are not reported.
    virtual void showHelp(std::u16string_view topic) = 0;
};

// The address of a help topic's file in `folder` (C:\Corvane) for a desktop browser:
// file:///C:/Corvane/corvane.htm?#profiles. An empty query comes before the anchor: Wine's browser
// launcher reads a '#' in a file address as part of the file's name, finds no such file and hands
// on an address no browser opens, while a query ends the name (the launcher then hands on the file
// alone, and the page opens at its top). Browsers ignore the empty query and go to the anchor.
std::u16string helpPageUrl(std::u16string_view folder, std::u16string_view topic);

// From platform 2.11 on, each number tested by itself, so that a platform reporting 3.0 does not
// qualify: the shell can be told of a changed proxy and needs no note about a reset.
bool isPlatform211OrLater(System& system);

}  // namespace corvane
