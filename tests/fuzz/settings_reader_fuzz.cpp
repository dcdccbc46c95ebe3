// Any registry content the reader may meet: values of any type, size and text, with or without
// terminators. The reader must never overrun a field, and what it reads must store and read back.
#include "core/settings_io.h"
#include "core/text.h"
#include "tests/fuzz/check.h"
#include "tests/support/memory_registry.h"
#include "tests/support/registry_helpers.h"

namespace {

using namespace corvane;

constexpr std::u16string_view kPath = u"Software\\Tavelorn\\Corvane\\1.2\\Profiles\\Fuzz";
constexpr SettingsKeys kKeys{kCurrentUser, kPath, kPath, kCurrentUser, kPath};
constexpr std::u16string_view kNames[] = {
    u"Domain",     u"Username",  u"Password",   u"WINS",        u"DNS",           u"DefaultGateway",
    u"Subnetmask", u"IpAddress", u"EnableDHCP", u"ProxyServer", u"ProxyHttpPort", u"UseProxy"};

// The record as read: every text ends inside its field, and the flags are 0 or 1.
NetSettings readWell(Registry& registry) {
    NetSettings r;
    check(readSettings(registry, r, kKeys));
    const auto ends = [](const auto& field) { return textOf(field).size() < std::size(field); };
    check(ends(r.ipAddress) && ends(r.subnetMask) && ends(r.defaultGateway) && ends(r.dns1) &&
          ends(r.dns2) && ends(r.wins1) && ends(r.wins2) && ends(r.userName) && ends(r.password) &&
          ends(r.domain) && ends(r.proxyServer));
    check(r.dhcpEnabled <= 1 && r.useProxy <= 1);
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryRegistry registry;
    putKey(registry, kCurrentUser, kPath);
    // Records of: name index, type, length, then that many bytes.
    for (std::size_t at = 0, length = 0; at + 3 <= size; at += 3 + length) {
        length = std::min<std::size_t>(data[at + 2] * 4u, size - at - 3);
        putValue(registry, kCurrentUser, kPath, kNames[data[at] % std::size(kNames)],
                 data[at + 1] % 8, data + at + 3, length);
    }
    // Once stored by our own writer, a record reads back as a fixed point.
    const NetSettings first = readWell(registry);
    check(writeSettings(registry, first, kKeys) == Written::Whole);
    const NetSettings second = readWell(registry);
    check(writeSettings(registry, second, kKeys) == Written::Whole);
    check(!differs(second, readWell(registry)));
    check(registry.openHandleCount() == 0);
    return 0;
}
