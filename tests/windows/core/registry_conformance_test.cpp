// The real registry against the suite the in-memory one passes natively, and the desktop
// registry's own behaviour that Win32Registry has to make up for.
#include <windows.h>

#include <string>

#include "platform/registry_win32.h"
#include "tests/support/registry_conformance.h"

namespace corvane {

std::unique_ptr<Registry> conformingRegistry() {
    return std::make_unique<Win32Registry>();
}

constexpr wchar_t kTests[] = L"Software\\Corvane Tests";

TEST(Win32Registry, AbsorbsTheDesktopRegistrysDifferences) {
    const std::wstring raw = std::wstring(kTests) + L"\\Raw";
    HKEY key = nullptr;
    DWORD one = 1;
    ASSERT_EQ(
        RegSetKeyValueW(HKEY_CURRENT_USER, (raw + L"\\Sub").c_str(), L"V", REG_DWORD, &one, 4),
        ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (L"\\" + raw).c_str(), 0, KEY_READ, &key),
              ERROR_BAD_PATHNAME);
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (raw + L"\\Sub").c_str(), 0, 0, &key),
              ERROR_SUCCESS);
    DWORD size = 4;
    EXPECT_EQ(RegQueryValueExW(key, L"V", nullptr, nullptr, reinterpret_cast<BYTE*>(&one), &size),
              ERROR_ACCESS_DENIED);
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, raw.c_str()), ERROR_ACCESS_DENIED);

    // What the program asks for as it would on the handheld works all the same.
    Win32Registry reg;
    EXPECT_EQ(reg.deleteTree(kCurrentUser, u"\\Software\\Corvane Tests\\Raw"), status::kSuccess);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, raw.c_str(), 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    RegDeleteKeyW(HKEY_CURRENT_USER, kTests);
    RegKey software;
    ASSERT_EQ(openKey(reg, kLocalMachine, u"\\Software", 0, software), status::kSuccess);
    char16_t name[256];
    std::uint32_t chars = 256;
    EXPECT_EQ(reg.enumKey(software.handle(), 0, name, chars), status::kSuccess)
        << "a key opened with access 0 enumerates";
}

}  // namespace corvane
