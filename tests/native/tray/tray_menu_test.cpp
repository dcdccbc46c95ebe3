#include "tray/tray_menu.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "profiles/profile_store.h"
#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

// The items as the menu shows them: "Name [id]", "(*)" for the radio mark, "-" for a separator,
// "Title >" for a submenu followed by its items indented.
void render(const std::vector<TrayMenuItem>& items, const std::string& indent, Lines& out) {
    for (const TrayMenuItem& item : items) {
        const std::string text = toUtf8(item.text);
        switch (item.kind) {
            case TrayMenuItem::Kind::Profile:
                out.push_back(indent + text + " [" + std::to_string(item.commandId) + "]" +
                              (item.checked ? " (*)" : ""));
                break;
            case TrayMenuItem::Kind::Submenu:
                out.push_back(indent + text + " >");
                render(item.items, indent + "  ", out);
                break;
            case TrayMenuItem::Kind::Separator:
                out.push_back(indent + "-");
                break;
        }
    }
}

Lines render(const TrayMenu& menu) {
    Lines out;
    render(menu.items, "", out);
    return out;
}

// The entries as "name id adapter".
Lines entries(const TrayMenu& menu) {
    Lines out;
    for (const ProfileMenuItem& entry : menu.entries) {
        out.push_back(toUtf8(entry.profileName) + " " + std::to_string(entry.commandId) + " " +
                      toUtf8(textOf(entry.adapter->keyName)));
    }
    return out;
}

// Adapters X then Y (the registry lists keys in sorted order), defaults B and A; profiles A, B.
void makeDevice(Device& device, int adapters) {
    device.addAdapter(u"X", u"Adapter X", u"10.0.0.1");
    device.setDefault(u"X", u"B");
    if (adapters > 1) {
        device.addAdapter(u"Y", u"R&D Card", u"10.0.0.2");
        device.setDefault(u"Y", u"A");
    }
    ASSERT_EQ(device.loadAdapters(), adapters);
    device.addProfile(u"A", u"10.1.0.1");
    device.addProfile(u"B", u"10.1.0.2");
}

TEST(TrayMenuTest, TheThreeLayoutsLastOnTopWithIdsMarksAndEntries) {
    struct Case {
        int adapters;
        std::uint32_t applyToAll;
        Lines items;
        Lines entries;
    };
    const Lines flat{"A 10200 X", "B 10201 X"};
    const Case cases[] = {
        {1, 0, {"B [10201] (*)", "A [10200]", "-"}, flat},
        {2,
         0,
         {"R&D Card >", "  A [10300] (*)", "  B [10301]", "Adapter X >", "  A [10200]",
          "  B [10201] (*)", "-"},
         {"A 10200 X", "B 10201 X", "A 10300 Y", "B 10301 Y"}},
        {2, 1, {"B [10201] (*)", "A [10200]", "-"}, flat},  // once, bound to the first adapter
    };
    for (const Case& c : cases) {
        Device device;
        makeDevice(device, c.adapters);
        device.state.applyToAll = c.applyToAll;
        const TrayMenu menu = buildTrayMenu(device.state);
        EXPECT_EQ(render(menu), c.items);
        EXPECT_EQ(entries(menu), c.entries);
    }
}

TEST(TrayMenuTest, OnlyTheExactDefaultIsMarkedAndNothingIsAddedWithoutProfiles) {
    Device device;
    makeDevice(device, 2);
    device.setDefault(u"X", u"b");  // letter case counts
    device.setDefault(u"Y", u"Gone");
    EXPECT_EQ(render(buildTrayMenu(device.state)),
              (Lines{"R&D Card >", "  A [10300]", "  B [10301]", "Adapter X >", "  A [10200]",
                     "  B [10201]", "-"}));

    device.registry.deleteTree(kCurrentUser, kProfilesKeyPath);
    const TrayMenu empty = buildTrayMenu(device.state);
    EXPECT_TRUE(empty.items.empty()) << "no submenu, no separator";
    EXPECT_TRUE(empty.entries.empty());
    device.state.adapters.reset();
    EXPECT_TRUE(buildTrayMenu(device.state).items.empty());
}

TEST(TrayMenuTest, OnlyAPenDownIsAnsweredAndOnlyWithTheMenuWhenNothingElseIsUp) {
    constexpr std::intptr_t kPenDown = 0x0201;
    for (const std::intptr_t other : {0x0200, 0x0202, 0x0203, 0x0204}) {
        EXPECT_EQ(decideTrayTap(other, true, false, false), TrayTap::Nothing);
    }
    EXPECT_EQ(decideTrayTap(kPenDown, true, false, false), TrayTap::OpenMenu);
    EXPECT_EQ(decideTrayTap(kPenDown, true, false, true), TrayTap::ShowAndBringForward)
        << "the dialog is up";
    EXPECT_EQ(decideTrayTap(kPenDown, false, false, false), TrayTap::ShowAndBringForward)
        << "no menu could be loaded";
    EXPECT_EQ(decideTrayTap(kPenDown, true, true, false), TrayTap::BringForward) << "busy";
}

class SwitchFromMenuTest : public testing::Test {
  protected:
    // Adapters A1, A2, A3 ("Card A1"...) on 192.168.0.1...; profiles Home and Office.
    void makeDevice(int adapters) {
        for (int i = 1; i <= adapters; ++i) {
            const std::u16string n = fromUtf8(std::to_string(i));
            device.addAdapter(u"A" + n, u"Card A" + n, u"192.168.0." + n);
        }
        ASSERT_EQ(device.loadAdapters(), adapters);
        device.addProfile(u"Home", u"10.1.0.1");
        device.addProfile(u"Office", u"10.2.0.1");
        device.state.menuItems = buildTrayMenu(device.state).entries;
    }
    bool switchTo(std::uint32_t id) {
        messages.clear();
        return switchFromMenu(device.state, id, messages);
    }

    Device device;
    Messages messages;
};

TEST_F(SwitchFromMenuTest, OneAdapterIsSwitchedAndToldAndAnIdOfNoEntryDoesNothing) {
    makeDevice(2);
    EXPECT_TRUE(switchTo(10301));  // Office from the second adapter's submenu
    EXPECT_EQ(device.defaultOf(u"A2"), u"Office");
    EXPECT_EQ(device.systemIp(u"A2"), u"10.2.0.1");
    EXPECT_EQ(device.defaultOf(u"A1"), u"(none)");
    EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)});

    const int writes = device.registry.setValueCount();
    EXPECT_FALSE(switchTo(10202)) << "the menu was rebuilt in between";
    EXPECT_EQ(device.registry.setValueCount(), writes);
    EXPECT_TRUE(messages.empty());

    device.registry.failValue(u"DefProfile", status::kAccessDenied);
    EXPECT_TRUE(switchTo(10200));
    EXPECT_EQ(messages, Messages{failure(IDS_SET_DEFAULT_FAILED, u"Home")});
    EXPECT_EQ(device.systemIp(u"A1"), u"192.168.0.1");
}

TEST_F(SwitchFromMenuTest, AllAdaptersReportOnceAndStopAtADefaultThatCannotBeRecorded) {
    makeDevice(3);
    device.state.applyToAll = 1;
    device.state.menuItems = buildTrayMenu(device.state).entries;
    EXPECT_TRUE(switchTo(10200));  // Home, bound to A1
    for (const char16_t* key : {u"A1", u"A2", u"A3"}) {
        EXPECT_EQ(device.defaultOf(key), u"Home");
        EXPECT_EQ(device.systemIp(key), u"10.1.0.1");
    }
    EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)}) << "only the last adapter reports";

    device.registry.failValue(u"DefProfile", status::kAccessDenied, kCurrentUser,
                              u"Software\\Tavelorn\\Corvane\\1.2\\A2");
    EXPECT_TRUE(switchTo(10201));  // Office
    EXPECT_EQ(device.systemIp(u"A1"), u"10.2.0.1") << "switched silently";
    EXPECT_EQ(device.systemIp(u"A2"), u"10.1.0.1") << "not applied without the default";
    EXPECT_EQ(device.defaultOf(u"A3"), u"Home") << "after the failure nothing is touched";
    EXPECT_EQ(device.systemIp(u"A3"), u"10.1.0.1");
    EXPECT_EQ(messages, Messages{failure(IDS_SET_DEFAULT_FAILED, u"Office")});
}

}  // namespace
}  // namespace corvane
