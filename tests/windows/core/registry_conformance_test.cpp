// The real registry against the suite the in-memory one passes natively, and the desktop
// registry's own behaviour that Win32Registry has to make up for.
#include <windows.h>

#include <string>

#include "platform/registry_win32.h"
#include "tests/support/registry_conformance.h"

namespace corvane {
namespace {

// A key of its own under the current user's "Software\Corvane Tests", removed afterwards.
class Win32Scratch : public RegistryScratch {
  public:
    Win32Scratch() {
        static int serial = 0;
        path_ = u"Software\\Corvane Tests\\";
        path_.append(
            fromUtf8(std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial)));
    }
    ~Win32Scratch() override {
        EXPECT_EQ(registry_.deleteTree(kCurrentUser, path_), status::kSuccess);
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Corvane Tests");  // once it is empty
    }
    Registry& registry() override { return registry_; }
    std::u16string path() const override { return path_; }

  private:
    Win32Registry registry_;
    std::u16string path_;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Backends, RegistryConformance,
                         testing::Values(RegistryBackend{
                             "Win32",
                             [] { return std::unique_ptr<RegistryScratch>(new Win32Scratch); }}),
                         backendName);

TEST(Win32Registry, AbsorbsTheDesktopRegistrysDifferences) {
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Corvane Tests\\Raw\\Sub", 0, nullptr,
                              0, KEY_ALL_ACCESS, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    DWORD one = 1;
    ASSERT_EQ(RegSetValueExW(raw, L"V", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4),
              ERROR_SUCCESS);
    RegCloseKey(raw);

    EXPECT_EQ(
        RegOpenKeyExW(HKEY_CURRENT_USER, L"\\Software\\Corvane Tests\\Raw", 0, KEY_READ, &raw),
        ERROR_BAD_PATHNAME);
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Corvane Tests\\Raw\\Sub", 0, 0, &raw),
              ERROR_SUCCESS);
    DWORD size = 4;
    EXPECT_EQ(RegQueryValueExW(raw, L"V", nullptr, nullptr, reinterpret_cast<BYTE*>(&one), &size),
              ERROR_ACCESS_DENIED);
    RegCloseKey(raw);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Corvane Tests\\Raw"),
              ERROR_ACCESS_DENIED);

    Win32Registry reg;
    EXPECT_EQ(reg.deleteTree(kCurrentUser, u"\\Software\\Corvane Tests\\Raw"), status::kSuccess);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Corvane Tests\\Raw", 0, KEY_READ, &raw),
              ERROR_FILE_NOT_FOUND);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Corvane Tests");

    // The platform's own keys open with access 0 and enumerate.
    RegKey software;
    ASSERT_EQ(openKey(reg, kLocalMachine, u"\\Software", 0, software), status::kSuccess);
    char16_t name[256];
    std::uint32_t chars = 256;
    EXPECT_EQ(reg.enumKey(software.handle(), 0, name, chars), status::kSuccess);
}

}  // namespace corvane
