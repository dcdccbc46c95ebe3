// What the Network Profiles dialog decides, apart from its windows: the rows and selection of its
// profile list with the default-profile question, the "&Set!" switch, and storing an edited
// profile. The dialog's Win32 half shows the results.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/app_state.h"
#include "core/message.h"
#include "core/net_settings.h"

namespace corvane {

struct ProfileList {
    std::vector<std::u16string> names;  // the store's profiles; the sorted list box orders them
    std::u16string selection;           // the adapter's default profile, selected when listed
    bool offerDefault = false;          // ask whether to create a default profile
};

// The profile list for `adapter`. The default-profile question is asked when the adapter has no
// default profile or the store holds none.
ProfileList readProfileList(AppState& state, const AdapterInfo& adapter);

// "No profiles are associated with the selected network adapter ...": Yes creates one.
Message defaultProfileQuestion(const AdapterInfo& adapter);

// "&Set!" with `name` selected for `adapter` (null when no adapter is selected; an empty name
// when no profile is). Without applyToAll, a profile that already is the adapter's default is
// left as it is: false then, and the list needs no refresh; true otherwise.
bool switchFromDialog(AppState& state, AdapterInfo* adapter, std::u16string_view name,
                      Messages& messages);

// After the settings editor was confirmed on profile `name`: stores `edited` unless nothing
// differs from `before`, then brings the system up to date for the adapters that use the
// profile: with applyToAll every adapter whose default it is (only the last adapter reporting),
// else `selected` when it is its default. True when the profile was stored.
bool storeEditedProfile(AppState& state, AdapterInfo& selected, std::u16string_view name,
                        const NetSettings& before, const NetSettings& edited, Messages& messages);

}  // namespace corvane
