#include "tests/support/registry_scratch_win32.h"

#include <windows.h>

#include <string>

#include "core/text.h"
#include "platform/registry_win32.h"

namespace corvane {

namespace {

class Win32Scratch : public RegistryScratch {
  public:
    Win32Scratch() {
        static int serial = 0;
        const std::string name = std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(GetTickCount64()) + "-" + std::to_string(++serial);
        path_ = u"Software\\Corvane Tests\\";
        path_.append(fromUtf8(name));
    }
    ~Win32Scratch() override {
        EXPECT_EQ(registry_.deleteTree(kCurrentUser, path_), status::kSuccess);
        // Leaves the prefix clean; fails harmlessly while another test's key is still there.
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Corvane Tests");
    }
    Registry& registry() override { return registry_; }
    KeyHandle root() const override { return kCurrentUser; }
    std::u16string path() const override { return path_; }

  private:
    Win32Registry registry_;
    std::u16string path_;
};

}  // namespace

RegistryBackend win32Backend() {
    return {"Win32", [] { return std::unique_ptr<RegistryScratch>(new Win32Scratch); }};
}

}  // namespace corvane
