// The views of the Network Profiles dialog that the profile operations read and fill (adapter
// list, profile list, the buttons that need a profile) and the Profile Name prompt. Real
// controls in the program, a scripted fake in tests.
#pragma once

#include <string>
#include <string_view>

#include "core/ui.h"

namespace corvane {

class AppState;
class AdapterInfo;

class ProfileViews {
  public:
    virtual ~ProfileViews() = default;

    // The selected index of the adapter list; below 0 when nothing is selected. A window
    // without an adapter list (the hidden main window) reads as 0, the first adapter.
    virtual int adapterSelection(WindowRef window) = 0;

    // The profile list, which keeps its items sorted. A window without one ignores the changes
    // and reports no items and no selection.
    virtual void resetProfiles(WindowRef window) = 0;
    virtual void addProfile(WindowRef window, std::u16string_view name) = 0;
    virtual int profileCount(WindowRef window) = 0;
    virtual int profileSelection(WindowRef window) = 0;
    virtual void selectProfile(WindowRef window, int index) = 0;
    // The item whose whole text equals `name`, letter case ignored; -1 when none.
    virtual int findProfile(WindowRef window, std::u16string_view name) = 0;
    // The whole text of an item, however long; empty when there is no such item.
    virtual std::u16string profileText(WindowRef window, int index) = 0;

    // Enables or disables "&Delete", "&Edit..." and "&Set!".
    virtual void enableProfileButtons(WindowRef window, bool enable) = 0;

    // The Profile Name dialog for `adapter`, owned by hwndCurrent, starting from and leaving its
    // result in the state's profileName: 1 accepted, 2 cancelled, 3 started without an adapter.
    virtual int promptProfileName(AppState& state, AdapterInfo* adapter) = 0;
};

}  // namespace corvane
