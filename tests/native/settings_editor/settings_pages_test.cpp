#include "settings_editor/settings_pages.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

// A page as it loaded `record`, with the user's changes applied by the caller.
struct Page {
    Page(int index, const NetSettings& record, bool noteHidden = true)
        : index(index), controls(loadPage(index, record, noteHidden)) {}
    ControlState& operator[](int id) {
        return controls.at(std::ranges::find(controls, id, &ControlState::id) - controls.begin());
    }
    auto save(NetSettings& record) const { return savePage(index, controls, record); }
    int index;
    PageControls controls;
};

class SettingsPagesTest : public testing::Test {
  protected:
    void SetUp() override { setDefaults(record); }
    NetSettings record{};
};

TEST_F(SettingsPagesTest, LogonPageShowsAndStoresNameAndDomainOnly) {
    copyText(record.domain, u"TAVELORN-DOMAIN-LONGER");
    copyText(record.password, u"secret");
    Page page(kLogonPage, record);
    EXPECT_EQ(page[IDC_DOMAIN].text, u"TAVELORN-DOMAIN-LONGER") << "shown even past the limit";

    page[IDC_USER_NAME].text = std::u16string(40, u'u');
    page[IDC_DOMAIN].text = u"HOME";
    EXPECT_FALSE(page.save(record));
    EXPECT_EQ(std::tuple(textOf(record.userName), textOf(record.domain), textOf(record.password)),
              std::tuple(std::u16string(29, u'u'), u"HOME", u"secret"));
}

TEST_F(SettingsPagesTest, IpPageStoresNoAddressUnderDhcpAndRefusesBadOnesOtherwise) {
    copyText(record.ipAddress, u"10.0.0.5");
    Page page(kIpAddressPage, record);
    EXPECT_TRUE(page[IDC_USE_DHCP].checked && !page[IDC_SPECIFY_ADDRESS].checked);
    EXPECT_EQ(page[IDC_IP_ADDRESS].text, u"10.0.0.5");
    for (const int id : {IDC_IP_ADDRESS, IDC_SUBNET_MASK, IDC_DEFAULT_GATEWAY}) {
        EXPECT_TRUE(!page[id].enabled && page[id].bold) << id;
    }
    page[IDC_SUBNET_MASK].text = u"1.2.3.999";  // dropped, never checked
    EXPECT_FALSE(page.save(record));
    EXPECT_EQ(std::tuple(textOf(record.ipAddress), textOf(record.subnetMask),
                         textOf(record.defaultGateway)),
              std::tuple(u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"));

    EXPECT_EQ(pageCommand(kIpAddressPage, IDC_SPECIFY_ADDRESS, false),
              (PageChange{
                  {{IDC_USE_DHCP, false}, {IDC_SPECIFY_ADDRESS, true}},
                  {{IDC_IP_ADDRESS, true}, {IDC_SUBNET_MASK, true}, {IDC_DEFAULT_GATEWAY, true}}}));
    // A fixed address with a blank gateway is stored on the real sheet; all zeros are refused.
    page[IDC_USE_DHCP].checked = false;
    page[IDC_IP_ADDRESS].text = u"192.168.1.20";
    page[IDC_SUBNET_MASK].text = u"255.255.255.0";
    page[IDC_DEFAULT_GATEWAY].text = u"0.0.0.0";
    EXPECT_EQ(page.save(record),
              (PageRefusal{IDC_DEFAULT_GATEWAY, failure(IDS_INVALID_ADDRESS, u"0.0.0.0")}));
    EXPECT_EQ(textOf(record.defaultGateway), u"");
}

TEST_F(SettingsPagesTest, DnsPageChecksInOrderAndStopsAtTheFirstRefusal) {
    copyText(record.wins1, u"10.0.0.7");
    Page page(kDnsPage, record);
    EXPECT_EQ(page[IDC_WINS1].text, u"10.0.0.7");
    page[IDC_DNS1].text = u"10.0.0.1";
    page[IDC_DNS2].text = u"0.0.0.0";
    page[IDC_WINS1].text = u"10.0.0.9";
    EXPECT_EQ(page.save(record), (PageRefusal{IDC_DNS2, failure(IDS_INVALID_ADDRESS, u"0.0.0.0")}));
    EXPECT_EQ(textOf(record.dns1), u"10.0.0.1");
    EXPECT_EQ(textOf(record.wins1), u"10.0.0.7") << "not reached";
}

TEST_F(SettingsPagesTest, ProxyPageKeepsServerAndPortWhileUncheckedAndCutsWhatItReads) {
    copyText(record.proxyServer, u"proxy.example");
    record.proxyPort = 8080;
    Page page(kProxyPage, record);
    EXPECT_EQ(std::tuple(page[IDC_PROXY_PORT].enabled, page[IDC_PROXY_PORT].text),
              std::tuple(false, u"8080"));
    EXPECT_EQ(page[IDC_PROXY_SERVER].limit, 255) << "what a profile file can hold";
    EXPECT_TRUE(!page[IDC_PROXY_NOTE].visible && page[IDC_PROXY_NOTE].bold);
    EXPECT_TRUE(Page(kProxyPage, record, false)[IDC_PROXY_NOTE].visible);

    page[IDC_PROXY_SERVER].text = u"other";
    page[IDC_PROXY_PORT].text = u"81";
    EXPECT_FALSE(page.save(record));
    EXPECT_EQ(std::tuple(textOf(record.proxyServer), record.proxyPort),
              std::tuple(u"proxy.example", 8080));

    EXPECT_EQ(pageCommand(kProxyPage, IDC_USE_PROXY, true),
              (PageChange{{}, {{IDC_PROXY_SERVER, true}, {IDC_PROXY_PORT, true}}}));
    page[IDC_USE_PROXY].checked = true;
    page[IDC_PROXY_SERVER].text = std::u16string(300, u's');
    for (const auto& [typed, port] : {std::pair{u" 3128", 3128}, std::pair{u"abc", 0},
                                      std::pair{u"4294967296", 0}, std::pair{u"", 0}}) {
        page[IDC_PROXY_PORT].text = typed;
        EXPECT_FALSE(page.save(record));
        EXPECT_EQ(record.proxyPort, port) << toUtf8(typed);
    }
    EXPECT_EQ(std::tuple(record.useProxy, textOf(record.proxyServer).size()), std::tuple(1u, 259u));
}

}  // namespace
}  // namespace corvane
