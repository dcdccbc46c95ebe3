// The user-interface seam over real string resources and real message boxes.
#pragma once

#include <windows.h>

#include "core/ui.h"

namespace corvane {

class Win32UserInterface : public UserInterface {
  public:
    explicit Win32UserInterface(HINSTANCE instance) : instance_(instance) {}
    int loadString(int id, std::span<char16_t> buffer) override;
    int messageBox(WindowRef owner, std::u16string_view text, std::u16string_view caption,
                   std::uint32_t style) override;

  private:
    HINSTANCE instance_;
};

}  // namespace corvane
