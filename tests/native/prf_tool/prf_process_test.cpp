// The native corvane-prf as a process over real files: outputs replaced only when whole (its
// writes cut by a file-size limit), never over the input, inputs read bounded, and arguments
// taken only when they are UTF-8.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "core/registry.h"
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
        root = name;
        dir = root / "work";
        fs::create_directory(dir);
    }
    void TearDown() override { fs::remove_all(root); }

    // The exit code, then standard output and standard error: "4 |cannot write out.reg\n". Run
    // in `dir`, its files no larger than `fileLimit` bytes (a disk that fills), as a shell does
    // with ulimit -f and SIGXFSZ ignored.
    std::string run(const std::vector<std::string>& args, rlim_t fileLimit = RLIM_INFINITY) {
        const pid_t child = fork();
        if (child == 0) {
            const int out = open((root / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = open((root / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(out, 1);
            dup2(err, 2);
            const rlimit limit{fileLimit, fileLimit};
            signal(SIGXFSZ, SIG_IGN);
            setrlimit(RLIMIT_FSIZE, &limit);
            std::vector<char*> argv{const_cast<char*>(CORVANE_PRF_EXE)};
            for (const std::string& arg : args) {
                argv.push_back(const_cast<char*>(arg.c_str()));
            }
            argv.push_back(nullptr);
            if (chdir(dir.c_str()) == 0) {
                execv(CORVANE_PRF_EXE, argv.data());
            }
            _exit(127);
        }
        int status = 0;
        waitpid(child, &status, 0);
        const Bytes out = contents(root / "out");
        const Bytes err = contents(root / "err");
        return (WIFEXITED(status) ? std::to_string(WEXITSTATUS(status)) : "signal") + " " +
               std::string(out.begin(), out.end()) + "|" + std::string(err.begin(), err.end());
    }
    std::set<std::string> files() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    fs::path root;
    fs::path dir;
};

TEST_F(PrfProcessTest, AnOutputIsReplacedOnlyWhenWholeAndNeverByItsInput) {
    // 40 profiles of 512 bytes each: a file of 22 KB, its registry text of 130 KB.
    std::vector<StoredProfile> profiles;
    for (char16_t i = 0; i < 40; ++i) {
        const std::u16string name = {u'P', static_cast<char16_t>(u'0' + i / 10),
                                     static_cast<char16_t>(u'0' + i % 10)};
        profiles.push_back(
            {name, {{kValueRecord, u"Blob", Bytes(kMaxDataBytes, 0xAB), regtype::kBinary}}});
    }
    const Bytes big = writeProfileFile(profiles);
    put(dir / "big.prf", big);
    const Bytes oldText = {'o', 'l', 'd'};
    put(dir / "old.reg", oldText);
    put(dir / "old.prf", kHomeProfileFile);

    // The disk fills after 16 KB: neither output is cut off, nor left behind.
    EXPECT_EQ(run({"to-reg", "big.prf", "old.reg"}, 16 * 1024), "4 |cannot write old.reg\n");
    ASSERT_EQ(run({"to-reg", "big.prf", "big.reg"}), "0 wrote 40 profile(s) to big.reg\n|");
    EXPECT_EQ(run({"from-reg", "big.reg", "old.prf"}, 16 * 1024), "4 |cannot write old.prf\n");
    EXPECT_EQ(contents(dir / "old.reg"), oldText);
    EXPECT_EQ(contents(dir / "old.prf"), kHomeProfileFile);
    EXPECT_EQ(files(), (std::set<std::string>{"big.prf", "big.reg", "old.prf", "old.reg"}));
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
    EXPECT_EQ(files().size(), 7u);
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
    EXPECT_FALSE(fs::exists(root / "escape.reg"));
    EXPECT_EQ(run({"to-reg", "home.prf", "caf\xC3\xA9.reg"}),
              "0 wrote 1 profile(s) to caf\xC3\xA9.reg\n|");
    EXPECT_EQ(files(),
              (std::set<std::string>{"home.prf", "folder.prf", "huge.prf", "caf\xC3\xA9.reg"}));
}

}  // namespace
}  // namespace corvane
