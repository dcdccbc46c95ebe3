#include "settings_editor/settings_pages.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "address_control/ip_address.h"
#include "core/app_state.h"
#include "core/net_settings.h"
#include "core/text.h"
#include "resources/resource.h"
#include "tests/support/fakes.h"

namespace corvane {
namespace {

constexpr WindowRef kSheet = 0x5EE7;

// A page whose controls are maps by id; address controls keep what SetAddressText would show.
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
        const std::string text = toUtf8(texts[id]);
        const bool number = !text.empty() && text.find_first_not_of("0123456789") == text.npos;
        value = number ? std::stoul(text) : 0;
        return number;
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
        texts[id] = shown;
    }
    void readAddress(int id, std::span<char16_t> buffer) override { readText(id, buffer); }
    void focus(int id) override { events_.push_back(u"focus " + fromUtf8(std::to_string(id))); }
    WindowRef sheetWindow() override { return kSheet; }
    void showPage(int index) override {
        events_.push_back(u"page " + fromUtf8(std::to_string(index)));
    }

    std::map<int, std::u16string> texts;
    std::map<int, int> limits;
    std::map<int, bool> checked, enabled, hidden;
    std::map<int, FontRef> fonts;

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
    static std::u16string invalid(std::u16string_view text) {
        return u"Invalid IP address or subnet mask \"" + std::u16string(text) + u"\".";
    }

    FakeUserInterface ui;
    FakeSystem system;
    AppState state;
    FakePage page{ui.events};
    NetSettings record{};
};

TEST_F(SettingsPagesTest, LogonPageShowsAndStoresNameAndDomainOnly) {
    copyText(record.domain, u"TAVELORN-DOMAIN-LONGER");
    copyText(record.password, u"secret");
    loadPage(state, page, kLogonPage, record);
    EXPECT_EQ(page.texts[IDC_DOMAIN], u"TAVELORN-DOMAIN-LONGER") << "shown even past the limit";
    EXPECT_EQ(page.limits[IDC_USER_NAME], 29);
    EXPECT_EQ(page.limits[IDC_DOMAIN], 16);

    page.texts[IDC_USER_NAME] = std::u16string(40, u'u');
    page.texts[IDC_DOMAIN] = u"HOME";
    EXPECT_TRUE(savePage(state, page, kLogonPage, record));
    EXPECT_EQ(textOf(record.userName), std::u16string(29, u'u'));
    EXPECT_EQ(textOf(record.domain), u"HOME");
    EXPECT_EQ(textOf(record.password), u"secret");
}

TEST_F(SettingsPagesTest, IpPageStoresNoAddressUnderDhcpAndRefusesBadOnesOtherwise) {
    record.dhcpEnabled = 1;
    copyText(record.ipAddress, u"10.0.0.5");
    loadPage(state, page, kIpAddressPage, record);
    EXPECT_FALSE(page.enabled[IDC_DEFAULT_GATEWAY]);
    page.texts[IDC_SUBNET_MASK] = u"1.2.3.999";  // dropped, never checked
    EXPECT_TRUE(savePage(state, page, kIpAddressPage, record));
    EXPECT_EQ(textOf(record.ipAddress), u"0.0.0.0");
    EXPECT_EQ(textOf(record.subnetMask), u"0.0.0.0");
    EXPECT_EQ(textOf(record.defaultGateway), u"0.0.0.0");
    EXPECT_TRUE(ui.boxes.empty());

    pageCommand(page, kIpAddressPage, IDC_SPECIFY_ADDRESS);
    EXPECT_TRUE(page.enabled[IDC_DEFAULT_GATEWAY]);
    page.texts[IDC_IP_ADDRESS] = u"192.168.1.20";
    page.texts[IDC_SUBNET_MASK] = u"255.255.255.0";
    EXPECT_TRUE(savePage(state, page, kIpAddressPage, record));
    EXPECT_EQ(record.dhcpEnabled, 0u);
    EXPECT_EQ(textOf(record.defaultGateway), u"") << "a blank gateway is allowed";

    // The gateway may be blank but not all zeros; a field a tap left at 300 is refused too.
    for (const char16_t* bad : {u"0.0.0.0", u"10.300.0.1"}) {
        page.texts[IDC_DEFAULT_GATEWAY] = bad;
        EXPECT_FALSE(savePage(state, page, kIpAddressPage, record));
        EXPECT_EQ(ui.boxes.back().text, invalid(bad));
        EXPECT_EQ(ui.events.back(), u"focus 1006");
        EXPECT_EQ(textOf(record.defaultGateway), u"");
    }
    EXPECT_EQ(ui.boxes.back().owner, kSheet);
    EXPECT_EQ(ui.boxes.back().style, mb::kOk | mb::kIconExclamation);
}

TEST_F(SettingsPagesTest, DnsPageChecksInOrderAndStopsAtTheFirstRefusal) {
    copyText(record.wins1, u"10.0.0.7");
    loadPage(state, page, kDnsPage, record);
    page.texts[IDC_DNS1] = u"10.0.0.1";
    page.texts[IDC_DNS2] = u"0.0.0.0";
    page.texts[IDC_WINS1] = u"10.0.0.9";
    EXPECT_FALSE(savePage(state, page, kDnsPage, record));
    EXPECT_EQ(ui.events, (std::vector<std::u16string>{u"message: " + invalid(u"0.0.0.0"), u"page 2",
                                                      u"focus 1008"}));
    EXPECT_EQ(textOf(record.dns1), u"10.0.0.1");
    EXPECT_EQ(textOf(record.dns2), u"");
    EXPECT_EQ(textOf(record.wins1), u"10.0.0.7") << "not reached";
}

TEST_F(SettingsPagesTest, ProxyPageKeepsServerAndPortWhileUncheckedAndCutsWhatItReads) {
    copyText(record.proxyServer, u"proxy.example");
    record.proxyPort = 8080;
    record.useProxy = 0;
    loadPage(state, page, kProxyPage, record);
    EXPECT_FALSE(page.enabled[IDC_PROXY_PORT]);
    EXPECT_EQ(page.texts[IDC_PROXY_PORT], u"8080");
    EXPECT_EQ(page.limits[IDC_PROXY_SERVER], 259) << "no character typed is lost on save";
    EXPECT_EQ(page.limits[IDC_PROXY_PORT], 10);

    page.texts[IDC_PROXY_SERVER] = u"other";
    page.texts[IDC_PROXY_PORT] = u"81";
    EXPECT_TRUE(savePage(state, page, kProxyPage, record));
    EXPECT_EQ(textOf(record.proxyServer), u"proxy.example");
    EXPECT_EQ(record.proxyPort, 8080);

    page.checked[IDC_USE_PROXY] = true;
    pageCommand(page, kProxyPage, IDC_USE_PROXY);
    EXPECT_TRUE(page.enabled[IDC_PROXY_PORT]);
    page.texts[IDC_PROXY_PORT] = u"abc";
    page.texts[IDC_PROXY_SERVER] = std::u16string(300, u's');
    EXPECT_TRUE(savePage(state, page, kProxyPage, record));
    EXPECT_EQ(record.useProxy, 1u);
    EXPECT_EQ(record.proxyPort, 0);
    EXPECT_EQ(textOf(record.proxyServer).size(), 259u);
}

TEST_F(SettingsPagesTest, ProxyNoteFollowsThePlatformVersionAndBoldGoesToAddressesAndNote) {
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

    loadPage(state, page, kIpAddressPage, record);
    EXPECT_TRUE(page.fonts.empty()) << "no bold font, nothing set";
    state.boldFont = 77;
    for (int index : {kIpAddressPage, kDnsPage, kProxyPage}) {
        loadPage(state, page, index, record);
    }
    for (int id : {1003, 1005, 1006, 1007, 1008, 1009, 1010, 1026}) {
        EXPECT_EQ(page.fonts[id], 77u) << id;
    }
    EXPECT_EQ(page.fonts.count(IDC_PROXY_SERVER), 0u);
}

}  // namespace
}  // namespace corvane
