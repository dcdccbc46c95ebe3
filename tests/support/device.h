// A handheld for the tests: adapters and profiles in a registry (in memory for the native tests,
// the real one under Wine), a system whose answers the test sets, and the session over both.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/message.h"
#include "core/session.h"
#include "core/settings_io.h"
#include "core/system.h"
#include "core/text.h"
#include "profiles/profile_store.h"
#include "tests/support/memory_registry.h"
#include "tests/support/registry_helpers.h"

namespace corvane {

// A system whose answers the test sets; help goes on to `helpViewer` when a test sets one.
class FakeSystem : public System {
  public:
    bool platformVersion(PlatformVersion& out) override {
        out = version.value_or(PlatformVersion{});
        return version.has_value();
    }
    bool tellShellSettingChanged() override {
        told += shell ? 1 : 0;
        return shell;
    }
    bool storeInformation(std::uint64_t& size, std::uint64_t& free) override {
        size = storeSize;
        free = storeFree;
        return storeKnown;
    }
    void showHelp(std::u16string_view topic) override {
        if (helpViewer != nullptr) {
            helpViewer->showHelp(topic);
        }
    }

    bool storeKnown = true;
    std::uint64_t storeSize = 0;
    std::uint64_t storeFree = 0;
    std::optional<PlatformVersion> version = PlatformVersion{2, 11};  // none: not told
    bool shell = false;                                               // the shell's window is there
    int told = 0;  // times it was told of a changed setting
    System* helpViewer = nullptr;
};

// A handheld over `RegistryType`: NDIS adapters, profiles and defaults in its registry.
template <class RegistryType>
class BasicDevice {
  public:
    // "Comm\<key>", shown as `name` (by its group when empty), on `ip` or on DHCP.
    void addAdapter(std::u16string_view key, std::u16string_view name,
                    std::u16string_view ip = {}) {
        const std::u16string path = u"Comm\\" + std::u16string(key);
        putString(registry, kLocalMachine, path, u"Group", u"NDIS");
        if (!name.empty()) {
            putString(registry, kLocalMachine, path, u"DisplayName", name);
        }
        putDword(registry, kLocalMachine, tcpip(key), u"EnableDHCP", ip.empty());
        putMulti(registry, kLocalMachine, tcpip(key), u"IpAddress", {ip});
    }
    void loadAdapters(int count) { ASSERT_EQ(session.adapters.enumerate(registry), count); }
    void addProfile(std::u16string_view name, std::u16string_view ipAddress = u"10.1.0.1") {
        NetSettings record;
        setDefaults(record);
        record.dhcpEnabled = 0;
        copyText(record.ipAddress, ipAddress);
        ASSERT_EQ(saveProfile(registry, name, record), Written::Whole);
    }
    void setDefault(std::u16string_view adapterKey, std::u16string_view name) {
        putString(registry, kCurrentUser, appKey(adapterKey), kDefaultProfileValue, name);
    }
    // As stored, or "(none)".
    std::u16string defaultOf(std::u16string_view adapterKey) {
        const RawValue value =
            getRaw(registry, kCurrentUser, appKey(adapterKey), kDefaultProfileValue);
        return value.result == status::kSuccess ? std::u16string(textOf(value.chars())) : u"(none)";
    }
    std::u16string systemIp(std::u16string_view adapterKey) {
        return std::u16string(
            textOf(getRaw(registry, kLocalMachine, tcpip(adapterKey), u"IpAddress").chars()));
    }
    std::u16string profileIp(std::u16string_view name) {
        NetSettings record;
        return loadProfile(registry, name, record) ? std::u16string(textOf(record.ipAddress))
                                                   : u"(none)";
    }
    AdapterInfo& adapter(int index) { return *session.adapters.at(index); }

    RegistryType registry;
    FakeSystem system;
    Session session{registry, system};

  private:
    static std::u16string tcpip(std::u16string_view key) {
        return u"Comm\\" + std::u16string(key) + u"\\Parms\\TcpIp";
    }
    static std::u16string appKey(std::u16string_view key) {
        return std::u16string(kAppKeyPath) + u"\\" + std::u16string(key);
    }
};

// The native tests' handheld, in memory: with `adapters` NDIS adapters A1, A2... ("Card A1"...) on
// the fixed addresses 192.168.0.1, .2...; with `profiles`, profiles Home on 10.1.0.1 and Office on
// 10.2.0.1.
class Device : public BasicDevice<MemoryRegistry> {
  public:
    explicit Device(int adapters = 0, bool profiles = false) {
        putString(registry, kLocalMachine, kIdentityKeyPath, u"Username", u"kdurand");
        for (int i = 1; i <= adapters; ++i) {
            const std::u16string n = fromUtf8(std::to_string(i));
            addAdapter(u"A" + n, u"Card A" + n, u"192.168.0." + n);
        }
        loadAdapters(adapters);
        if (profiles) {
            addProfile(u"Home", u"10.1.0.1");
            addProfile(u"Office", u"10.2.0.1");
        }
    }
    ~Device() { EXPECT_EQ(registry.openHandleCount(), 0) << "a key was left open"; }
    // Every adapter's system "IpAddress", each followed by a space.
    std::string systemIps() {
        std::string ips;
        for (int i = 0; i < session.adapters.count(); ++i) {
            ips += toUtf8(systemIp(textOf(adapter(i).keyName))) + " ";
        }
        return ips;
    }
};

inline void PrintTo(const Message& message, std::ostream* out) {
    *out << "{" << message.textId << ", \"" << toUtf8(message.argument) << "\", 0x" << std::hex
         << message.style << std::dec << "}";
}

}  // namespace corvane
