#include "tests/support/device.h"

#include "core/net_settings.h"
#include "core/settings_io.h"
#include "core/text.h"
#include "profiles/profile_store.h"
#include "tests/support/registry_helpers.h"

namespace corvane {
namespace {

std::u16string tcpipPath(std::u16string_view keyName) {
    return u"Comm\\" + std::u16string(keyName) + u"\\Parms\\TcpIp";
}

std::u16string adapterKeyPath(std::u16string_view keyName) {
    return std::u16string(kAppKeyPath) + u"\\" + std::u16string(keyName);
}

}  // namespace

Device::Device() {
    state.registry = &registry;
    state.system = &system;
    state.helpProgram = kHelpProgram;
    putString(registry, kLocalMachine, kIdentityKeyPath, u"Username", u"kdurand");
}

void Device::addAdapter(std::u16string_view keyName, std::u16string_view displayName,
                        std::u16string_view ipAddress) {
    const std::u16string key = u"Comm\\" + std::u16string(keyName);
    putString(registry, kLocalMachine, key, u"Group", u"NDIS");
    putString(registry, kLocalMachine, key, u"DisplayName", displayName);
    putDword(registry, kLocalMachine, tcpipPath(keyName), u"EnableDHCP", 0);
    putMulti(registry, kLocalMachine, tcpipPath(keyName), u"IpAddress", {ipAddress});
}

int Device::loadAdapters() {
    state.adapters = std::make_unique<AdapterList>();
    return state.adapters->enumerate(registry);
}

void Device::addProfile(std::u16string_view name, std::u16string_view ipAddress) {
    NetSettings record;
    setDefaults(record);
    record.dhcpEnabled = 0;
    copyText(record.ipAddress, ipAddress);
    ASSERT_TRUE(saveProfile(registry, name, record));
}

void Device::setDefault(std::u16string_view adapterKey, std::u16string_view name) {
    putString(registry, kCurrentUser, adapterKeyPath(adapterKey), u"DefProfile", name);
}

std::u16string Device::defaultOf(std::u16string_view adapterKey) {
    const RawValue value =
        getRaw(registry, kCurrentUser, adapterKeyPath(adapterKey), u"DefProfile");
    return value.result == status::kSuccess ? std::u16string(textOf(value.chars())) : u"(none)";
}

std::u16string Device::systemIp(std::u16string_view adapterKey) {
    return std::u16string(
        textOf(getRaw(registry, kLocalMachine, tcpipPath(adapterKey), u"IpAddress").chars()));
}

std::u16string Device::profileIp(std::u16string_view name) {
    NetSettings record;
    return loadProfile(registry, name, record) ? std::u16string(textOf(record.ipAddress))
                                               : u"(none)";
}

void PrintTo(const Message& message, std::ostream* out) {
    *out << "{" << message.textId << ", \"" << toUtf8(message.argument) << "\", 0x" << std::hex
         << message.style << std::dec << "}";
}

}  // namespace corvane
