// The native corvane-prf as a process over real files: what its commands write and show, outputs
// replaced only when whole (its writes cut by a file-size limit) and never over the input, inputs
// read bounded, and arguments taken only when they are UTF-8.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/text.h"
#include "prf_tool/prf_texts.h"
#include "profiles/profile_file.h"
#include "tests/support/example_profile_file.h"
#include "tests/support/registry_helpers.h"

namespace corvane::prf {
namespace {

using Bytes = std::vector<unsigned char>;

const std::string kProfilesKey = "[HKEY_CURRENT_USER\\Software\\Tavelorn\\Corvane\\1.2\\Profiles";

namespace fs = std::filesystem;

Bytes contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void put(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary) << std::string(bytes.begin(), bytes.end());
}

class PrfToolTest : public testing::Test {
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

    fs::path dir;
};

// A literal's characters and its closing zero, in the host's byte order: little-endian, as a file.
template <std::size_t N>
Bytes chars(const char16_t (&text)[N]) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    return Bytes(bytes, bytes + 2 * N);
}

// Every kind of value a profile key can hold, as an export writes it.
Bytes everyKindOfValue() {
    Bytes blob(kMaxDataBytes);  // every byte value, twice
    std::generate(blob.begin(), blob.end(), [i = 0]() mutable { return i++ * 7; });
    Bytes file;
    writeHeader(file, 2);
    writeRecord(file, kProfileRecord, u"Lab [2]");
    for (const auto& [name, type, data] : std::vector<std::tuple<std::u16string, int, Bytes>>{
             {u"", regtype::kString, chars(u"default")},
             {u"Odd", regtype::kString, {'a', 0, 0, 0, 0}},  // "a", its zero and half a character
             {u"Inner", regtype::kString, chars(u"a\0b")},
             {u"Break", regtype::kString, chars(u"a\r\nb")},
             {u"Empty", regtype::kString, {}},
             {u"Expand", 2, chars(u"%TEMP%")},
             {u"Servers", regtype::kMultiString, chars(u"10.0.0.1\0dns.example\0")},
             {u"Port", regtype::kDword, {10, 0, 0, 0}},
             {u"Short", regtype::kDword, {1, 2, 3}},
             {u"NoData", regtype::kBinary, {}},
             {u"Quad", 11, {1, 2, 3, 4, 5, 6, 7, 8}},
             {u"Blob", regtype::kBinary, blob},
             {u"Password", regtype::kString, chars(u"secret")}}) {
        writeRecord(file, kValueRecord, name, data, static_cast<std::uint32_t>(type));
    }
    writeRecord(file, kProfileRecord, u"Quiet");
    return file;
}

TEST_F(PrfToolTest, RegistryTextKeepsEveryValuesTypeAndBytesAndShowTellsEachValue) {
    put(dir / "a.prf", everyKindOfValue());
    ASSERT_EQ(run({"to-reg", "a.prf", "a.reg"}), "0 wrote 2 profile(s) to a.reg\n|");
    const Bytes reg = contents(dir / "a.reg");
    // The text after its byte-order mark, which from-reg needs to read it as UTF-16.
    const std::string text = toUtf8(RawValue{0, 0, Bytes(reg.begin() + 2, reg.end())}.chars());
    ASSERT_EQ(run({"from-reg", "a.reg", "b.prf"}), "0 wrote 2 profile(s) to b.prf\n|");
    EXPECT_EQ(contents(dir / "b.prf"), everyKindOfValue()) << "byte for byte";

    const std::string both = text + run({"show", "a.prf"});
    for (const char* line :
         {"@=\"default\"\r\n", "\"Port\"=dword:0000000a\r\n",
          // regedit's wrapping: lines of at most 80 characters, continued on indented lines.
          "\"Blob\"=hex:00,07,0e,15,1c,23,2a,31,38,3f,46,4d,54,5b,62,69,70,77,7e,85,8c,93,\\\r\n"
          "  9a,a1,a8,af,b6,bd,c4,cb,d2,d9,e0,e7,ee,f5,fc,03,0a,11,18,1f,26,2d,34,3b,42,\\\r\n",
          "0 header: magic 0x99090001, header size 20, 2 profile(s) counted\n",
          "\"Expand\" REG_EXPAND_SZ, 14 byte(s): \"%TEMP%\"\n",
          "\"Servers\" REG_MULTI_SZ, 44 byte(s): [\"10.0.0.1\", \"dns.example\"]\n",
          "#8 \"Port\" REG_DWORD, 4 byte(s): 10 (0x0000000a)\n",
          "\"Short\" REG_DWORD, 3 byte(s): 01 02 03\n", "#14 profile \"Quiet\"\n",
          "\"Password\" REG_SZ, 14 byte(s): (hidden)\n",
          "verdict: valid, Import reads 2 profile(s)\n|"}) {
        EXPECT_NE(both.find(line), std::string::npos) << line;
    }
}

TEST_F(PrfToolTest, AFileImportWouldRefuseIsShownSafelyToItsFaultAndNeverConverted) {
    const auto damaged = [&](const char* name, std::size_t at, unsigned char byte) {
        Bytes bytes = kHomeProfileFile;
        bytes[at] = byte;
        put(dir / name, bytes);
    };
    damaged("d.prf", 65, 0x02);  // the value's data size: 0x204 bytes
    EXPECT_EQ(run({"show", "d.prf"}),
              "5 header: magic 0x99090001, header size 20, 1 profile(s) counted\n"
              "#0 profile \"Home\"\n"
              "verdict: damaged at record #1, byte 38: data over 512 bytes\n|");
    damaged("u.prf", 8, 0);  // the header's count
    EXPECT_EQ(run({"to-reg", "u.prf", "out.reg"}),
              "5 |u.prf: damaged at the header, byte 8: the header counts no profile; nothing "
              "written\n");
    damaged("n.prf", 48, '\n');  // "UseProxy" as "U\neProxy": no line of registry text holds it
    EXPECT_TRUE(run({"to-reg", "n.prf", "out.reg"})
                    .starts_with("6 |n.prf: the name \"U\\x0aeProxy\" holds a line break"));
    EXPECT_FALSE(fs::exists(dir / "out.reg"));

    EXPECT_TRUE(run({"show"}).starts_with("2 |usage:"));
    EXPECT_TRUE(run({"convert", "d.prf", "d.reg"}).starts_with("2 |usage:"));

    // A name in a file is the file's to choose: shown, it must not end its line, steer the
    // terminal or fake the verdict, which stays the last line.
    Bytes controls;
    writeHeader(controls, 2);  // one profile short: damaged
    writeRecord(controls, kProfileRecord,
                u"Home\n\x1b[2Jverdict: valid, Import reads 1 profile(s)");
    writeRecord(controls, kValueRecord, u"Proxy\x7f\x9b", chars(u"a\u001bc"), regtype::kString);
    put(dir / "f.prf", controls);
    const std::string shown = run({"show", "f.prf"});
    EXPECT_EQ(shown.substr(shown.find("#0")),
              "#0 profile \"Home\\x0a\\x1b[2Jverdict: valid, Import reads 1 profile(s)\"\n"
              "  #1 \"Proxy\\x7f\\x9b\" REG_SZ, 8 byte(s): \"a\\x1bc\"\n"
              "verdict: damaged at record #2, byte 170: the file ends before the profiles its "
              "header counts\n|");
}

TEST_F(PrfToolTest, RegistryTextOtherThanProfilesIsRefusedByLine) {
    const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
    const std::string home = kProfilesKey + "\\Home]\r\n";
    for (const auto& [text, line, fault] : std::vector<std::tuple<std::string, int, RegFault>>{
             {"\xFF\xFEW", 1, RegFault::HalfCharacter},  // a byte-order mark and one byte
             {"REGEDIT4\r\n\r\n" + home, 1, RegFault::NoHeader},
             {header + "[HKEY_CURRENT_USER\\Software\\Tavelorn]\r\n", 3, RegFault::KeyOutside},
             {header + kProfilesKey + "\\Home\\Deeper]\r\n", 3, RegFault::KeyOutside},
             {header + "[-" + home.substr(1), 3, RegFault::Deletion},
             {header + home + "\"A\"=-\r\n", 4, RegFault::Deletion},
             {header + kProfilesKey + "]\r\n\"A\"=dword:1\r\n", 4, RegFault::ValueOutside},
             {header + home + "; a comment\r\n\r\nA=1\r\n", 6, RegFault::Malformed},
             {header + home + "\"A\"=dword:123456789\r\n", 4, RegFault::BadData},
             {header + home + "\"A\"=hex:01,\\\r\n  02,\\\r\n  03\r\n\"B\"=hex:0g\r\n", 7,
              RegFault::BadData},
             {header + kProfilesKey + "\\" + std::string(256, 'n') + "]\r\n", 3,
              RegFault::NameTooLong},
             {header + home + "\"" + std::string(260, 'n') + "\"=\"\"\r\n", 4,
              RegFault::NameTooLong},
             {header + home + "\"A\"=\"" + std::string(256, 'x') + "\"\r\n", 4,
              RegFault::DataTooLong},  // 514 bytes with the zero
             {header + kProfilesKey + "]\r\n", 4, RegFault::NoProfile},
             {header + home + "\"A\"=\"a\"\r\n\"B\"=\"\xC0\xAE\"\r\n", 5, RegFault::NotUtf8},
         }) {
        put(dir / "in.reg", Bytes(text.begin(), text.end()));
        EXPECT_EQ(run({"from-reg", "in.reg", "out.prf"}), "6 |in.reg line " + std::to_string(line) +
                                                              ": " + toUtf8(reasonOf(fault)) +
                                                              "; nothing written\n")
            << text;
        EXPECT_FALSE(fs::exists(dir / "out.prf"));
    }
}

TEST_F(PrfToolTest, AnOutputIsReplacedOnlyWhenWholeAndNeverByItsInput) {
    const Bytes file = everyKindOfValue();  // 1.1 KB, its registry text 4.7 KB
    put(dir / "a.prf", file);
    const Bytes oldText = {'o', 'l', 'd'};
    put(dir / "old.reg", oldText);
    put(dir / "old.prf", kHomeProfileFile);

    // The disk fills after 512 bytes: neither output is cut off, nor left behind.
    EXPECT_EQ(run({"to-reg", "a.prf", "old.reg"}, 1), "4 |cannot write old.reg\n");
    ASSERT_EQ(run({"to-reg", "a.prf", "a.reg"}), "0 wrote 2 profile(s) to a.reg\n|");
    EXPECT_EQ(run({"from-reg", "a.reg", "old.prf"}, 1), "4 |cannot write old.prf\n");
    EXPECT_EQ(contents(dir / "old.reg"), oldText);
    EXPECT_EQ(contents(dir / "old.prf"), kHomeProfileFile);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 4) << "no file left beside them";
    ASSERT_EQ(run({"from-reg", "a.reg", "old.prf"}), "0 wrote 2 profile(s) to old.prf\n|");
    EXPECT_EQ(contents(dir / "old.prf"), file) << "replaced once whole";

    // The input under another name, by a hard or a symbolic link, or the output a directory.
    fs::create_hard_link(dir / "a.prf", dir / "hard.reg");
    fs::create_symlink("a.reg", dir / "soft.prf");
    fs::create_directory(dir / "folder.reg");
    EXPECT_EQ(run({"to-reg", "a.prf", "hard.reg"}),
              "7 |hard.reg is the input file itself; nothing written, the input kept as it is\n");
    EXPECT_EQ(run({"from-reg", "a.reg", "soft.prf"}).substr(0, 18), "7 |soft.prf is the");
    EXPECT_EQ(run({"to-reg", "a.prf", "folder.reg"}), "4 |cannot write folder.reg\n");
}

TEST_F(PrfToolTest, InputsAreReadBoundedAndArgumentsOnlyAsUtf8) {
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
    EXPECT_EQ(run({"to-reg", "home.prf", "caf\xC3\xA9.reg"}),
              "0 wrote 1 profile(s) to caf\xC3\xA9.reg\n|");
    EXPECT_TRUE(fs::exists(dir / "caf\xC3\xA9.reg"));
}

}  // namespace
}  // namespace corvane::prf
