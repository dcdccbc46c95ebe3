#include "core/settings_io.h"

#include <array>
#include <cstring>
#include <span>

#include "core/text.h"

namespace corvane {
namespace {

inline constexpr std::uint32_t kIdentityReadLimit = 60;  // bytes
inline constexpr std::uint32_t kTextReadLimit = 520;     // bytes
inline constexpr std::u16string_view kNoLeaseAddress = u"0.0.0.0";

// What a bounded query returned: the characters received, always followed by a zero.
struct TextValue {
    std::array<char16_t, kTextReadLimit / 2 + 1> chars{};
    std::uint32_t length = 0;  // characters received, zeros included

    std::u16string_view first() const { return textOf(std::span(chars.data(), length)); }
    // The string after the first terminator, or empty when the data ends before it.
    std::u16string_view second() const {
        const std::size_t start = first().size() + 1;
        return start < length ? textOf(std::span(chars.data() + start, length - start))
                              : std::u16string_view();
    }
};

// A value that is missing, fails, or does not fit `limit` bytes reads as empty.
TextValue queryText(Registry& registry, KeyHandle key, std::u16string_view name,
                    std::uint32_t limit) {
    TextValue value;
    std::uint32_t size = limit;
    if (registry.queryValue(key, name, nullptr, value.chars.data(), &size) == status::kSuccess &&
        size <= limit) {
        value.length = size / 2;
    }
    return value;
}

bool queryNumber(Registry& registry, const RegKey& key, std::u16string_view name,
                 std::uint32_t& number) {
    std::uint32_t data = 0;
    std::uint32_t size = sizeof data;
    if (registry.queryValue(key.handle(), name, nullptr, &data, &size) != status::kSuccess) {
        return false;
    }
    number = data;
    return true;
}

// A text too long for its field is left out rather than cut: a shortened address would be a
// different address.
void readField(std::span<char16_t> field, std::u16string_view text) {
    copyTextWhole(field, text);
}

void readIdentity(Registry& registry, const RegKey& key, NetSettings& record) {
    readField(record.domain,
              queryText(registry, key.handle(), u"Domain", kIdentityReadLimit).first());
    readField(record.userName,
              queryText(registry, key.handle(), u"Username", kIdentityReadLimit).first());
    readField(record.password,
              queryText(registry, key.handle(), u"Password", kIdentityReadLimit).first());
}

RegValue textValue(std::u16string_view name, std::uint32_t type, std::u16string_view data) {
    RegValue value{std::u16string(name), type, std::vector<unsigned char>(data.size() * 2)};
    std::memcpy(value.data.data(), data.data(), value.data.size());
    return value;
}

// A REG_SZ: the text and its zero.
RegValue stringValue(std::u16string_view name, std::u16string_view text) {
    std::u16string data(text);
    data.push_back(u'\0');
    return textValue(name, regtype::kString, data);
}

// A two-server list. A lone primary carries one zero more than the list needs, as the
// handheld's own settings store it; a lone secondary becomes the only entry.
RegValue listValue(std::u16string_view name, std::u16string_view primary,
                   std::u16string_view secondary) {
    std::u16string data;
    if (!primary.empty() && !secondary.empty()) {
        data.append(primary).append(1, u'\0').append(secondary).append(2, u'\0');
    } else if (!primary.empty()) {
        data.append(primary).append(3, u'\0');
    } else if (!secondary.empty()) {
        data.append(secondary).append(2, u'\0');
    } else {
        data.append(2, u'\0');
    }
    return textValue(name, regtype::kMultiString, data);
}

// A one-address multi-string: the text and two zeros.
RegValue addressValue(std::u16string_view name, std::u16string_view address) {
    std::u16string data(address);
    data.append(2, u'\0');
    return textValue(name, regtype::kMultiString, data);
}

RegValue numberValue(std::u16string_view name, std::uint32_t number) {
    RegValue value{std::u16string(name), regtype::kDword, std::vector<unsigned char>(4)};
    std::memcpy(value.data.data(), &number, sizeof number);
    return value;
}

}  // namespace

TextList readTextList(Registry& registry, KeyHandle key, std::u16string_view name) {
    const TextValue value = queryText(registry, key, name, kTextReadLimit);
    return {std::u16string(value.first()), std::u16string(value.second())};
}

SettingsKeys systemKeys(std::u16string_view tcpipKeyPath) {
    return {kLocalMachine, tcpipKeyPath, kIdentityKeyPath, kCurrentUser, kProxyKeyPath};
}

bool readSettings(Registry& registry, NetSettings& record, const SettingsKeys& keys) {
    setDefaults(record);
    RegKey key;
    if (openKey(registry, keys.root, keys.identityPath, 0, key) != status::kSuccess) {
        return false;
    }
    readIdentity(registry, key, record);

    if (openKey(registry, keys.root, keys.tcpipPath, 0, key) != status::kSuccess) {
        return false;
    }
    const TextValue wins = queryText(registry, key.handle(), u"WINS", kTextReadLimit);
    readField(record.wins1, wins.first());
    readField(record.wins2, wins.second());
    const TextValue dns = queryText(registry, key.handle(), u"DNS", kTextReadLimit);
    readField(record.dns1, dns.first());
    readField(record.dns2, dns.second());
    readField(record.defaultGateway,
              queryText(registry, key.handle(), u"DefaultGateway", kTextReadLimit).first());
    readField(record.subnetMask,
              queryText(registry, key.handle(), u"Subnetmask", kTextReadLimit).first());
    readField(record.ipAddress,
              queryText(registry, key.handle(), u"IpAddress", kTextReadLimit).first());
    std::uint32_t dhcp = 0;
    record.dhcpEnabled = queryNumber(registry, key, u"EnableDHCP", dhcp) && dhcp != 0 ? 1 : 0;

    if (openKey(registry, keys.proxyRoot, keys.proxyPath, 0, key) != status::kSuccess) {
        return true;
    }
    readField(record.proxyServer,
              queryText(registry, key.handle(), u"ProxyServer", kTextReadLimit).first());
    std::uint32_t port = kDefaultProxyPort;
    queryNumber(registry, key, u"ProxyHttpPort", port);
    record.proxyPort = static_cast<std::int32_t>(port);
    std::uint32_t useProxy = 0;
    queryNumber(registry, key, u"UseProxy", useProxy);
    record.useProxy = useProxy != 0 ? 1 : 0;
    return true;
}

bool readSystemIdentity(Registry& registry, NetSettings& record) {
    setDefaults(record);
    RegKey key;
    if (openKey(registry, kLocalMachine, kIdentityKeyPath, 0, key) != status::kSuccess) {
        return false;
    }
    readIdentity(registry, key, record);
    return true;
}

std::vector<KeyChange> settingsChanges(const NetSettings& record, const SettingsKeys& keys) {
    return {
        {keys.root,
         std::u16string(keys.identityPath),
         {stringValue(u"Domain", textOf(record.domain)),
          stringValue(u"Username", textOf(record.userName)),
          stringValue(u"Password", textOf(record.password))}},
        {keys.root,
         std::u16string(keys.tcpipPath),
         {listValue(u"WINS", textOf(record.wins1), textOf(record.wins2)),
          listValue(u"DNS", textOf(record.dns1), textOf(record.dns2)),
          addressValue(u"DefaultGateway", textOf(record.defaultGateway)),
          addressValue(u"Subnetmask", textOf(record.subnetMask)),
          addressValue(u"IpAddress", textOf(record.ipAddress)),
          numberValue(u"EnableDHCP", record.dhcpEnabled),
          stringValue(u"DhcpIPAddress", kNoLeaseAddress)}},
        {keys.proxyRoot,
         std::u16string(keys.proxyPath),
         {stringValue(u"ProxyServer", textOf(record.proxyServer)),
          numberValue(u"ProxyHttpPort", static_cast<std::uint32_t>(record.proxyPort)),
          numberValue(u"UseProxy", record.useProxy)}},
    };
}

Written writeSettings(Registry& registry, const NetSettings& record, const SettingsKeys& keys,
                      ChangeLog* log) {
    return writeWhole(registry, settingsChanges(record, keys), log);
}

}  // namespace corvane
