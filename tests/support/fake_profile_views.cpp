#include "tests/support/fake_profile_views.h"

#include <algorithm>

#include "core/app_state.h"
#include "core/text.h"
#include "profiles_dialog/profile_name.h"

namespace corvane {
namespace {

// The sorted combo box's order: without regard to ASCII letter case.
bool lessNoCase(std::u16string_view a, std::u16string_view b) {
    const auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c; };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char16_t x, char16_t y) { return fold(x) < fold(y); });
}

}  // namespace

void FakeProfileViews::event(std::u16string text) {
    if (events_ != nullptr) {
        events_->push_back(std::move(text));
    }
}

FakeDialogViews* FakeProfileViews::find(WindowRef window) {
    const auto found = dialogs.find(window);
    return found == dialogs.end() ? nullptr : &found->second;
}

int FakeProfileViews::adapterSelection(WindowRef window) {
    const FakeDialogViews* views = find(window);
    return views != nullptr ? views->adapterSelection : 0;
}

void FakeProfileViews::resetProfiles(WindowRef window) {
    if (FakeDialogViews* views = find(window)) {
        views->profiles.clear();
        views->profileSelection = -1;
    }
}

void FakeProfileViews::addProfile(WindowRef window, std::u16string_view name) {
    if (FakeDialogViews* views = find(window)) {
        const auto at = std::upper_bound(
            views->profiles.begin(), views->profiles.end(), name,
            [](std::u16string_view a, const std::u16string& b) { return lessNoCase(a, b); });
        views->profiles.insert(at, std::u16string(name));
    }
}

int FakeProfileViews::profileCount(WindowRef window) {
    const FakeDialogViews* views = find(window);
    return views != nullptr ? static_cast<int>(views->profiles.size()) : 0;
}

int FakeProfileViews::profileSelection(WindowRef window) {
    const FakeDialogViews* views = find(window);
    return views != nullptr ? views->profileSelection : -1;
}

void FakeProfileViews::selectProfile(WindowRef window, int index) {
    if (FakeDialogViews* views = find(window)) {
        views->profileSelection = index >= 0 && index < profileCount(window) ? index : -1;
    }
}

int FakeProfileViews::findProfile(WindowRef window, std::u16string_view name) {
    for (int i = 0; i < profileCount(window); ++i) {
        if (equalsNoCase(profileText(window, i), name)) {
            return i;
        }
    }
    return -1;
}

std::u16string FakeProfileViews::profileText(WindowRef window, int index) {
    if (index < 0 || index >= profileCount(window)) {
        return {};
    }
    return find(window)->profiles[static_cast<std::size_t>(index)];
}

void FakeProfileViews::enableProfileButtons(WindowRef window, bool enable) {
    if (FakeDialogViews* views = find(window)) {
        views->buttonsEnabled = enable;
    }
}

int FakeProfileViews::promptProfileName(AppState& state, AdapterInfo* adapter) {
    if (adapter == nullptr) {
        return 3;
    }
    event(u"prompt: " + std::u16string(textOf(state.profileName)));
    while (!typed.empty() && typed.front() != kCancel) {
        const std::u16string entry = typed.front();
        typed.pop_front();
        switch (acceptProfileName(state, kPromptWindow, entry)) {
            case NameAnswer::Accepted:
                event(u"accepted: " + std::u16string(textOf(state.profileName)));
                return 1;
            case NameAnswer::Empty:
                event(u"beep");
                break;
            case NameAnswer::Refused:
                event(u"select text");
                break;
        }
    }
    if (!typed.empty()) {
        typed.pop_front();  // the cancel
    }
    event(u"cancelled");
    return 2;
}

}  // namespace corvane
