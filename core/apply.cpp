#include "core/apply.h"

#include <algorithm>

#include "core/text.h"
#include "resources/resource.h"

namespace corvane {
namespace {

// Only the three proxy fields count, the server as exact text.
bool proxyChanged(const NetSettings& a, const NetSettings& b) {
    return textOf(a.proxyServer) != textOf(b.proxyServer) || a.proxyPort != b.proxyPort ||
           a.useProxy != b.useProxy;
}

}  // namespace

bool isPlatform211OrLater(System& system) {
    PlatformVersion version;
    return system.platformVersion(version) && version.major >= 2 && version.minor >= 11;
}

ApplyOutcome applyToSystem(Registry& registry, System& system, AdapterInfo& adapter,
                           const NetSettings& record) {
    const bool changedProxy = proxyChanged(record, adapter.settings);
    switch (adapter.writeToSystem(registry, record)) {
        case Written::Nothing:
            return ApplyOutcome::Failed;
        case Written::Partly:
            return ApplyOutcome::NotPutBack;
        case Written::Whole:
            break;
    }
    if (!changedProxy) {
        return ApplyOutcome::Applied;
    }
    if (isPlatform211OrLater(system) && system.tellShellSettingChanged()) {
        return ApplyOutcome::ShellNotified;
    }
    return ApplyOutcome::ResetNeeded;
}

Messages applyMessages(std::span<const AdapterApply> applies, bool nameAdapters,
                       bool tellCompletion) {
    Messages messages;
    for (const AdapterApply& apply : applies) {
        if (isFailure(apply.outcome)) {
            messages.push_back(nameAdapters ? failure(IDS_APPLY_FAILED_FOR, apply.adapterName)
                                            : failure(IDS_APPLY_FAILED));
        }
        if (apply.outcome == ApplyOutcome::NotPutBack) {
            messages.push_back(failure(IDS_SETTINGS_NOT_PUT_BACK, apply.adapterName));
        }
    }
    const auto any = [&](auto test) {
        return std::any_of(applies.begin(), applies.end(),
                           [&](const AdapterApply& apply) { return test(apply.outcome); });
    };
    if (tellCompletion && any([](ApplyOutcome outcome) { return !isFailure(outcome); })) {
        messages.push_back(notice(IDS_NEXT_USE));
        if (any([](ApplyOutcome outcome) { return outcome == ApplyOutcome::ResetNeeded; })) {
            messages.push_back(notice(IDS_RESET_FOR_PROXY));
        }
    }
    return messages;
}

}  // namespace corvane
