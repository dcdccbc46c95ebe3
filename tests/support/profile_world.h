// A device for tests of the profile store, the icon's menu and switching: an in-memory
// registry with adapters and profiles, the application state wired to fakes of every seam.
#pragma once

#include <string>
#include <string_view>

#include "core/app_state.h"
#include "tests/support/fake_menus.h"
#include "tests/support/fake_profile_views.h"
#include "tests/support/fakes.h"
#include "tests/support/memory_registry.h"

namespace corvane {

class ProfileWorld {
  public:
    static constexpr WindowRef kMain = 0x10;
    static constexpr WindowRef kDialog = 0x20;

    ProfileWorld();

    // An adapter under HKLM "Comm" with its TCP/IP key holding `ipAddress` (fixed address).
    void addAdapter(std::u16string_view keyName, std::u16string_view displayName,
                    std::u16string_view ipAddress);
    // Builds the state's adapter list from the registry; returns the count.
    int loadAdapters();
    // A stored profile on fixed address `ipAddress`.
    void addProfile(std::u16string_view name, std::u16string_view ipAddress);
    void setDefault(std::u16string_view adapterKey, std::u16string_view name);
    // "DefProfile" of the adapter as stored, or "(none)".
    std::u16string defaultOf(std::u16string_view adapterKey);
    // The adapter's system "IpAddress" as stored.
    std::u16string systemIp(std::u16string_view adapterKey);
    // Opens the Network Profiles dialog's views with adapter `adapterIndex` selected.
    FakeDialogViews& openDialog(int adapterIndex = 0);
    // The message texts shown so far, in order.
    std::vector<std::u16string> messages() const;
    // Messages with `argument` in place of the "%s" of string `id`.
    static std::u16string text(int id, std::u16string_view argument = {});

    MemoryRegistry registry;
    FakeUserInterface ui;
    FakeSystem system;
    FakeMenus menus;
    FakeProfileViews views{&ui.events};
    AppState state;
};

}  // namespace corvane
