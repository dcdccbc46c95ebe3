// corvane-prf.exe with Wine's own regedit: registry text the tool writes puts the store back
// exactly as it was. That the tool reads its text back is proven natively.
#include <numeric>

#include "tests/windows/harness.h"
// After windows.h.
#include "profiles/profile_file.h"
#include "profiles/profile_store.h"

namespace corvane {
namespace {

TEST(CorvanePrfProcessTest, RegeditImportsTheToolsTextBackToTheSameExport) {
    test::Handheld handheld;
    Registry& registry = handheld.registry;
    const std::u16string home = profilePath(u"Home");
    putString(registry, kCurrentUser, home, u"ProxyServer", u"C:\\proxy \"q\"");
    putMulti(registry, kCurrentUser, home, u"DNS", {u"10.0.0.1", u"10.0.0.2"});
    putDword(registry, kCurrentUser, home, u"UseProxy", 1);
    // Wine's regedit ends string data that lacks its closing zero with one, so no odd-sized
    // REG_SZ here; the tool's own round trip keeps those too.
    putValue(registry, kCurrentUser, home, u"Inner", regtype::kString, u"a\0b", 8);
    putValue(registry, kCurrentUser, home, u"Short", regtype::kDword, "a\0b", 3);
    putValue(registry, kCurrentUser, home, u"Empty", regtype::kString, nullptr, 0);
    std::vector<unsigned char> blob(kMaxDataBytes);
    std::iota(blob.begin(), blob.end(), 0);
    putValue(registry, kCurrentUser, home, u"Blob", regtype::kBinary, blob.data(), blob.size());
    RegSetKeyValueW(HKEY_CURRENT_USER, wide(home.c_str()), nullptr, REG_SZ, L"default", 16);
    putKey(registry, kCurrentUser, profilePath(u"Lab [2]"));

    // In the test's own directory, where the tool and regedit start too.
    const std::vector<unsigned char> first = *exportFile(registry).bytes;
    ReplacementFile{u"prf-first.prf"}.commit(first);
    const std::wstring tool = L"\"" + test::onDriveZ(CORVANE_PRF_EXE) + L"\" ";
    ASSERT_EQ(test::Process(tool + L"to-reg prf-first.prf prf.reg").exitCode(20000), 0u);
    ASSERT_EQ(registry.deleteTree(kCurrentUser, kProfilesKeyPath), status::kSuccess);
    ASSERT_EQ(test::Process(L"regedit.exe /s prf.reg").exitCode(20000), 0u);
    EXPECT_EQ(exportFile(registry).bytes, first) << "regedit wrote every value back as it was";
    DeleteFileW(L"prf-first.prf");
    DeleteFileW(L"prf.reg");
}

}  // namespace
}  // namespace corvane
