// The real Profile Name dialog: the offered text, the 39-character limit, a taken name refused
// with its message and the text selected, a new name accepted; no adapter, no dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/net_settings.h"
#include "platform/handles_win32.h"
#include "platform/registry_win32.h"
#include "profiles/profile_store.h"
#include "profiles_dialog/profile_name_win32.h"
#include "resources/resource.h"
#include "tests/support/device.h"
#include "tests/windows/harness.h"

namespace corvane {
namespace {

TEST(ProfileNameWin32Test, RefusesATakenNameAndAcceptsANewOne) {
    Win32Registry registry;
    FakeSystem system;
    AppState state;
    state.registry = &registry;
    state.system = &system;
    state.hInstance = toRef(GetModuleHandleW(nullptr));
    NetSettings record;
    setDefaults(record);
    ASSERT_TRUE(saveProfile(registry, u"Default", record));
    const AdapterInfo adapter(u"NE2000 Card", u"\\Comm\\NE20001\\Parms\\TcpIp", u"NE20001");

    // The first tick reads the offered text and its limit and tries the taken name; the second
    // reads the selection the refusal left and enters a new name.
    static std::wstring initial;
    static LRESULT limit = 0;
    static DWORD selection = 0;
    static int step = 0;
    step = 0;
    test::MessageBoxCatcher catcher;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND dialog = FindWindowW(L"#32770", L"Profile Name");
        const HWND edit = GetDlgItem(dialog, IDC_PROFILE_NAME);
        if (dialog == nullptr || step > 1) {
            return;
        }
        if (step++ == 0) {
            initial = test::windowText(edit);
            limit = SendMessageW(edit, EM_GETLIMITTEXT, 0, 0);
        } else {
            selection = static_cast<DWORD>(SendMessageW(edit, EM_GETSEL, 0, 0));
            SetWindowTextW(edit, L"Lab");
        }
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    std::u16string name = u"Default";
    const int result = runProfileNameDialog(state, nullptr, &adapter, name);
    KillTimer(nullptr, timer);
    registry.deleteTree(kCurrentUser, u"Software\\Tavelorn");

    EXPECT_EQ(result, kNameAccepted);
    EXPECT_EQ(name, u"Lab");
    EXPECT_EQ(initial, L"Default");
    EXPECT_EQ(limit, 39);
    EXPECT_EQ(selection, MAKELONG(0, 7)) << "the whole name selected";
    ASSERT_EQ(catcher.boxes.size(), 1u);
    EXPECT_EQ(catcher.boxes[0].text,
              L"Profile \"Default\" already exists. Please enter another name.");
    EXPECT_EQ(runProfileNameDialog(state, nullptr, nullptr, name), kNameWithoutAdapter);
}

}  // namespace
}  // namespace corvane
