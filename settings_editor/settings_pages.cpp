#include "settings_editor/settings_pages.h"

#include "address_control/ip_address.h"
#include "core/app_state.h"
#include "core/text.h"
#include "resources/resource.h"
#include "ui/ui_support.h"

namespace corvane {

const PageTab kPageTabs[kPageCount] = {
    {IDS_TAB_LOGON, IDD_LOGON_PAGE},
    {IDS_TAB_IP_ADDRESS, IDD_IP_ADDRESS_PAGE},
    {IDS_TAB_DNS, IDD_DNS_PAGE},
    {IDS_TAB_PROXY, IDD_PROXY_PAGE},
};

namespace {

constexpr int kIpAddressControls[] = {IDC_IP_ADDRESS, IDC_SUBNET_MASK, IDC_DEFAULT_GATEWAY};
// The primary WINS control is 1010, the secondary 1009.
constexpr int kDnsControls[] = {IDC_DNS1, IDC_DNS2, IDC_WINS1, IDC_WINS2};

void giveBoldFont(AppState& state, PageControls& page, std::span<const int> ids) {
    if (state.boldFont == 0) {
        return;
    }
    for (int id : ids) {
        page.setFont(id, state.boldFont);
    }
}

void chooseDhcp(PageControls& page, bool dhcp) {
    page.checkRadio(IDC_USE_DHCP, IDC_SPECIFY_ADDRESS, dhcp ? IDC_USE_DHCP : IDC_SPECIFY_ADDRESS);
    for (int id : kIpAddressControls) {
        page.enable(id, !dhcp);
    }
}

void enableProxyFields(PageControls& page, bool on) {
    page.enable(IDC_PROXY_SERVER, on);
    page.enable(IDC_PROXY_PORT, on);
}

void loadLogon(PageControls& page, const NetSettings& record) {
    page.setText(IDC_USER_NAME, textOf(record.userName));
    page.setText(IDC_DOMAIN, textOf(record.domain));
    page.limitText(IDC_DOMAIN, kDomainEditChars);
    page.limitText(IDC_USER_NAME, kFieldChars - 1);
}

bool saveLogon(PageControls& page, NetSettings& record) {
    page.readText(IDC_USER_NAME, record.userName);
    page.readText(IDC_DOMAIN, record.domain);
    return true;
}

void loadIpAddress(AppState& state, PageControls& page, const NetSettings& record) {
    giveBoldFont(state, page, kIpAddressControls);
    page.setAddress(IDC_IP_ADDRESS, record.ipAddress);
    page.setAddress(IDC_SUBNET_MASK, record.subnetMask);
    page.setAddress(IDC_DEFAULT_GATEWAY, record.defaultGateway);
    chooseDhcp(page, record.dhcpEnabled != 0);
}

bool saveIpAddress(AppState& state, PageControls& page, NetSettings& record) {
    if (page.isChecked(IDC_USE_DHCP)) {
        // Whatever the address controls hold is dropped.
        copyText(record.ipAddress, u"0.0.0.0");
        copyText(record.subnetMask, u"0.0.0.0");
        copyText(record.defaultGateway, u"0.0.0.0");
        record.dhcpEnabled = 1;
        return true;
    }
    record.dhcpEnabled = 0;
    return CheckAddressField(state, page, kIpAddressPage, IDC_IP_ADDRESS, record.ipAddress,
                             false) &&
           CheckAddressField(state, page, kIpAddressPage, IDC_SUBNET_MASK, record.subnetMask,
                             false) &&
           CheckAddressField(state, page, kIpAddressPage, IDC_DEFAULT_GATEWAY,
                             record.defaultGateway, true);
}

void loadDns(AppState& state, PageControls& page, const NetSettings& record) {
    giveBoldFont(state, page, kDnsControls);
    page.setAddress(IDC_DNS1, record.dns1);
    page.setAddress(IDC_DNS2, record.dns2);
    page.setAddress(IDC_WINS1, record.wins1);
    page.setAddress(IDC_WINS2, record.wins2);
}

bool saveDns(AppState& state, PageControls& page, NetSettings& record) {
    return CheckAddressField(state, page, kDnsPage, IDC_DNS1, record.dns1, true) &&
           CheckAddressField(state, page, kDnsPage, IDC_DNS2, record.dns2, true) &&
           CheckAddressField(state, page, kDnsPage, IDC_WINS1, record.wins1, true) &&
           CheckAddressField(state, page, kDnsPage, IDC_WINS2, record.wins2, true);
}

void loadProxy(AppState& state, PageControls& page, const NetSettings& record) {
    page.setChecked(IDC_USE_PROXY, record.useProxy != 0);
    enableProxyFields(page, record.useProxy != 0);
    // One less than the edit would otherwise take: the record keeps 259 characters and the zero.
    page.limitText(IDC_PROXY_SERVER, kProxyServerChars - 1);
    page.limitText(IDC_PROXY_PORT, kProxyPortEditChars);
    page.setText(IDC_PROXY_SERVER, textOf(record.proxyServer));
    page.setUnsigned(IDC_PROXY_PORT, static_cast<std::uint32_t>(record.proxyPort));
    const int note[] = {IDC_PROXY_NOTE};
    giveBoldFont(state, page, note);
    if (proxyNoteHidden(state)) {
        page.show(IDC_PROXY_NOTE, false);
    }
}

bool saveProxy(PageControls& page, NetSettings& record) {
    const bool checked = page.isChecked(IDC_USE_PROXY);
    record.useProxy = checked ? 1 : 0;
    if (checked) {
        // The server and port stay as they were while the proxy is off.
        page.readText(IDC_PROXY_SERVER, record.proxyServer);
        std::uint32_t port = 0;
        page.readUnsigned(IDC_PROXY_PORT, port);
        record.proxyPort = static_cast<std::int32_t>(port);
    }
    return true;
}

}  // namespace

bool CheckAddressField(AppState& state, PageControls& page, int pageIndex, int control,
                       std::span<char16_t> field, bool allowBlank) {
    page.readAddress(control, field);
    if (isValidAddressText(textOf(field), allowBlank)) {
        return true;
    }
    showFormattedMessage(state, page.sheetWindow(), IDS_INVALID_ADDRESS, textOf(field),
                         mb::kOk | mb::kIconExclamation);
    page.showPage(pageIndex);
    page.focus(control);
    copyText(field, u"");
    return false;
}

void loadPage(AppState& state, PageControls& page, int index, const NetSettings& record) {
    switch (index) {
        case kLogonPage:
            loadLogon(page, record);
            break;
        case kIpAddressPage:
            loadIpAddress(state, page, record);
            break;
        case kDnsPage:
            loadDns(state, page, record);
            break;
        case kProxyPage:
            loadProxy(state, page, record);
            break;
        default:
            break;
    }
}

bool savePage(AppState& state, PageControls& page, int index, NetSettings& record) {
    switch (index) {
        case kLogonPage:
            return saveLogon(page, record);
        case kIpAddressPage:
            return saveIpAddress(state, page, record);
        case kDnsPage:
            return saveDns(state, page, record);
        case kProxyPage:
            return saveProxy(page, record);
        default:
            return true;
    }
}

void pageCommand(PageControls& page, int index, int id) {
    if (index == kIpAddressPage && (id == IDC_USE_DHCP || id == IDC_SPECIFY_ADDRESS)) {
        chooseDhcp(page, id == IDC_USE_DHCP);
    } else if (index == kProxyPage && id == IDC_USE_PROXY) {
        enableProxyFields(page, page.isChecked(IDC_USE_PROXY));
    }
}

bool proxyNoteHidden(AppState& state) {
    PlatformVersion version;
    if (state.system == nullptr || !state.system->platformVersion(version)) {
        return false;
    }
    return version.major >= 2 && version.minor >= 11;
}

}  // namespace corvane
