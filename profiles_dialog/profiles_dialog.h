// What the Network Profiles dialog decides, apart from its windows: the rows and selection of its
// profile list with the default-profile question, the "&Set!" switch, and storing an edited
// profile. The dialog's Win32 half shows the results.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/message.h"
#include "core/net_settings.h"
#include "core/session.h"
#include "core/system.h"

namespace corvane {

struct DialogOpening {
    std::vector<std::u16string> adapters;  // display names in the adapter list's order
    bool applyToAllEnabled = false;
    bool applyToAllChecked = false;
    bool showAtStartupChecked = false;

    bool operator==(const DialogOpening&) const = default;
};

// What the dialog shows as it opens. With at most one adapter, "&Apply Network Profile to All
// Adapters" has nothing to do: the option is turned off and its box disabled.
DialogOpening openProfilesDialog(Session& session);

// A line of the About box: control `controlId` shows string `textId` with `kilobytes` in it.
struct AboutLine {
    int controlId = 0;
    int textId = 0;
    std::int64_t kilobytes = 0;

    bool operator==(const AboutLine&) const = default;
};
// The About box's store size and free space in KB, remainders dropped; none when the platform
// cannot tell, and the template's own "... is inaccessible" lines stay.
std::vector<AboutLine> aboutStoreLines(System& system);

struct ProfileList {
    std::vector<std::u16string> names;  // the store's profiles; the sorted list box orders them
    std::u16string selection;           // the adapter's default profile, selected when listed
    bool offerDefault = false;          // ask whether to create a default profile
};

// The profile list for `adapter`. The default-profile question is asked when the adapter has no
// default profile or the store holds none.
ProfileList readProfileList(Registry& registry, const AdapterInfo& adapter);

// "No profiles are associated with the selected network adapter ...": Yes creates one.
Message defaultProfileQuestion(const AdapterInfo& adapter);

// "&Set!" with `name` selected for `adapter` (null when no adapter is selected; an empty name
// when no profile is). Without applyToAll, a profile that already is the adapter's default is
// left as it is: false then, and the list needs no refresh; true otherwise.
bool switchFromDialog(Session& session, AdapterInfo* adapter, std::u16string_view name,
                      Messages& messages);

// After the settings editor was confirmed on profile `name`: stores `edited` unless nothing
// differs from `before`, then brings the system up to date for the adapters that use the
// profile: with applyToAll every adapter whose default it is (only the last adapter reporting),
// else `selected` when it is its default, each keeping what it replaces for its undo. True when
// the profile was stored.
bool storeEditedProfile(Session& session, AdapterInfo& selected, std::u16string_view name,
                        const NetSettings& before, const NetSettings& edited, Messages& messages);

}  // namespace corvane
