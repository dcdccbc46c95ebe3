#include "settings_editor/settings_pages.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "address_control/ip_address.h"
#include "core/text.h"
#include "resources/resource.h"

namespace corvane {

const PageTab kPageTabs[kPageCount] = {
    {IDS_TAB_LOGON, IDD_LOGON_PAGE},
    {IDS_TAB_IP_ADDRESS, IDD_IP_ADDRESS_PAGE},
    {IDS_TAB_DNS, IDD_DNS_PAGE},
    {IDS_TAB_PROXY, IDD_PROXY_PAGE},
};

namespace {

constexpr int kIpAddressControls[] = {IDC_IP_ADDRESS, IDC_SUBNET_MASK, IDC_DEFAULT_GATEWAY};

ControlState edit(int id, std::u16string_view text, int limit, bool enabled = true) {
    return {id, ControlKind::Edit, std::u16string(text), false, enabled, true, limit, false};
}

// Address controls are shown in the bold font; text that is not a valid address shows blank.
ControlState address(int id, std::u16string_view text, bool enabled = true) {
    return {id, ControlKind::Address, std::u16string(text), false, enabled, true, 0, true};
}

ControlState button(int id, bool checked) {
    return {id, ControlKind::Button, {}, checked, true, true, 0, false};
}

const ControlState* find(const PageControls& controls, int id) {
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [id](const ControlState& c) { return c.id == id; });
    return found != controls.end() ? &*found : nullptr;
}

std::u16string_view controlText(const PageControls& controls, int id) {
    const ControlState* control = find(controls, id);
    return control != nullptr ? std::u16string_view(control->text) : std::u16string_view();
}

bool isChecked(const PageControls& controls, int id) {
    const ControlState* control = find(controls, id);
    return control != nullptr && control->checked;
}

// The port as the edit's text gives it: unsigned decimal digits after any leading spaces; 0 for
// anything else, or a number too large for 32 bits.
std::uint32_t portOf(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ') {
        text.remove_prefix(1);
    }
    std::uint64_t value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9' || (value = value * 10 + (c - u'0')) > 0xFFFFFFFFu) {
            return 0;
        }
    }
    return static_cast<std::uint32_t>(value);
}

// Reads an address control's text into `field`; a text that is not a valid address (blank counting
// as valid only with `allowBlank`) refuses, with the field left empty.
std::optional<PageRefusal> checkAddress(const PageControls& controls, int id,
                                        std::span<char16_t> field, bool allowBlank) {
    const std::u16string_view text = controlText(controls, id);
    copyText(field, text);
    if (isValidAddressText(textOf(field), allowBlank)) {
        return std::nullopt;
    }
    copyText(field, u"");
    return PageRefusal{id, failure(IDS_INVALID_ADDRESS, text)};
}

std::optional<PageRefusal> saveIpAddress(const PageControls& controls, NetSettings& record) {
    if (isChecked(controls, IDC_USE_DHCP)) {
        // Whatever the address controls hold is dropped.
        copyText(record.ipAddress, u"0.0.0.0");
        copyText(record.subnetMask, u"0.0.0.0");
        copyText(record.defaultGateway, u"0.0.0.0");
        record.dhcpEnabled = 1;
        return std::nullopt;
    }
    record.dhcpEnabled = 0;
    if (auto refused = checkAddress(controls, IDC_IP_ADDRESS, record.ipAddress, false)) {
        return refused;
    }
    if (auto refused = checkAddress(controls, IDC_SUBNET_MASK, record.subnetMask, false)) {
        return refused;
    }
    return checkAddress(controls, IDC_DEFAULT_GATEWAY, record.defaultGateway, true);
}

std::optional<PageRefusal> saveDns(const PageControls& controls, NetSettings& record) {
    const std::pair<int, std::span<char16_t>> fields[] = {{IDC_DNS1, record.dns1},
                                                          {IDC_DNS2, record.dns2},
                                                          {IDC_WINS1, record.wins1},
                                                          {IDC_WINS2, record.wins2}};
    for (const auto& [id, field] : fields) {
        if (auto refused = checkAddress(controls, id, field, true)) {
            return refused;
        }
    }
    return std::nullopt;
}

}  // namespace

PageControls loadPage(int index, const NetSettings& record, bool proxyNoteHidden) {
    switch (index) {
        case kLogonPage:
            return {edit(IDC_USER_NAME, textOf(record.userName), kFieldChars - 1),
                    edit(IDC_DOMAIN, textOf(record.domain), kDomainEditChars)};
        case kIpAddressPage: {
            const bool fixed = record.dhcpEnabled == 0;
            return {button(IDC_USE_DHCP, !fixed), button(IDC_SPECIFY_ADDRESS, fixed),
                    address(IDC_IP_ADDRESS, textOf(record.ipAddress), fixed),
                    address(IDC_SUBNET_MASK, textOf(record.subnetMask), fixed),
                    address(IDC_DEFAULT_GATEWAY, textOf(record.defaultGateway), fixed)};
        }
        case kDnsPage:
            // The primary WINS control is 1010, the secondary 1009.
            return {address(IDC_DNS1, textOf(record.dns1)), address(IDC_DNS2, textOf(record.dns2)),
                    address(IDC_WINS1, textOf(record.wins1)),
                    address(IDC_WINS2, textOf(record.wins2))};
        case kProxyPage: {
            const bool on = record.useProxy != 0;
            return {
                button(IDC_USE_PROXY, on),
                edit(IDC_PROXY_SERVER, textOf(record.proxyServer), kProxyServerEditChars, on),
                edit(IDC_PROXY_PORT, decimal(static_cast<std::uint32_t>(record.proxyPort)),
                     kProxyPortEditChars, on),
                {IDC_PROXY_NOTE, ControlKind::Static, {}, false, true, !proxyNoteHidden, 0, true}};
        }
        default:
            return {};
    }
}

PageChange pageCommand(int index, int id, bool checked) {
    PageChange change;
    if (index == kIpAddressPage && (id == IDC_USE_DHCP || id == IDC_SPECIFY_ADDRESS)) {
        const bool dhcp = id == IDC_USE_DHCP;
        change.checked = {{IDC_USE_DHCP, dhcp}, {IDC_SPECIFY_ADDRESS, !dhcp}};
        for (const int control : kIpAddressControls) {
            change.enabled.emplace_back(control, !dhcp);
        }
    } else if (index == kProxyPage && id == IDC_USE_PROXY) {
        change.enabled = {{IDC_PROXY_SERVER, checked}, {IDC_PROXY_PORT, checked}};
    }
    return change;
}

std::optional<PageRefusal> savePage(int index, const PageControls& controls, NetSettings& record) {
    switch (index) {
        case kLogonPage:
            copyText(record.userName, controlText(controls, IDC_USER_NAME));
            copyText(record.domain, controlText(controls, IDC_DOMAIN));
            return std::nullopt;
        case kIpAddressPage:
            return saveIpAddress(controls, record);
        case kDnsPage:
            return saveDns(controls, record);
        case kProxyPage:
            record.useProxy = isChecked(controls, IDC_USE_PROXY) ? 1 : 0;
            if (record.useProxy != 0) {
                // The server and port stay as they were while the proxy is off.
                copyText(record.proxyServer, controlText(controls, IDC_PROXY_SERVER));
                record.proxyPort =
                    static_cast<std::int32_t>(portOf(controlText(controls, IDC_PROXY_PORT)));
            }
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

}  // namespace corvane
