// A handheld for tests of the portable logic: an in-memory registry with adapters and profiles,
// a system whose answers the test sets, and the application state wired to both.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_state.h"
#include "core/message.h"
#include "core/system.h"
#include "tests/support/memory_registry.h"

namespace corvane {

class FakeSystem : public System {
  public:
    bool platformVersion(PlatformVersion& out) override {
        out = version;
        return versionKnown;
    }
    WindowRef findWindow(std::u16string_view className) override {
        const auto found = windows.find(std::u16string(className));
        return found != windows.end() ? found->second : 0;
    }
    void tellSettingChange(WindowRef window) override { told.push_back(window); }
    bool storeInformation(std::uint64_t& size, std::uint64_t& free) override {
        size = storeSize;
        free = storeFree;
        return storeKnown;
    }
    void startProgram(std::u16string_view program, std::u16string_view commandLine) override {
        started.emplace_back(program, commandLine);
    }

    bool storeKnown = true;
    std::uint64_t storeSize = 0;
    std::uint64_t storeFree = 0;
    bool versionKnown = true;
    PlatformVersion version{2, 11};
    std::map<std::u16string, WindowRef> windows;  // top-level windows by class name
    std::vector<WindowRef> told;  // windows told of a changed setting
    std::vector<std::pair<std::u16string, std::u16string>> started;
};

class Device {
  public:
    Device();
    ~Device() { EXPECT_EQ(registry.openHandleCount(), 0) << "a key was left open"; }

    // An NDIS adapter under HKLM "Comm" on the fixed address `ipAddress`.
    void addAdapter(std::u16string_view keyName, std::u16string_view displayName,
                    std::u16string_view ipAddress);
    // Builds the state's adapter list from the registry; returns the count.
    int loadAdapters();
    // A stored profile on the fixed address `ipAddress`.
    void addProfile(std::u16string_view name, std::u16string_view ipAddress);
    void setDefault(std::u16string_view adapterKey, std::u16string_view name);
    // "DefProfile" of the adapter as stored, or "(none)".
    std::u16string defaultOf(std::u16string_view adapterKey);
    // The adapter's system "IpAddress" as stored.
    std::u16string systemIp(std::u16string_view adapterKey);
    // A stored profile's "IpAddress", or "(none)" when it cannot be loaded.
    std::u16string profileIp(std::u16string_view name);
    AdapterInfo& adapter(int index) { return *state.adapters->at(index); }

    MemoryRegistry registry;
    FakeSystem system;
    AppState state;
};

void PrintTo(const Message& message, std::ostream* out);

}  // namespace corvane
