// A scripted stand-in for the Network Profiles dialog's views and the Profile Name prompt. The
// prompt runs the real judgement of typed names (acceptProfileName) on a scripted sequence of
// entries, so the messages, beeps and retries are the program's own.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "profiles_dialog/profile_views.h"

namespace corvane {

// The views of one dialog. A window without an entry has no lists (the hidden main window).
struct FakeDialogViews {
    int adapterSelection = 0;
    std::vector<std::u16string> profiles;  // kept sorted as the sorted combo box keeps them
    int profileSelection = -1;
    bool buttonsEnabled = true;
};

class FakeProfileViews : public ProfileViews {
  public:
    // The window the prompt's messages belong to.
    static constexpr WindowRef kPromptWindow = 0x106;
    // A scripted entry that cancels the prompt instead of typing a name.
    static constexpr std::u16string_view kCancel = u"<cancel>";

    explicit FakeProfileViews(std::vector<std::u16string>* events = nullptr) : events_(events) {}

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

    std::map<WindowRef, FakeDialogViews> dialogs;
    // What the user types at each OK of the prompt, in order; when the script runs out the
    // prompt is cancelled.
    std::deque<std::u16string> typed;

  private:
    void event(std::u16string text);
    FakeDialogViews* find(WindowRef window);

    std::vector<std::u16string>* events_;
};

}  // namespace corvane
