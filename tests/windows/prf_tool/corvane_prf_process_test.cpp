// corvane-prf.exe with Wine's own regedit: registry text the tool writes puts the store back
// exactly as it was, and the tool reads it back to the same profile file.
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

std::wstring inQuotes(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

bool exportTo(Registry& registry, const std::wstring& path) {
    FileStream file(std::u16string(utf16(std::wstring_view(path))), FileStream::Mode::Create);
    return exportProfiles(registry, file).written;
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
    for (std::size_t i = 0; i < blob.size(); ++i) {
        blob[i] = static_cast<unsigned char>(i * 7);
    }
    putValue(registry, kCurrentUser, home, u"Blob", regtype::kBinary, blob.data(), blob.size());
    {
        RegKey key;
        ASSERT_EQ(openKey(registry, kCurrentUser, home, 0, key), status::kSuccess);
        registry.setValue(key.handle(), u"", regtype::kString, u"default", 16);
    }
    putKey(registry, kCurrentUser, profilePath(u"Lab [2]"));

    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring first = std::wstring(folder) + L"corvane-prf-first.prf";
    const std::wstring text = std::wstring(folder) + L"corvane-prf.reg";
    const std::wstring again = std::wstring(folder) + L"corvane-prf-again.prf";
    const std::wstring read = std::wstring(folder) + L"corvane-prf-read.prf";
    const std::wstring tool = inQuotes(test::onDriveZ(CORVANE_PRF_EXE));

    ASSERT_TRUE(exportTo(registry, first));
    ASSERT_EQ(run(tool + L" to-reg " + inQuotes(first) + L" " + inQuotes(text)), 0u);
    ASSERT_EQ(registry.deleteTree(kCurrentUser, kProfilesKeyPath), status::kSuccess);
    ASSERT_EQ(run(L"regedit.exe /s " + inQuotes(text)), 0u);
    ASSERT_TRUE(exportTo(registry, again));
    EXPECT_EQ(test::fileBytes(again), test::fileBytes(first))
        << "regedit wrote every value back as it was";
    EXPECT_EQ(run(tool + L" from-reg " + inQuotes(text) + L" " + inQuotes(read)), 0u);
    EXPECT_EQ(test::fileBytes(read), test::fileBytes(first));
    for (const std::wstring& path : {first, text, again, read}) {
        DeleteFileW(path.c_str());
    }
}

}  // namespace
}  // namespace corvane
