#include "profiles_dialog/profiles_dialog.h"

#include <gtest/gtest.h>

#include "profiles_dialog/profile_name.h"
#include "resources/resource.h"
#include "tests/support/device.h"

namespace corvane {
namespace {

TEST(ProfilesDialogTest,
     OpeningTheListAndItsOfferOfADefaultWhenTheAdapterHasNoneOrTheStoreIsEmpty) {
    Device device(3, true);
    device.session.applyToAll = 1;
    device.session.showAtStartup = 5;
    EXPECT_EQ(openProfilesDialog(device.session),
              (DialogOpening{{u"Card A1", u"Card A2", u"Card A3"}, true, true, true}));
    // The list as its number of names, selection and whether the default is offered.
    const auto listed = [&] {
        const ProfileList list = readProfileList(device.registry, device.adapter(0));
        return std::tuple(list.names.size(), list.selection, list.offerDefault);
    };
    EXPECT_EQ(defaultProfileQuestion(device.adapter(0)), question(IDS_OFFER_DEFAULT, u"Card A1"));
    device.setDefault(u"A1", u"Gone");
    EXPECT_EQ(listed(), std::tuple(2u, u"Gone", false)) << "even dangling: no offer";
    device.registry.deleteTree(kCurrentUser, kProfilesKeyPath);
    EXPECT_EQ(listed(), std::tuple(0u, u"Gone", true)) << "a default but no profile at all";

    device.system.storeKnown = false;  // the figures' lines are proven in the real About box
    EXPECT_TRUE(aboutStoreLines(device.system).empty()) << "the template's own lines stay";
}

TEST(ProfilesDialogTest, ATypedNameIsCutAndRefusedWhenTakenInAnyCaseOrNested) {
    Device device(0, true);
    EXPECT_EQ(acceptProfileName(device.registry, u""), NameCheck{});
    for (const Message& refusal :
         {failure(IDS_PROFILE_EXISTS, u"OFFICE"), failure(IDS_PROFILE_NAME_BACKSLASH, u"Lab\\2")}) {
        EXPECT_EQ(acceptProfileName(device.registry, refusal.argument),
                  (NameCheck{NameAnswer::Refused, refusal.argument, refusal}));
    }
    EXPECT_EQ(acceptProfileName(device.registry, std::u16string(45, u'n')),
              (NameCheck{NameAnswer::Accepted, std::u16string(39, u'n'), {}}));
}

// The switch itself is the icon menu's: here only which adapters it takes.
TEST(ProfilesDialogTest, SetSwitchesTheSelectedAdapterOrEveryAdapterUnlessItIsAlreadyItsDefault) {
    Device device(3, true);
    device.setDefault(u"A1", u"Office");
    const int writes = device.registry.setValueCount();
    Messages messages;
    EXPECT_FALSE(switchFromDialog(device.session, &device.adapter(0), u"Office", messages));
    EXPECT_EQ(device.registry.setValueCount(), writes) << "nothing stored, applied or refreshed";
    EXPECT_TRUE(switchFromDialog(device.session, &device.adapter(1), u"Home", messages));
    EXPECT_EQ(device.systemIps(), "192.168.0.1 10.1.0.1 192.168.0.3 ");
    device.session.applyToAll = 1;  // every adapter, this one's default again included
    EXPECT_TRUE(switchFromDialog(device.session, &device.adapter(0), u"Office", messages));
    EXPECT_EQ(device.systemIps(), "10.2.0.1 10.2.0.1 10.2.0.1 ");

    // No adapter or no profile selected: only the refresh.
    messages.clear();
    EXPECT_TRUE(switchFromDialog(device.session, nullptr, u"Home", messages));
    EXPECT_TRUE(switchFromDialog(device.session, &device.adapter(1), u"", messages));
    EXPECT_TRUE(messages.empty());
}

TEST(ProfilesDialogTest, AnEditIsStoredOnlyWhenChangedAndAppliedWhereTheProfileIsTheDefault) {
    Device device(3, true);
    Messages messages;
    // Office as the editor leaves it with `address`, stored from `adapter`'s dialog.
    const auto store = [&](int adapter, std::u16string_view address) {
        NetSettings before;
        loadProfile(device.registry, u"Office", before);
        NetSettings after = before;
        copyText(after.ipAddress, address);
        messages.clear();
        return storeEditedProfile(device.session, device.adapter(adapter), u"Office", before, after,
                                  messages);
    };
    const int writes = device.registry.setValueCount();
    EXPECT_FALSE(store(0, u"10.2.0.1"));
    EXPECT_EQ(device.registry.setValueCount(), writes) << "unchanged: nothing stored";

    // Not the default of the selected adapter: stored, applied nowhere, nothing shown.
    device.setDefault(u"A2", u"Office");
    EXPECT_TRUE(store(0, u"10.2.0.9"));
    EXPECT_EQ(device.profileIp(u"Office"), u"10.2.0.9");
    EXPECT_EQ(device.systemIps(), "192.168.0.1 192.168.0.2 192.168.0.3 ");
    EXPECT_TRUE(messages.empty());

    // With applyToAll every adapter using it is updated, only the last adapter reporting.
    device.session.applyToAll = 1;
    device.setDefault(u"A1", u"Office");
    device.setDefault(u"A3", u"office");  // letter case counts
    EXPECT_TRUE(store(2, u"10.2.0.6"));
    EXPECT_EQ(device.systemIps(), "10.2.0.6 10.2.0.6 192.168.0.3 ");
    EXPECT_TRUE(messages.empty()) << "the last adapter reports, and it did not apply";

    device.registry.failValue(u"IpAddress", status::kAccessDenied);
    EXPECT_FALSE(store(1, u"10.2.0.7"));
    EXPECT_EQ(messages, Messages{failure(IDS_SAVE_FAILED, u"Office")});
}

}  // namespace
}  // namespace corvane
