#include "profiles_dialog/profiles_dialog.h"

#include "core/apply.h"
#include "core/text.h"
#include "profiles/last_switch.h"
#include "profiles/profile_store.h"
#include "resources/resource.h"

namespace corvane {
namespace {

bool isDefaultOf(Registry& registry, const AdapterInfo& adapter, std::u16string_view name) {
    std::u16string defaultName;
    return loadDefaultProfileName(registry, adapter, defaultName) && defaultName == name;
}

}  // namespace

DialogOpening openProfilesDialog(Session& session) {
    DialogOpening opening;
    const int count = session.adapters.count();
    for (int index = 0; index < count; ++index) {
        opening.adapters.emplace_back(textOf(session.adapters.at(index)->displayName));
    }
    if (count <= 1) {
        session.applyToAll = 0;
    }
    opening.applyToAllEnabled = count > 1;
    opening.applyToAllChecked = session.applyToAll != 0;
    opening.showAtStartupChecked = session.showAtStartup != 0;
    return opening;
}

std::vector<AboutLine> aboutStoreLines(System& system) {
    std::uint64_t size = 0;
    std::uint64_t free = 0;
    if (!system.storeInformation(size, free)) {
        return {};
    }
    return {{IDC_STORE_SIZE, IDS_AVAILABLE_MEMORY, static_cast<std::int64_t>(size / 1024)},
            {IDC_STORE_FREE, IDS_FREE_MEMORY, static_cast<std::int64_t>(free / 1024)}};
}

ProfileList readProfileList(Registry& registry, const AdapterInfo& adapter) {
    ProfileList list;
    list.names = listProfileNames(registry);
    const bool hasDefault = loadDefaultProfileName(registry, adapter, list.selection);
    list.offerDefault = !hasDefault || list.names.empty();
    return list;
}

Message defaultProfileQuestion(const AdapterInfo& adapter) {
    return question(IDS_OFFER_DEFAULT, textOf(adapter.displayName));
}

bool switchFromDialog(Session& session, AdapterInfo* adapter, std::u16string_view name,
                      Messages& messages) {
    if (adapter == nullptr || name.empty()) {
        return true;
    }
    if (session.applyToAll == 0 && isDefaultOf(session.registry, *adapter, name)) {
        return false;  // already the default: nothing to store, apply or refresh
    }
    switchToProfile(session, *adapter, name, session.applyToAll != 0, messages);
    return true;
}

bool storeEditedProfile(Session& session, AdapterInfo& selected, std::u16string_view name,
                        const NetSettings& before, const NetSettings& edited, Messages& messages) {
    if (!differs(edited, before)) {
        return false;  // nothing changed: nothing stored, and no new profile
    }
    const Written saved = saveProfile(session.registry, name, edited);
    if (saved != Written::Whole) {
        tellUnsaved(saved, IDS_SAVE_FAILED, name, messages);
        return false;
    }
    const bool everyAdapter = session.applyToAll != 0;
    const std::vector<AdapterInfo*> adapters = session.adapters.all();
    const std::vector<std::optional<AdapterState>> states =
        adapterStates(session.registry, adapters);
    const std::size_t count = adapters.size();
    std::vector<AdapterApply> applies;
    bool lastApplied = false;
    for (std::size_t index = 0; index < count; ++index) {
        AdapterInfo& adapter = *adapters[index];
        if (!(everyAdapter || &adapter == &selected) ||
            !isDefaultOf(session.registry, adapter, name)) {
            continue;
        }
        const std::optional<ApplyOutcome> outcome = applyKeepingLastSwitch(
            session.registry, session.system, adapter, edited, states[index], messages);
        if (outcome) {
            applies.push_back({std::u16string(textOf(adapter.displayName)), *outcome});
            lastApplied = index == count - 1;
        }
    }
    // Every failure is told; the outcome only when the last adapter of the list was among them,
    // so an edit of a profile that only earlier adapters use completes without a word.
    const Messages told =
        applyMessages(applies, everyAdapter && count > 1, !everyAdapter || lastApplied);
    messages.insert(messages.end(), told.begin(), told.end());
    return true;
}

}  // namespace corvane
