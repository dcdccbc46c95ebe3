// The "&New..." and "&Edit..." commands of the Network Profiles dialog: a profile changed in the
// settings editor, stored, and made live again on the adapters that use it.
#pragma once

namespace corvane {

class AppState;

// New (createNew) names a profile and starts from the system's logon identity; Edit loads the
// selected profile. Nothing is stored unless the user confirmed a change. True when the profile
// was stored (even if applying it to an adapter then failed, which applyToSystem reports).
bool editProfile(AppState& state, bool createNew);

}  // namespace corvane
