#include "profiles_dialog/profiles_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text.h"
#include "profiles/profile_store.h"
#include "profiles_dialog/profile_name.h"
#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

using Names = std::vector<std::u16string>;

class ProfilesDialogTest : public testing::Test {
  protected:
    // Adapters A1, A2, A3 ("Card A1"...) on 192.168.0.1...; profiles Home and Office.
    void SetUp() override {
        for (int i = 1; i <= 3; ++i) {
            const std::u16string n = fromUtf8(std::to_string(i));
            device.addAdapter(u"A" + n, u"Card A" + n, u"192.168.0." + n);
        }
        ASSERT_EQ(device.loadAdapters(), 3);
        device.addProfile(u"Office", u"10.2.0.1");
        device.addProfile(u"Home", u"10.1.0.1");
    }
    // The Office profile as the editor would leave it with a new address.
    NetSettings edited(std::u16string_view address) {
        NetSettings record;
        loadProfile(device.registry, u"Office", record);
        copyText(record.ipAddress, address);
        return record;
    }
    bool store(int adapter, const NetSettings& before, const NetSettings& after) {
        messages.clear();
        return storeEditedProfile(device.state, device.adapter(adapter), u"Office", before, after,
                                  messages);
    }

    Device device;
    Messages messages;
};

TEST_F(ProfilesDialogTest, OpeningCommandsAndTheAboutFigures) {
    device.state.applyToAll = 1;
    device.state.showAtStartup = 5;
    DialogOpening opening = openProfilesDialog(device.state);
    EXPECT_EQ(opening.adapters, (Names{u"Card A1", u"Card A2", u"Card A3"}));
    EXPECT_TRUE(opening.applyToAllEnabled && opening.applyToAllChecked);
    EXPECT_TRUE(opening.showAtStartupChecked);
    device.state.adapters->clear();
    opening = openProfilesDialog(device.state);
    EXPECT_FALSE(opening.applyToAllEnabled || opening.applyToAllChecked);
    EXPECT_EQ(device.state.applyToAll, 0u) << "with one adapter or none the option goes off";

    struct Case {
        int id;
        int notification;
        DialogCommand command;
    };
    for (const Case& c : {Case{mb::kIdCancel, 0, {DialogAction::Close}},
                          Case{IDC_NEW, 0, {DialogAction::New, true}},
                          Case{IDC_ADAPTER_LIST, 1, {DialogAction::AdapterSelected, true}},
                          Case{IDC_ADAPTER_LIST, 3, {}},  // only a changed selection counts
                          Case{IDC_PROFILE_LIST, 1, {DialogAction::ProfileSelected, true}},
                          Case{IDC_SET, 0, {DialogAction::Set}},  // not busy
                          Case{IDM_ABOUT, 0, {DialogAction::About, true}},
                          Case{IDM_SHOW_PROFILES, 0, {DialogAction::BringForward}},
                          Case{IDM_EXIT, 0, {}}, Case{10200, 0, {}}}) {
        EXPECT_EQ(dialogCommand(c.id, c.notification), c.command) << c.id;
    }

    device.system.storeSize = 4194304;
    device.system.storeFree = 1048575;
    const auto store = storeKilobytes(device.system);
    ASSERT_TRUE(store);
    EXPECT_EQ(store->total, 4096u);
    EXPECT_EQ(store->free, 1023u);
    device.system.storeKnown = false;
    EXPECT_FALSE(storeKilobytes(device.system));
}

TEST_F(ProfilesDialogTest, TheListOffersADefaultWhenTheAdapterHasNoneOrTheStoreIsEmpty) {
    ProfileList list = readProfileList(device.state, device.adapter(0));
    EXPECT_EQ(list.names, (Names{u"Home", u"Office"}));
    EXPECT_EQ(list.selection, u"");
    EXPECT_TRUE(list.offerDefault);
    EXPECT_EQ(defaultProfileQuestion(device.adapter(0)), question(IDS_OFFER_DEFAULT, u"Card A1"));

    device.setDefault(u"A1", u"Office");
    list = readProfileList(device.state, device.adapter(0));
    EXPECT_EQ(list.selection, u"Office");
    EXPECT_FALSE(list.offerDefault);

    device.setDefault(u"A1", u"Gone");  // dangling: nothing to select, and no offer
    EXPECT_FALSE(readProfileList(device.state, device.adapter(0)).offerDefault);

    device.registry.deleteTree(kCurrentUser, kProfilesKeyPath);
    list = readProfileList(device.state, device.adapter(0));
    EXPECT_TRUE(list.names.empty());
    EXPECT_TRUE(list.offerDefault) << "a default but no profile at all";
}

TEST_F(ProfilesDialogTest, ATypedNameIsCutAndRefusedWhenTakenInAnyCaseOrNested) {
    EXPECT_EQ(acceptProfileName(device.registry, u"").answer, NameAnswer::Empty);
    struct Case {
        const char16_t* typed;
        Message message;
    };
    for (const Case& c : {Case{u"Office", failure(IDS_PROFILE_EXISTS, u"Office")},
                          Case{u"OFFICE", failure(IDS_PROFILE_EXISTS, u"OFFICE")},
                          Case{u"Lab\\2", failure(IDS_PROFILE_NAME_BACKSLASH, u"Lab\\2")}}) {
        const NameCheck check = acceptProfileName(device.registry, c.typed);
        EXPECT_EQ(check.answer, NameAnswer::Refused) << toUtf8(c.typed);
        EXPECT_EQ(check.message, c.message);
    }
    const NameCheck check = acceptProfileName(device.registry, std::u16string(45, u'n'));
    EXPECT_EQ(check.answer, NameAnswer::Accepted);
    EXPECT_EQ(check.name, std::u16string(39, u'n'));
}

TEST_F(ProfilesDialogTest, SetSwitchesTheSelectedAdapterUnlessItIsAlreadyItsDefault) {
    device.setDefault(u"A1", u"Office");
    const int writes = device.registry.setValueCount();
    EXPECT_FALSE(switchFromDialog(device.state, &device.adapter(0), u"Office", messages))
        << "already the default: nothing stored, applied or refreshed";
    EXPECT_EQ(device.registry.setValueCount(), writes);
    EXPECT_TRUE(messages.empty());

    device.state.applyToAll = 1;  // re-applies it to every adapter, reporting once
    EXPECT_TRUE(switchFromDialog(device.state, &device.adapter(0), u"Office", messages));
    for (const char16_t* key : {u"A1", u"A2", u"A3"}) {
        EXPECT_EQ(device.systemIp(key), u"10.2.0.1");
    }
    EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)});

    device.state.applyToAll = 0;
    messages.clear();
    device.registry.failValue(u"DefProfile", status::kAccessDenied);
    EXPECT_TRUE(switchFromDialog(device.state, &device.adapter(1), u"Home", messages));
    EXPECT_EQ(messages, Messages{failure(IDS_SET_DEFAULT_FAILED, u"Home")});
    EXPECT_EQ(device.systemIp(u"A2"), u"10.2.0.1");

    // No adapter or no profile selected: only the refresh.
    messages.clear();
    EXPECT_TRUE(switchFromDialog(device.state, nullptr, u"Home", messages));
    EXPECT_TRUE(switchFromDialog(device.state, &device.adapter(1), u"", messages));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ProfilesDialogTest, AnEditIsStoredOnlyWhenChangedAndAppliedWhereTheProfileIsTheDefault) {
    const NetSettings before = edited(u"10.2.0.1");
    const int writes = device.registry.setValueCount();
    EXPECT_FALSE(store(0, before, before));
    EXPECT_EQ(device.registry.setValueCount(), writes) << "unchanged: nothing stored";

    // Not the default of the selected adapter: stored, applied nowhere, nothing shown.
    device.setDefault(u"A2", u"Office");
    EXPECT_TRUE(store(0, before, edited(u"10.2.0.9")));
    EXPECT_EQ(device.profileIp(u"Office"), u"10.2.0.9");
    EXPECT_EQ(device.systemIp(u"A2"), u"192.168.0.2");
    EXPECT_TRUE(messages.empty());

    EXPECT_TRUE(store(1, before, edited(u"10.2.0.8")));
    EXPECT_EQ(device.systemIp(u"A2"), u"10.2.0.8");
    EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)});

    device.registry.failValue(u"IpAddress", status::kAccessDenied, kCurrentUser,
                              std::u16string(kProfilesKeyPath) + u"\\Office");
    EXPECT_FALSE(store(1, before, edited(u"10.2.0.7")));
    EXPECT_EQ(messages, Messages{failure(IDS_SAVE_FAILED, u"Office")});
}

TEST_F(ProfilesDialogTest, AnEditWithApplyToAllUpdatesEveryAdapterUsingItOnlyTheLastReporting) {
    device.state.applyToAll = 1;
    device.setDefault(u"A1", u"Office");
    device.setDefault(u"A2", u"Office");
    device.setDefault(u"A3", u"office");  // letter case counts
    const NetSettings before = edited(u"10.2.0.1");
    EXPECT_TRUE(store(2, before, edited(u"10.2.0.7")));
    EXPECT_EQ(device.systemIp(u"A1"), u"10.2.0.7");
    EXPECT_EQ(device.systemIp(u"A2"), u"10.2.0.7");
    EXPECT_EQ(device.systemIp(u"A3"), u"192.168.0.3");
    EXPECT_TRUE(messages.empty()) << "the last adapter reports, and it did not apply";

    device.setDefault(u"A3", u"Office");
    EXPECT_TRUE(store(0, before, edited(u"10.2.0.8")));
    EXPECT_EQ(device.systemIp(u"A3"), u"10.2.0.8");
    EXPECT_EQ(messages, Messages{notice(IDS_NEXT_USE)});
}

}  // namespace
}  // namespace corvane
