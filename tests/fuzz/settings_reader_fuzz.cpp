// Any registry content the reader may meet: values of any type, size and text, with or without
// terminators. The reader must never overrun a field, and what it reads must store and read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/net_settings.h"
#include "core/settings_io.h"
#include "core/text.h"
#include "tests/support/memory_registry.h"

namespace {

using namespace corvane;

constexpr std::u16string_view kPath = u"Software\\Tavelorn\\Corvane\\1.2\\Profiles\\Fuzz";
constexpr std::u16string_view kNames[] = {
    u"Domain",     u"Username",  u"Password",   u"WINS",        u"DNS",           u"DefaultGateway",
    u"Subnetmask", u"IpAddress", u"EnableDHCP", u"ProxyServer", u"ProxyHttpPort", u"UseProxy"};

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

template <std::size_t N>
void checkTerminated(const char16_t (&field)[N]) {
    check(textOf(field).size() < N);
}

void checkRecord(const NetSettings& r) {
    for (const auto* field : {&r.ipAddress, &r.subnetMask, &r.defaultGateway, &r.dns1, &r.dns2,
                              &r.wins1, &r.wins2, &r.userName, &r.password, &r.domain}) {
        checkTerminated(*field);
    }
    checkTerminated(r.proxyServer);
    check(r.dhcpEnabled <= 1 && r.useProxy <= 1);
}

constexpr SettingsKeys kKeys{kCurrentUser, kPath, kPath, kCurrentUser, kPath};

bool read(Registry& registry, NetSettings& record) {
    return readSettings(registry, record, kKeys);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryRegistry registry;
    {
        RegKey key;
        createKey(registry, kCurrentUser, kPath, key);
        // Records of: name index, type, length, then that many bytes.
        std::size_t at = 0;
        while (at + 3 <= size) {
            const auto name = kNames[data[at] % std::size(kNames)];
            const std::uint32_t type = data[at + 1] % 8;
            const std::size_t length = std::min<std::size_t>(data[at + 2] * 4u, size - at - 3);
            registry.setValue(key.handle(), name, type, data + at + 3,
                              static_cast<std::uint32_t>(length));
            at += 3 + length;
        }
    }
    NetSettings first;
    check(read(registry, first));
    checkRecord(first);

    // Once stored by our own writer, a record reads back as a fixed point.
    check(writeSettings(registry, first, kKeys));
    NetSettings second;
    check(read(registry, second));
    checkRecord(second);
    check(writeSettings(registry, second, kKeys));
    NetSettings third;
    check(read(registry, third));
    check(!differs(second, third));
    check(registry.openHandleCount() == 0);
    return 0;
}
