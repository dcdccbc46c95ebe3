// corvane-prf.exe with Wine's own regedit: registry text the tool writes puts the store back
// exactly as it was, and the tool reads it back to the same profile file.
#include <numeric>

#include "tests/windows/harness.h"
// After windows.h.
#include "profiles/profile_file.h"
#include "profiles/profile_store.h"

namespace corvane {
namespace {

// Runs a command line to its end: its exit code, or STILL_ACTIVE when it had to be stopped.
DWORD run(const std::wstring& commandLine) {
    return test::Process(commandLine).exitCode(20000);
}

bool exportTo(Registry& registry, const std::wstring& path) {
    ReplacementFile file{std::u16string(utf16(std::wstring_view(path)))};
    return exportProfiles(registry,
                          [&](std::span<const unsigned char> bytes) { return file.commit(bytes); })
        .written;
}

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
    const unsigned char odd[] = {'a', 0, 'b'};
    putValue(registry, kCurrentUser, home, u"Short", regtype::kDword, odd, sizeof odd);
    putValue(registry, kCurrentUser, home, u"Empty", regtype::kString, nullptr, 0);
    putValue(registry, kCurrentUser, home, u"None", 0, nullptr, 0);
    putValue(registry, kCurrentUser, home, u"Expand", 2, u"%TEMP%", 14);
    std::vector<unsigned char> blob(kMaxDataBytes);
    std::iota(blob.begin(), blob.end(), 0);
    putValue(registry, kCurrentUser, home, u"Blob", regtype::kBinary, blob.data(), blob.size());
    RegSetKeyValueW(HKEY_CURRENT_USER, wide(home.c_str()), nullptr, REG_SZ, L"default", 16);
    putKey(registry, kCurrentUser, profilePath(u"Lab [2]"));

    // In the test's own directory, where the tool and regedit start too.
    const std::wstring tool = L"\"" + test::onDriveZ(CORVANE_PRF_EXE) + L"\"";
    ASSERT_TRUE(exportTo(registry, L"prf-first.prf"));
    ASSERT_EQ(run(tool + L" to-reg prf-first.prf prf.reg"), 0u);
    ASSERT_EQ(registry.deleteTree(kCurrentUser, kProfilesKeyPath), status::kSuccess);
    ASSERT_EQ(run(L"regedit.exe /s prf.reg"), 0u);
    ASSERT_TRUE(exportTo(registry, L"prf-again.prf"));
    EXPECT_EQ(test::fileBytes(L"prf-again.prf"), test::fileBytes(L"prf-first.prf"))
        << "regedit wrote every value back as it was";
    EXPECT_EQ(run(tool + L" from-reg prf.reg prf-read.prf"), 0u);
    EXPECT_EQ(test::fileBytes(L"prf-read.prf"), test::fileBytes(L"prf-first.prf"));
    for (const wchar_t* path : {L"prf-first.prf", L"prf.reg", L"prf-again.prf", L"prf-read.prf"}) {
        DeleteFileW(path);
    }
}

}  // namespace
}  // namespace corvane
