// The native corvane-prf as a process over real files: outputs replaced only when whole (its
// writes cut by a file-size limit), never over the input, inputs read bounded, and arguments
// taken only when they are UTF-8.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/registry.h"
#include "core/text.h"
#include "profiles/profile_file.h"
#include "tests/support/example_profile_file.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

Bytes contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void put(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

class PrfProcessTest : public testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/corvane-prf-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        fs::create_directory(dir = fs::path(name) / "work");
    }
    void TearDown() override { fs::remove_all(dir.parent_path()); }

    // The exit code, then standard output and standard error: "4 |cannot write out.reg\n". Run
    // in `dir`, its files held to `blocks` of 512 bytes (a disk that fills), SIGXFSZ ignored.
    std::string run(const std::vector<std::string>& args, int blocks = 0) {
        std::string command = "cd '" + dir.string() + "' && trap '' XFSZ && ulimit -f " +
                              (blocks > 0 ? std::to_string(blocks) : "unlimited") +
                              " && exec '" CORVANE_PRF_EXE "'";
        for (const std::string& arg : args) {
            command += " '" + arg + "'";
        }
        const int status = std::system((command + " >../out 2>../err").c_str());
        const auto text = [&](const char* name) {
            const Bytes bytes = contents(dir.parent_path() / name);
            return std::string(bytes.begin(), bytes.end());
        };
        return (WIFEXITED(status) ? std::to_string(WEXITSTATUS(status)) : "signal") + " " +
               text("out") + "|" + text("err");
    }
    // No file is left behind: each one a test expects is also read or written.
    std::ptrdiff_t files() const { return std::distance(fs::directory_iterator(dir), {}); }

    fs::path dir;
};

TEST_F(PrfProcessTest, AnOutputIsReplacedOnlyWhenWholeAndNeverByItsInput) {
    // 40 profiles of 512 bytes each: a file of 22 KB, its registry text of 130 KB.
    std::vector<StoredProfile> profiles;
    for (int i = 10; i < 50; ++i) {
        profiles.push_back(
            {fromUtf8("P" + std::to_string(i)),
             {{kValueRecord, u"Blob", Bytes(kMaxDataBytes, 0xAB), regtype::kBinary}}});
    }
    const Bytes big = writeProfileFile(profiles);
    put(dir / "big.prf", big);
    const Bytes oldText = {'o', 'l', 'd'};
    put(dir / "old.reg", oldText);
    put(dir / "old.prf", kHomeProfileFile);

    // The disk fills after 16 KB: neither output is cut off, nor left behind.
    EXPECT_EQ(run({"to-reg", "big.prf", "old.reg"}, 32), "4 |cannot write old.reg\n");
    ASSERT_EQ(run({"to-reg", "big.prf", "big.reg"}), "0 wrote 40 profile(s) to big.reg\n|");
    EXPECT_EQ(run({"from-reg", "big.reg", "old.prf"}, 32), "4 |cannot write old.prf\n");
    EXPECT_EQ(contents(dir / "old.reg"), oldText);
    EXPECT_EQ(contents(dir / "old.prf"), kHomeProfileFile);
    EXPECT_EQ(files(), 4);
    ASSERT_EQ(run({"from-reg", "big.reg", "old.prf"}), "0 wrote 40 profile(s) to old.prf\n|");
    EXPECT_EQ(contents(dir / "old.prf"), big) << "replaced once whole";

    // The input under another name, by a hard or a symbolic link, or the output a directory.
    fs::create_hard_link(dir / "big.prf", dir / "hard.reg");
    fs::create_symlink("big.reg", dir / "soft.prf");
    fs::create_directory(dir / "folder.reg");
    EXPECT_EQ(run({"to-reg", "big.prf", "hard.reg"}),
              "7 |hard.reg is the input file itself; nothing written, the input kept as it is\n");
    EXPECT_EQ(run({"from-reg", "big.reg", "soft.prf"}).substr(0, 18), "7 |soft.prf is the");
    EXPECT_EQ(run({"to-reg", "big.prf", "folder.reg"}), "4 |cannot write folder.reg\n");
    EXPECT_EQ(contents(dir / "big.prf"), big);
    EXPECT_EQ(files(), 7);
}

TEST_F(PrfProcessTest, InputsAreReadBoundedAndArgumentsOnlyAsUtf8) {
    put(dir / "home.prf", kHomeProfileFile);
    fs::create_directory(dir / "folder.prf");
    { std::ofstream(dir / "huge.prf"); }
    fs::resize_file(dir / "huge.prf", kMaxProfileFileBytes + 1);  // sparse: no disk used
    EXPECT_EQ(run({"show", "folder.prf"}), "3 |cannot read folder.prf\n") << "not damaged";
    EXPECT_EQ(run({"show", "huge.prf"}),
              "3 |cannot read huge.prf: larger than 8388608 bytes, the most this command reads\n");
    // Endless: refused once past the most registry text read, never read to its end.
    EXPECT_EQ(run({"from-reg", "/dev/zero", "out.prf"}),
              "3 |cannot read /dev/zero: larger than 67108864 bytes, the most this command "
              "reads\n");

    // "\xC0\xAE" read loosely is ".": the name would climb out of its folder.
    EXPECT_EQ(run({"to-reg", "home.prf",
                   "\xC0\xAE\xC0\xAE\xC0\xAF"
                   "escape.reg"}),
              "2 |argument 3 is not valid UTF-8; nothing done\n");
    EXPECT_EQ(run({"show", "h\xED\xA0\x80.prf"}),
              "2 |argument 2 is not valid UTF-8; nothing done\n");
    EXPECT_EQ(run({"to-reg", "home.prf", "caf\xC3\xA9.reg"}),
              "0 wrote 1 profile(s) to caf\xC3\xA9.reg\n|");
    EXPECT_TRUE(fs::exists(dir / "caf\xC3\xA9.reg"));
    EXPECT_EQ(files(), 4);
}

}  // namespace
}  // namespace corvane
