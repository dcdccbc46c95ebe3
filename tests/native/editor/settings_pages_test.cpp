#include "editor/settings_pages.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/net_settings.h"
#include "core/text.h"
#include "editor/ip_address.h"
#include "resource.h"
#include "shell/app_state.h"
#include "tests/support/fakes.h"

namespace corvane {
namespace {

constexpr WindowRef kSheet = 0x5EE7;

// A page whose controls are maps; address controls keep what SetAddressText would show.
class FakePage : public PageControls {
  public:
    explicit FakePage(std::vector<std::u16string>& events) : events_(events) {}

    void readText(int id, std::span<char16_t> buffer) override { copyText(buffer, texts[id]); }
    void setText(int id, std::u16string_view text) override { texts[id] = text; }
    void limitText(int id, int chars) override { limits[id] = chars; }
    bool isChecked(int id) override { return checked[id]; }
    void setChecked(int id, bool on) override { checked[id] = on; }
    void checkRadio(int first, int last, int id) override {
        for (int i = first; i <= last; ++i) {
            checked[i] = i == id;
        }
    }
    void enable(int id, bool on) override { enabled[id] = on; }
    void show(int id, bool visible) override { hidden[id] = !visible; }
    void setFont(int id, FontRef font) override { fonts[id] = font; }
    bool readUnsigned(int id, std::uint32_t& value) override {
        value = 0;
        const std::u16string& text = texts[id];
        if (text.empty() || text.find_first_not_of(u"0123456789") != std::u16string::npos) {
            return false;
        }
        for (char16_t c : text) {
            value = value * 10 + static_cast<std::uint32_t>(c - u'0');
        }
        return true;
    }
    void setUnsigned(int id, std::uint32_t value) override {
        texts[id] = fromUtf8(std::to_string(value));
    }
    void setAddress(int id, const char16_t* text) override {
        std::uint32_t address = 0;
        char16_t shown[kAddressTextChars] = {};
        if (parseAddressText(text, address)) {
            formatAddress(address, shown);
        }
        addresses[id] = shown;
    }
    void readAddress(int id, std::span<char16_t> buffer) override {
        copyText(buffer, addresses[id]);
    }
    void focus(int id) override {
        focused = id;
        events_.push_back(u"focus " + fromUtf8(std::to_string(id)));
    }
    WindowRef sheetWindow() override { return kSheet; }
    void showPage(int index) override {
        events_.push_back(u"page " + fromUtf8(std::to_string(index)));
    }

    std::map<int, std::u16string> texts;
    std::map<int, int> limits;
    std::map<int, bool> checked;
    std::map<int, bool> enabled;
    std::map<int, bool> hidden;
    std::map<int, FontRef> fonts;
    std::map<int, std::u16string> addresses;
    int focused = 0;

  private:
    std::vector<std::u16string>& events_;
};

class SettingsPagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state.ui = &ui;
        state.system = &system;
        setDefaults(record);
    }
    std::u16string invalid(std::u16string_view text) {
        return u"Invalid IP address or subnet mask \"" + std::u16string(text) + u"\".";
    }

    FakeUserInterface ui;
    FakeSystem system;
    AppState state;
    FakePage page{ui.events};
    NetSettings record{};
};

TEST_F(SettingsPagesTest, LogonPageShowsAndStoresNameAndDomainOnly) {
    copyText(record.userName, u"kd");
    copyText(record.domain, u"TAVELORN-DOMAIN-LONGER");
    copyText(record.password, u"secret");
    loadPage(state, page, kLogonPage, record);
    EXPECT_EQ(page.texts[IDC_USER_NAME], u"kd");
    EXPECT_EQ(page.texts[IDC_DOMAIN], u"TAVELORN-DOMAIN-LONGER") << "shown even past the limit";
    EXPECT_EQ(page.limits[IDC_USER_NAME], 29);
    EXPECT_EQ(page.limits[IDC_DOMAIN], 16);

    page.texts[IDC_USER_NAME] = std::u16string(40, u'u');
    page.texts[IDC_DOMAIN] = u"HOME";
    EXPECT_TRUE(savePage(state, page, kLogonPage, record));
    EXPECT_EQ(textOf(record.userName), std::u16string(29, u'u'));
    EXPECT_EQ(textOf(record.domain), u"HOME");
    EXPECT_EQ(textOf(record.password), u"secret");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SettingsPagesTest, DhcpGreysTheAddressesAndStoresNoAddress) {
    record.dhcpEnabled = 1;
    copyText(record.ipAddress, u"10.0.0.5");
    loadPage(state, page, kIpAddressPage, record);
    EXPECT_TRUE(page.checked[IDC_USE_DHCP]);
    EXPECT_FALSE(page.checked[IDC_SPECIFY_ADDRESS]);
    for (int id : {IDC_IP_ADDRESS, IDC_SUBNET_MASK, IDC_DEFAULT_GATEWAY}) {
        EXPECT_FALSE(page.enabled[id]);
    }
    EXPECT_EQ(page.addresses[IDC_IP_ADDRESS], u"10.0.0.5") << "loaded either way";

    page.addresses[IDC_SUBNET_MASK] = u"1.2.3.999";  // dropped, never checked
    EXPECT_TRUE(savePage(state, page, kIpAddressPage, record));
    EXPECT_EQ(textOf(record.ipAddress), u"0.0.0.0");
    EXPECT_EQ(textOf(record.subnetMask), u"0.0.0.0");
    EXPECT_EQ(textOf(record.defaultGateway), u"0.0.0.0");
    EXPECT_EQ(record.dhcpEnabled, 1u);
    EXPECT_TRUE(ui.boxes.empty());

    pageCommand(page, kIpAddressPage, IDC_SPECIFY_ADDRESS);
    EXPECT_TRUE(page.checked[IDC_SPECIFY_ADDRESS]);
    EXPECT_TRUE(page.enabled[IDC_DEFAULT_GATEWAY]);
    pageCommand(page, kIpAddressPage, IDC_USE_DHCP);
    EXPECT_TRUE(page.checked[IDC_USE_DHCP]);
    EXPECT_FALSE(page.enabled[IDC_IP_ADDRESS]);
}

TEST_F(SettingsPagesTest, BlankAddressIsRefusedWithTheMessageThePageAndTheFocus) {
    record.dhcpEnabled = 0;
    copyText(record.ipAddress, u"0.0.0.0");
    copyText(record.subnetMask, u"255.255.255.0");
    loadPage(state, page, kIpAddressPage, record);
    EXPECT_TRUE(page.checked[IDC_SPECIFY_ADDRESS]);
    EXPECT_TRUE(page.enabled[IDC_IP_ADDRESS]);
    EXPECT_EQ(page.addresses[IDC_IP_ADDRESS], u"") << "0.0.0.0 shows blank";

    page.addresses[IDC_SUBNET_MASK] = u"255.0.0.0";
    EXPECT_FALSE(savePage(state, page, kIpAddressPage, record));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, invalid(u""));
    EXPECT_EQ(ui.boxes[0].caption, u"Corvane");
    EXPECT_EQ(ui.boxes[0].owner, kSheet);
    EXPECT_EQ(ui.boxes[0].style, mb::kOk | mb::kIconExclamation);
    const std::vector<std::u16string> order{u"message: " + invalid(u""), u"page 1", u"focus 1003"};
    EXPECT_EQ(ui.events, order);
    EXPECT_EQ(textOf(record.ipAddress), u"");
    EXPECT_EQ(textOf(record.subnetMask), u"255.255.255.0") << "not read after the failure";
    EXPECT_EQ(record.dhcpEnabled, 0u);
}

TEST_F(SettingsPagesTest, GatewayMayBeBlankButNotAllZeros) {
    record.dhcpEnabled = 0;
    loadPage(state, page, kIpAddressPage, record);
    page.addresses[IDC_IP_ADDRESS] = u"192.168.1.20";
    page.addresses[IDC_SUBNET_MASK] = u"255.255.255.0";
    EXPECT_TRUE(savePage(state, page, kIpAddressPage, record));
    EXPECT_EQ(textOf(record.ipAddress), u"192.168.1.20");
    EXPECT_EQ(textOf(record.defaultGateway), u"");

    page.addresses[IDC_DEFAULT_GATEWAY] = u"0.0.0.0";
    EXPECT_FALSE(savePage(state, page, kIpAddressPage, record));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, invalid(u"0.0.0.0"));
    EXPECT_EQ(page.focused, IDC_DEFAULT_GATEWAY);
    EXPECT_EQ(textOf(record.defaultGateway), u"");

    // A field a tap left at 300 reads as typed and is refused, never stored as another address.
    page.addresses[IDC_DEFAULT_GATEWAY] = u"10.300.0.1";
    EXPECT_FALSE(savePage(state, page, kIpAddressPage, record));
    EXPECT_EQ(ui.boxes.back().text, invalid(u"10.300.0.1"));
}

TEST_F(SettingsPagesTest, DnsPageChecksInOrderWithTheWinsIdsSwapped) {
    copyText(record.dns1, u"10.0.0.2");
    copyText(record.wins1, u"10.0.0.7");
    copyText(record.wins2, u"10.0.0.8");
    loadPage(state, page, kDnsPage, record);
    EXPECT_EQ(page.addresses[IDC_DNS1], u"10.0.0.2");
    EXPECT_EQ(page.addresses[1010], u"10.0.0.7") << "primary WINS is 1010";
    EXPECT_EQ(page.addresses[1009], u"10.0.0.8");
    EXPECT_EQ(page.addresses[IDC_DNS2], u"");

    page.addresses[IDC_DNS1] = u"10.0.0.1";
    EXPECT_TRUE(savePage(state, page, kDnsPage, record));
    EXPECT_EQ(textOf(record.dns1), u"10.0.0.1");
    EXPECT_EQ(textOf(record.dns2), u"");
    EXPECT_EQ(textOf(record.wins1), u"10.0.0.7");
    EXPECT_EQ(textOf(record.wins2), u"10.0.0.8");

    page.addresses[IDC_DNS2] = u"0.0.0.0";
    page.addresses[1010] = u"10.0.0.9";
    EXPECT_FALSE(savePage(state, page, kDnsPage, record));
    EXPECT_EQ(ui.events.back(), u"focus 1008");
    EXPECT_EQ(ui.events[ui.events.size() - 2], u"page 2");
    EXPECT_EQ(textOf(record.dns2), u"");
    EXPECT_EQ(textOf(record.wins1), u"10.0.0.7") << "not reached";
}

TEST_F(SettingsPagesTest, ProxyPageEnablingLimitsPortAndKeptValues) {
    copyText(record.proxyServer, u"proxy.example");
    record.proxyPort = 8080;
    record.useProxy = 0;
    loadPage(state, page, kProxyPage, record);
    EXPECT_FALSE(page.checked[IDC_USE_PROXY]);
    EXPECT_FALSE(page.enabled[IDC_PROXY_SERVER]);
    EXPECT_FALSE(page.enabled[IDC_PROXY_PORT]);
    EXPECT_EQ(page.texts[IDC_PROXY_SERVER], u"proxy.example");
    EXPECT_EQ(page.texts[IDC_PROXY_PORT], u"8080");
    EXPECT_EQ(page.limits[IDC_PROXY_SERVER], 259) << "no character typed is lost on save";
    EXPECT_EQ(page.limits[IDC_PROXY_PORT], 10);

    // Unchecked: the server and port stay in the record whatever the edits hold.
    page.texts[IDC_PROXY_SERVER] = u"other";
    page.texts[IDC_PROXY_PORT] = u"81";
    EXPECT_TRUE(savePage(state, page, kProxyPage, record));
    EXPECT_EQ(record.useProxy, 0u);
    EXPECT_EQ(textOf(record.proxyServer), u"proxy.example");
    EXPECT_EQ(record.proxyPort, 8080);

    page.checked[IDC_USE_PROXY] = true;
    pageCommand(page, kProxyPage, IDC_USE_PROXY);
    EXPECT_TRUE(page.enabled[IDC_PROXY_SERVER]);
    EXPECT_TRUE(page.enabled[IDC_PROXY_PORT]);
    page.texts[IDC_PROXY_PORT] = u"80";
    EXPECT_TRUE(savePage(state, page, kProxyPage, record));
    EXPECT_EQ(record.useProxy, 1u);
    EXPECT_EQ(textOf(record.proxyServer), u"other");
    EXPECT_EQ(record.proxyPort, 80);
    page.texts[IDC_PROXY_PORT] = u"abc";
    page.texts[IDC_PROXY_SERVER] = std::u16string(300, u's');
    EXPECT_TRUE(savePage(state, page, kProxyPage, record));
    EXPECT_EQ(record.proxyPort, 0);
    EXPECT_EQ(textOf(record.proxyServer).size(), 259u);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SettingsPagesTest, ProxyNoteFollowsThePlatformVersion) {
    struct Case {
        PlatformVersion version;
        bool known;
        bool hidden;
    };
    for (const Case& c :
         {Case{{2, 11}, true, true}, Case{{2, 12}, true, true}, Case{{3, 0}, true, false},
          Case{{2, 10}, true, false}, Case{{1, 11}, true, false}, Case{{2, 11}, false, false}}) {
        FakePage fresh(ui.events);
        system.version = c.version;
        system.versionKnown = c.known;
        loadPage(state, fresh, kProxyPage, record);
        EXPECT_EQ(fresh.hidden[IDC_PROXY_NOTE], c.hidden)
            << c.version.major << "." << c.version.minor << (c.known ? "" : " unknown");
    }
}

TEST_F(SettingsPagesTest, BoldFontGoesToTheAddressControlsAndTheNoteWhenThereIsOne) {
    loadPage(state, page, kIpAddressPage, record);
    loadPage(state, page, kProxyPage, record);
    EXPECT_TRUE(page.fonts.empty());
    state.boldFont = 77;
    loadPage(state, page, kIpAddressPage, record);
    loadPage(state, page, kDnsPage, record);
    loadPage(state, page, kProxyPage, record);
    for (int id : {1003, 1005, 1006, 1007, 1008, 1009, 1010, 1026}) {
        EXPECT_EQ(page.fonts[id], 77u) << id;
    }
    EXPECT_EQ(page.fonts.count(IDC_PROXY_SERVER), 0u);
}

}  // namespace
}  // namespace corvane
