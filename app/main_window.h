// What the hidden main window decides, apart from the window system: the start-up choice of
// the dialog, the meaning of its commands, and its creation and destruction steps.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "core/adapter_list.h"
#include "core/app_state.h"

namespace corvane {

inline constexpr std::uint32_t kUmShowProfiles = 1126;  // WM_USER + 102, also between instances
inline constexpr std::uint32_t kUmTrayNotify = 2025;    // WM_USER + 1001
inline constexpr std::uint32_t kUmRefreshProfiles = 2026;

inline constexpr std::u16string_view kMainClassName = u"CorvaneClass";

// "-nod" anywhere in the command line, letter case significant, keeps the dialog closed.
bool commandLineSuppressesDialog(std::u16string_view commandLine);
// Whether start-up opens the Network Profiles dialog.
bool opensProfilesAtStart(std::u16string_view commandLine, std::uint32_t showAtStartup);

enum class MainCommand { kNone, kSwitchProfile, kShowProfiles, kExit };
MainCommand classifyMainCommand(std::uint32_t commandId);

// The platform's part of creation and destruction. Null hooks are skipped.
struct MainWindowSteps {
    void (*addTrayIcon)(AppState&) = nullptr;  // loads the icon and adds it
    void (*removeTrayIcon)(AppState&) = nullptr;
    void (*rebuildTrayMenu)(AppState&) = nullptr;
    // The adapter list; null means no memory. Left null, the list comes from the heap.
    std::unique_ptr<AdapterList> (*newAdapterList)() = nullptr;
    AdapterList::EntryMaker makeEntry = nullptr;
};

// WM_CREATE: 0 when the window may live, -1 when its creation must fail (the user was told).
int runCreationSteps(AppState& state, WindowRef window, const MainWindowSteps& steps);
// WM_DESTROY, up to but not including the quit message.
void runDestructionSteps(AppState& state, const MainWindowSteps& steps);

}  // namespace corvane
