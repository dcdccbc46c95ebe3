#include "core/apply.h"

#include "core/text.h"
#include "resources/resource.h"

namespace corvane {
namespace {

inline constexpr std::u16string_view kShellWindowClass = u"DesktopExplorerWindow";

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
    if (!adapter.writeToSystem(registry, record)) {
        return ApplyOutcome::Failed;
    }
    if (!changedProxy) {
        return ApplyOutcome::Applied;
    }
    if (isPlatform211OrLater(system)) {
        if (const WindowRef shell = system.findWindow(kShellWindowClass); shell != 0) {
            system.tellSettingChange(shell);
            return ApplyOutcome::ShellNotified;
        }
    }
    return ApplyOutcome::ResetNeeded;
}

Messages applyMessages(ApplyOutcome outcome) {
    switch (outcome) {
        case ApplyOutcome::Failed:
            return {failure(IDS_APPLY_FAILED)};
        case ApplyOutcome::Applied:
        case ApplyOutcome::ShellNotified:
            return {notice(IDS_NEXT_USE)};
        case ApplyOutcome::ResetNeeded:
            return {notice(IDS_NEXT_USE), notice(IDS_RESET_FOR_PROXY)};
    }
    return {};
}

}  // namespace corvane
