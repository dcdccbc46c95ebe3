#include "profiles_dialog/profiles_dialog.h"

#include "core/apply.h"
#include "core/text.h"
#include "profiles/profile_store.h"
#include "resources/resource.h"

namespace corvane {
namespace {

bool isDefaultOf(Registry& registry, const AdapterInfo& adapter, std::u16string_view name) {
    std::u16string defaultName;
    return loadDefaultProfileName(registry, adapter, defaultName) && defaultName == name;
}

}  // namespace

DialogOpening openProfilesDialog(AppState& state) {
    DialogOpening opening;
    const int count = state.adapters ? state.adapters->count() : 0;
    for (int index = 0; index < count; ++index) {
        opening.adapters.emplace_back(textOf(state.adapters->at(index)->displayName));
    }
    if (count <= 1) {
        state.applyToAll = 0;
    }
    opening.applyToAllEnabled = count > 1;
    opening.applyToAllChecked = state.applyToAll != 0;
    opening.showAtStartupChecked = state.showAtStartup != 0;
    return opening;
}

DialogCommand dialogCommand(int id, int notification) {
    constexpr int kSelectionChanged = 1;  // CBN_SELCHANGE
    switch (id) {
        case mb::kIdOk:
        case mb::kIdCancel:
            return {DialogAction::Close};
        case IDC_NEW:
            return {DialogAction::New, true};
        case IDC_EDIT:
            return {DialogAction::Edit, true};
        case IDC_DELETE:
            return {DialogAction::Delete, true};
        case IDC_SETTINGS:
            return {DialogAction::ShowSettings, true};
        case IDC_ADAPTER_LIST:
            return notification == kSelectionChanged
                       ? DialogCommand{DialogAction::AdapterSelected, true}
                       : DialogCommand{};
        case IDC_PROFILE_LIST:
            return notification == kSelectionChanged
                       ? DialogCommand{DialogAction::ProfileSelected, true}
                       : DialogCommand{};
        case IDC_SET:
            return {DialogAction::Set};
        case IDC_APPLY_TO_ALL:
            return {DialogAction::ApplyToAll};
        case IDM_HELP_TOPICS:
            return {DialogAction::HelpTopics};
        case IDM_ABOUT:
            return {DialogAction::About, true};
        case IDM_SHOW_PROFILES:
            return {DialogAction::BringForward};
        case IDM_SHOW_AT_STARTUP:
            return {DialogAction::ToggleShowAtStartup};
        case IDM_EXPORT:
            return {DialogAction::Export, true};
        case IDM_IMPORT:
            return {DialogAction::Import, true};
        default:
            return {};
    }
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

ProfileList readProfileList(AppState& state, const AdapterInfo& adapter) {
    ProfileList list;
    list.names = listProfileNames(*state.registry);
    const bool hasDefault = loadDefaultProfileName(*state.registry, adapter, list.selection);
    list.offerDefault = !hasDefault || list.names.empty();
    return list;
}

Message defaultProfileQuestion(const AdapterInfo& adapter) {
    return question(IDS_OFFER_DEFAULT, textOf(adapter.displayName));
}

bool switchFromDialog(AppState& state, AdapterInfo* adapter, std::u16string_view name,
                      Messages& messages) {
    if (adapter == nullptr || name.empty()) {
        return true;
    }
    if (state.applyToAll == 0 && isDefaultOf(*state.registry, *adapter, name)) {
        return false;  // already the default: nothing to store, apply or refresh
    }
    switchToProfile(state, *adapter, name, state.applyToAll != 0, messages);
    return true;
}

bool storeEditedProfile(AppState& state, AdapterInfo& selected, std::u16string_view name,
                        const NetSettings& before, const NetSettings& edited, Messages& messages) {
    if (!differs(edited, before)) {
        return false;  // nothing changed: nothing stored, and no new profile
    }
    const Written saved = saveProfile(*state.registry, name, edited);
    if (saved != Written::Whole) {
        tellUnsaved(saved, IDS_SAVE_FAILED, name, messages);
        return false;
    }
    const bool everyAdapter = state.applyToAll != 0;
    const int count = state.adapters ? state.adapters->count() : 0;
    std::vector<AdapterApply> applies;
    bool lastApplied = false;
    for (int index = 0; index < count; ++index) {
        AdapterInfo& adapter = *state.adapters->at(index);
        if ((everyAdapter || &adapter == &selected) &&
            isDefaultOf(*state.registry, adapter, name)) {
            applies.push_back({std::u16string(textOf(adapter.displayName)),
                               applyToSystem(*state.registry, *state.system, adapter, edited)});
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
