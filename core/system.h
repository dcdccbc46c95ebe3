// The system seam: what the portable logic asks of the platform beyond the registry and the
// user interface. The real program asks the real platform; tests set the answers.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/ui.h"

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
    // A top-level window of the class (and title, unless `windowName` is empty); 0 when none.
    virtual WindowRef findWindow(std::u16string_view className, std::u16string_view windowName) = 0;
    virtual bool postMessage(WindowRef window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) = 0;
    // Starts a program without waiting for it; failures are not reported.
    virtual void startProgram(std::u16string_view program, std::u16string_view commandLine) = 0;
};

}  // namespace corvane
