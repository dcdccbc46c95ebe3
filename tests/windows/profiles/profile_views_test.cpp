// The Network Profiles dialog's real combo boxes and buttons behave as the fake views assume.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/handles_win32.h"
#include "profiles_dialog/profile_views_win32.h"
#include "resources/resource.h"

namespace corvane {
namespace {

INT_PTR CALLBACK plainDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

TEST(ProfileViewsWin32Test, ListsSortFindWithoutCaseAndGiveWholeTexts) {
    const HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(IDD_PROFILES), nullptr, plainDialog, 0);
    ASSERT_NE(dialog, nullptr);
    const WindowRef window = toRef(dialog);
    Win32ProfileViews views;

    EXPECT_LT(views.adapterSelection(window), 0) << "an empty adapter list has no selection";
    const std::u16string longName = u"Imported " + std::u16string(200, u'x');
    views.addProfile(window, u"beta");
    views.addProfile(window, longName);
    views.addProfile(window, u"Alpha");
    ASSERT_EQ(views.profileCount(window), 3);
    EXPECT_EQ(views.profileText(window, 0), u"Alpha");
    EXPECT_EQ(views.profileText(window, 1), u"beta");
    EXPECT_EQ(views.profileText(window, 2), longName) << "not cut";
    EXPECT_EQ(views.profileText(window, 3), u"");
    EXPECT_EQ(views.findProfile(window, u"BETA"), 1);
    EXPECT_EQ(views.findProfile(window, u"bet"), -1) << "whole texts only";
    EXPECT_EQ(views.profileSelection(window), -1);
    views.selectProfile(window, 2);
    EXPECT_EQ(views.profileSelection(window), 2);

    views.enableProfileButtons(window, false);
    for (const int id : {IDC_DELETE, IDC_EDIT, IDC_SET}) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, id)));
    }
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_NEW)));
    views.enableProfileButtons(window, true);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_SET)));

    views.resetProfiles(window);
    EXPECT_EQ(views.profileCount(window), 0);
    DestroyWindow(dialog);
}

TEST(ProfileViewsWin32Test, AWindowWithoutListsReadsAsTheFirstAdapterAndNothingElse) {
    const HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    const WindowRef window = toRef(plain);
    Win32ProfileViews views;
    EXPECT_EQ(views.adapterSelection(window), 0);
    views.addProfile(window, u"Office");
    EXPECT_EQ(views.profileCount(window), 0);
    EXPECT_EQ(views.profileSelection(window), -1);
    EXPECT_EQ(views.findProfile(window, u"Office"), -1);
    DestroyWindow(plain);
}

}  // namespace
}  // namespace corvane
