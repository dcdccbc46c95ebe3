// The Network Profiles dialog's views over its real combo boxes and buttons, and the real
// Profile Name dialog.
#pragma once

#include "profiles_dialog/profile_views.h"

namespace corvane {

class Win32ProfileViews : public ProfileViews {
  public:
    int adapterSelection(WindowRef window) override;
    void resetProfiles(WindowRef window) override;
    void addProfile(WindowRef window, std::u16string_view name) override;
    int profileCount(WindowRef window) override;
    int profileSelection(WindowRef window) override;
    void selectProfile(WindowRef window, int index) override;
    int findProfile(WindowRef window, std::u16string_view name) override;
    std::u16string profileText(WindowRef window, int index) override;
    void enableProfileButtons(WindowRef window, bool enable) override;
    int promptProfileName(AppState& state, AdapterInfo* adapter) override;
};

}  // namespace corvane
