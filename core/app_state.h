// The one application state of the process: the windows that front the program, the adapters,
// the icon's menu entries, the two options and the seams through which the logic reaches the
// platform. Plain data; the layers above read and change it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/adapter_list.h"
#include "core/handles.h"
#include "core/registry.h"
#include "core/system.h"

namespace corvane {

inline constexpr std::u16string_view kAppKeyPath = u"Software\\Tavelorn\\Corvane\\1.2";
// Keys of older versions, removed with everything below them at start-up.
inline constexpr std::u16string_view kOldKeyPaths[] = {u"Software\\Tavelorn\\Corvane\\1.0",
                                                       u"Software\\Tavelorn\\Corvane\\1.1"};
inline constexpr std::u16string_view kShowStartOption = u"ShowStart";
inline constexpr std::u16string_view kApplyToAllOption = u"ApplyToAll";
// The hidden main window's class; a second instance finds the first one by it.
inline constexpr char16_t kMainClassName[] = u"CorvaneClass";

// One profile command of the notification icon's menu.
struct ProfileMenuItem {
    std::uint32_t commandId = 0;
    std::u16string profileName;
    AdapterInfo* adapter = nullptr;  // not owned

    bool operator==(const ProfileMenuItem&) const = default;
};

class AppState {
  public:
    virtual ~AppState() = default;

    WindowRef hwndCurrent = 0;  // the main window, or the Network Profiles dialog while open
    WindowRef hwndMain = 0;
    InstanceRef hInstance = 0;
    OwnedRef boldFont;
    std::uint32_t showAtStartup = 0;  // any non-zero value is on
    std::unique_ptr<AdapterList> adapters;
    OwnedRef trayIcon;
    WindowRef commandBar = 0;
    std::int32_t commandBarHeight = 0;
    std::vector<ProfileMenuItem> menuItems;  // the profile commands of the icon's menu
    bool busy = false;                       // a command runs: a tap on the icon opens no menu
    bool dialogOpen = false;
    bool quiet = false;            // a command line with -quiet runs: completions go untold
    int messageBoxesUp = 0;        // message boxes of the program on the screen now
    std::uint32_t applyToAll = 0;  // any non-zero value is on
    OwnedRef trayMenu;

    // The seams; set before the state is used.
    Registry* registry = nullptr;
    System* system = nullptr;
};

// The one state of the process, and its module.
AppState& appState();
InstanceRef appInstance();

// Resets the state for start-up and reads the two options; the seams must be set.
void initAppState(AppState& state);

// True when the application key holds `name` as a REG_DWORD of exactly 4 bytes; otherwise
// `value` is `defaultValue`.
bool readDwordOption(Registry& registry, std::u16string_view name, std::uint32_t& value,
                     std::uint32_t defaultValue);
// Stores `value` as a REG_DWORD in the application key, creating the key; false on any failure.
bool writeDwordOption(Registry& registry, std::u16string_view name, std::uint32_t value);

// Removes the keys of older versions with all their subkeys; missing keys are fine.
void deleteOldVersionKeys(Registry& registry);

}  // namespace corvane
