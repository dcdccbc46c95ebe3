// The one application state of the process and the seams through which its logic reaches the
// platform.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "core/adapter_list.h"
#include "core/registry.h"
#include "core/system.h"
#include "core/ui.h"
#include "tray/menu_items.h"

namespace corvane {

class MenuSeam;
class ProfileViews;
class SettingsEditor;

inline constexpr int kProfileNameChars = 40;  // a profile name of at most 39 characters
inline constexpr int kMenuProfileNameChars = 260;

inline constexpr std::u16string_view kAppKeyPath = u"Software\\Tavelorn\\Corvane\\1.2";
// Keys of older versions, removed with everything below them at start-up.
inline constexpr std::u16string_view kOldKeyPaths[] = {u"Software\\Tavelorn\\Corvane\\1.0",
                                                       u"Software\\Tavelorn\\Corvane\\1.1"};
inline constexpr std::u16string_view kShowStartOption = u"ShowStart";
inline constexpr std::u16string_view kApplyToAllOption = u"ApplyToAll";
inline constexpr char16_t kHelpProgram[] = u"PegHelp.exe";

// One profile command of the notification icon's menu.
class ProfileMenuItem {
  public:
    virtual ~ProfileMenuItem() = default;
    std::uint32_t commandId = 0;
    char16_t profileName[kMenuProfileNameChars] = {};
    AdapterInfo* adapter = nullptr;  // not owned
};

class AppState {
  public:
    virtual ~AppState() = default;

    WindowRef hwndCurrent = 0;
    WindowRef hwndMain = 0;
    InstanceRef hInstance = 0;
    FontRef boldFont = 0;  // owned by the platform layer, which deletes it at exit
    std::uint32_t showAtStartup = 0;
    const char16_t* helpProgram = nullptr;
    char16_t profileName[kProfileNameChars] = {};
    std::unique_ptr<AdapterList> adapters;
    IconRef trayIcon = 0;
    WindowRef commandBar = 0;
    std::int32_t commandBarHeight = 0;
    ProfileMenuList menuItems;
    std::uint32_t busy = 0;
    std::uint8_t dialogOpen = 0;
    std::uint32_t applyToAll = 0;
    MenuRef trayMenu = 0;

    // The seams; set before the state is used.
    Registry* registry = nullptr;
    UserInterface* ui = nullptr;
    System* system = nullptr;
    MenuSeam* menus = nullptr;
    ProfileViews* views = nullptr;
    SettingsEditor* settingsEditor = nullptr;  // the "Network Settings" sheet
};

// The one state of the process, and its module.
AppState& appState();
InstanceRef appInstance();

// Resets the state for start-up and reads the two options; the seams must be set. The bold
// font is the platform layer's to create.
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
