#include "core/settings_io.h"

#include <cstring>
#include <span>

#include "core/text.h"

namespace corvane {
namespace {

inline constexpr std::uint32_t kIdentityReadLimit = 60;  // bytes
inline constexpr std::uint32_t kTextReadLimit = 520;     // bytes
inline constexpr std::u16string_view kNoLeaseAddress = u"0.0.0.0";

// A text or list value as the reader takes it: every character received, zeros included; empty
// when the value is missing, fails, or does not fit its limit.
struct TextValue {
    std::u16string chars;

    std::u16string_view first() const { return textOf(chars); }
    // The string after the first terminator, or empty when the data ends before it.
    std::u16string_view second() const {
        const std::size_t start = first().size() + 1;
        return start < chars.size() ? textOf(std::span(chars).subspan(start))
                                    : std::u16string_view();
    }
};

TextValue queryText(Registry& registry, KeyHandle key, std::u16string_view name,
                    std::uint32_t limit) {
    return {readText(registry, key, name, limit).value_or(std::u16string())};
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
    record.dhcpEnabled = readNumber(registry, key.handle(), u"EnableDHCP").value_or(0) != 0 ? 1 : 0;

    if (openKey(registry, keys.proxyRoot, keys.proxyPath, 0, key) != status::kSuccess) {
        return true;
    }
    readField(record.proxyServer,
              queryText(registry, key.handle(), u"ProxyServer", kTextReadLimit).first());
    record.proxyPort = static_cast<std::int32_t>(
        readNumber(registry, key.handle(), u"ProxyHttpPort").value_or(kDefaultProxyPort));
    record.useProxy = readNumber(registry, key.handle(), u"UseProxy").value_or(0) != 0 ? 1 : 0;
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
