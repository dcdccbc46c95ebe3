#include "core/apply.h"

#include "core/app_state.h"
#include "core/text.h"
#include "resources/resource.h"
#include "ui/ui_support.h"

namespace corvane {
namespace {

inline constexpr std::uint32_t kWmSettingChange = 26;
inline constexpr std::u16string_view kShellWindowClass = u"DesktopExplorerWindow";

bool proxyChanged(const NetSettings& a, const NetSettings& b) {
    return textOf(a.proxyServer) != textOf(b.proxyServer) || a.proxyPort != b.proxyPort ||
           a.useProxy != b.useProxy;
}

// The shell can be told of a changed proxy from platform 2.11 on; each number is tested by
// itself, so a platform that reports 3.0 does not qualify.
bool shellTakesSettingChange(System& system) {
    PlatformVersion version;
    return system.platformVersion(version) && version.major >= 2 && version.minor >= 11;
}

}  // namespace

bool applyToSystem(AppState& state, AdapterInfo& adapter, const NetSettings& record,
                   bool showMessages) {
    const NetSettings before = adapter.settings;
    const bool changedProxy = proxyChanged(record, before);
    if (!adapter.writeToSystem(*state.registry, record)) {
        if (showMessages) {
            showMessage(state, 0, IDS_APPLY_FAILED, mb::kIconExclamation);
        }
        return false;
    }
    if (showMessages) {
        showMessage(state, 0, IDS_NEXT_USE, mb::kIconInformation);
    }
    if (!changedProxy) {
        return true;
    }
    if (shellTakesSettingChange(*state.system)) {
        const WindowRef shell = state.system->findWindow(kShellWindowClass, u"");
        if (shell != 0) {
            state.system->postMessage(shell, kWmSettingChange, 0, 0);
            return true;
        }
    }
    if (showMessages) {
        showMessage(state, 0, IDS_RESET_FOR_PROXY, mb::kIconInformation);
    }
    return true;
}

}  // namespace corvane
