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
#include "shell/menu_items.h"

namespace corvane {

class MenuSeam;
class ProfileViews;

inline constexpr int kProfileNameChars = 40;  // a profile name of at most 39 characters
inline constexpr int kMenuProfileNameChars = 260;

inline constexpr std::u16string_view kAppKeyPath = u"Software\\Tavelorn\\Corvane\\1.2";

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
};

}  // namespace corvane
