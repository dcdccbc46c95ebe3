// One adapter's complete network configuration: a plain value of fixed size, copied whole.
#pragma once

#include <cstdint>

namespace corvane {

inline constexpr int kFieldChars = 30;         // address and logon fields, zero included
inline constexpr int kProxyServerChars = 260;  // proxy server name, zero included
inline constexpr std::uint32_t kDefaultProxyPort = 80;

struct NetSettings {
    char16_t ipAddress[kFieldChars];
    char16_t subnetMask[kFieldChars];
    char16_t defaultGateway[kFieldChars];
    char16_t dns1[kFieldChars];
    char16_t dns2[kFieldChars];
    char16_t wins1[kFieldChars];
    char16_t wins2[kFieldChars];
    std::uint32_t dhcpEnabled;
    char16_t userName[kFieldChars];
    char16_t password[kFieldChars];
    char16_t domain[kFieldChars];
    std::int32_t proxyPort;
    std::uint32_t useProxy;
    char16_t proxyServer[kProxyServerChars];
};

// Every text empty, DHCP on, port 80, no proxy.
void setDefaults(NetSettings& record);

// True when any field differs: texts as exact, case-sensitive text, the rest as numbers.
bool differs(const NetSettings& a, const NetSettings& b);

}  // namespace corvane
