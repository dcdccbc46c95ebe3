// Prints what Corvane sees on the device: each adapter it lists with its display name, key
// name and current settings, read through the real registry.
#include <cstdio>
#include <string>

#include "core/adapter_list.h"
#include "core/text.h"
#include "platform/registry_win32.h"

namespace {

void printLine(const std::string& label, std::u16string_view value) {
    std::printf("    %-16s %s\n", label.c_str(), corvane::toUtf8(value).c_str());
}

void printSettings(const corvane::NetSettings& s) {
    using corvane::textOf;
    printLine("DHCP", s.dhcpEnabled ? u"on" : u"off");
    printLine("IP address", textOf(s.ipAddress));
    printLine("Subnet mask", textOf(s.subnetMask));
    printLine("Gateway", textOf(s.defaultGateway));
    printLine("DNS", std::u16string(textOf(s.dns1)) + u"  " + std::u16string(textOf(s.dns2)));
    printLine("WINS", std::u16string(textOf(s.wins1)) + u"  " + std::u16string(textOf(s.wins2)));
    printLine("User name", textOf(s.userName));
    printLine("Domain", textOf(s.domain));
    printLine("Password", textOf(s.password).empty() ? u"(none)" : u"(set)");
    printLine("Proxy", std::u16string(s.useProxy ? u"on  " : u"off  ") +
                           std::u16string(textOf(s.proxyServer)) + u":" +
                           corvane::fromUtf8(std::to_string(s.proxyPort)));
}

}  // namespace

int wmain() {
    corvane::Win32Registry registry;
    corvane::AdapterList adapters;
    const int count = adapters.enumerate(registry);
    std::printf("%d network adapter(s)\n", count);
    for (int i = 0; i < count; ++i) {
        const corvane::AdapterInfo& adapter = *adapters.at(i);
        std::printf("\n[%d] %s\n", i,
                    corvane::toUtf8(corvane::textOf(adapter.displayName)).c_str());
        printLine("Key name", corvane::textOf(adapter.keyName));
        printLine("TCP/IP key", corvane::textOf(adapter.tcpipKeyPath));
        printSettings(adapter.settings);
    }
    return count > 0 ? 0 : 1;
}
