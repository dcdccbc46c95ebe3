#include "prf_tool/prf_tool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "core/registry.h"
#include "core/text.h"
#include "prf_tool/prf_texts.h"
#include "profiles/profile_file.h"
#include "tests/support/example_profile_file.h"
#include "tests/support/memory_stream.h"
#include "tests/support/registry_helpers.h"

namespace corvane::prf {
namespace {

using Bytes = std::vector<unsigned char>;

const std::string kProfilesKey = "[HKEY_CURRENT_USER\\Software\\Tavelorn\\Corvane\\1.2\\Profiles";

struct MemoryFiles : ToolFiles {
    ByteStream* open(std::u16string_view path) override {
        const auto found = files.find(std::u16string(path));
        return found != files.end() && found->second.seekToStart() ? &found->second : nullptr;
    }
    ByteStream* create(std::u16string_view path) override {
        return canCreate ? &(files[std::u16string(path)] = MemoryStream()) : nullptr;
    }
    ToolResult run(const std::vector<std::u16string>& args) { return runPrfTool(args, *this); }

    std::map<std::u16string, MemoryStream> files;
    bool canCreate = true;
};

// A literal's characters and its closing zero, in the host's byte order: little-endian, as a file.
template <std::size_t N>
Bytes chars(const char16_t (&text)[N]) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    return Bytes(bytes, bytes + 2 * N);
}

// Every kind of value a profile key can hold, as an export writes it.
Bytes everyKindOfValue() {
    MemoryStream stream;
    ProfileFile file(stream);
    file.writeHeader(2);
    file.writeRecord(kProfileRecord, u"Lab [2]");
    const auto value = [&](std::u16string_view name, std::uint32_t type, const Bytes& data) {
        file.writeRecord(kValueRecord, name, data, type);
    };
    value(u"", regtype::kString, chars(u"default"));
    value(u"Path \"q\"", regtype::kString, chars(u"C:\\dir \"q\""));
    value(u"Odd", regtype::kString, {'a', 0, 0, 0, 0});  // "a", its zero and half a character
    value(u"Inner", regtype::kString, chars(u"a\0b"));
    value(u"Break", regtype::kString, chars(u"a\r\nb"));
    value(u"Empty", regtype::kString, {});
    value(u"Expand", 2, chars(u"%TEMP%"));
    value(u"Servers", regtype::kMultiString,
          chars(u"10.0.0.1\0"
                u"10.0.0.2\0"));
    value(u"Port", regtype::kDword, {10, 0, 0, 0});
    value(u"Short", regtype::kDword, {1, 2, 3});
    value(u"NoData", regtype::kBinary, {});
    value(u"Quad", 11, {1, 2, 3, 4, 5, 6, 7, 8});
    Bytes blob(kMaxDataBytes);  // every byte value, twice
    std::generate(blob.begin(), blob.end(), [i = 0]() mutable { return i++ * 7; });
    value(u"Blob", regtype::kBinary, blob);
    value(u"Password", regtype::kString, chars(u"secret"));
    file.writeRecord(kProfileRecord, u"Quiet");
    return stream.bytes;
}

TEST(PrfToolTest, RegistryTextKeepsEveryValuesTypeAndBytes) {
    MemoryFiles files;
    files.files[u"a.prf"].bytes = everyKindOfValue();
    ASSERT_EQ(files.run({u"to-reg", u"a.prf", u"a.reg"}).code, exitcode::kDone);
    const Bytes& reg = files.files[u"a.reg"].bytes;
    // The text after its byte-order mark, which from-reg needs to read it as UTF-16.
    const std::string text = toUtf8(RawValue{0, 0, Bytes(reg.begin() + 2, reg.end())}.chars());
    EXPECT_TRUE(text.starts_with("Windows Registry Editor Version 5.00\r\n\r\n" + kProfilesKey +
                                 "]\r\n\r\n" + kProfilesKey + "\\Lab [2]]\r\n@=\"default\"\r\n" +
                                 "\"Path \\\"q\\\"\"=\"C:\\\\dir \\\"q\\\"\"\r\n"));
    for (const char* line :
         {"\"Inner\"=hex(1):61,00,00,00,62,00,00,00\r\n", "\"Port\"=dword:0000000a\r\n",
          "\"Quad\"=hex(b):01,02,03,04,05,06,07,08\r\n", "\"Blob\"=hex:00,07,0e,"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    EXPECT_TRUE(text.ends_with("\r\n\r\n" + kProfilesKey + "\\Quiet]\r\n\r\n"));
    // regedit's wrapping: lines of at most 80 characters, continued with ",\" on indented lines.
    std::size_t continued = 0;
    for (std::size_t start = 0, end = 0; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
        continued += text.compare(end - 2, 2, ",\\") == 0 && text.compare(end + 2, 2, "  ") == 0;
    }
    EXPECT_GT(continued, 512u / 25);

    ASSERT_EQ(files.run({u"from-reg", u"a.reg", u"b.prf"}).code, exitcode::kDone);
    EXPECT_EQ(files.files[u"b.prf"].bytes, files.files[u"a.prf"].bytes) << "byte for byte";

    const ToolResult shown = files.run({u"show", u"a.prf"});
    EXPECT_EQ(shown.code, exitcode::kDone);
    for (const char* line :
         {"\"\" REG_SZ, 16 byte(s): \"default\"\n",
          "\"Expand\" REG_EXPAND_SZ, 14 byte(s): \"%TEMP%\"\n",
          "\"Servers\" REG_MULTI_SZ, 38 byte(s): [\"10.0.0.1\", \"10.0.0.2\"]\n",
          "#9 \"Port\" REG_DWORD, 4 byte(s): 10 (0x0000000a)\n",
          "\"Short\" REG_DWORD, 3 byte(s): 01 02 03\n", "#15 profile \"Quiet\"\n",
          "\"Password\" REG_SZ, 14 byte(s): (hidden)\n",
          "verdict: valid, Import reads 2 profile(s)\n"}) {
        EXPECT_NE(toUtf8(shown.out).find(line), std::string::npos) << line;
    }
}

TEST(PrfToolTest, AFileImportWouldRefuseIsShownToItsFaultAndNeverConverted) {
    MemoryFiles files;
    Bytes& damaged = files.files[u"d.prf"].bytes = kHomeProfileFile;
    damaged[64] = damaged[65] = 0x02;  // the value's data size: 0x202 bytes
    const ToolResult shown = files.run({u"show", u"d.prf"});
    EXPECT_EQ(shown.code, exitcode::kDamaged);
    EXPECT_EQ(toUtf8(shown.out),
              "header: magic 0x99090001, header size 20, 1 profile(s) counted\n"
              "#0 profile \"Home\"\n"
              "verdict: damaged at record #1, byte 38: data over 512 bytes\n");
    const ToolResult converted = files.run({u"to-reg", u"d.prf", u"out.reg"});
    EXPECT_EQ(converted.code, exitcode::kDamaged);
    EXPECT_NE(toUtf8(converted.error).find("record #1, byte 38"), std::string::npos);
    // A name with a line break, which no line of registry text can hold.
    Bytes& named = files.files[u"n.prf"].bytes = kHomeProfileFile;
    named[48] = '\n';  // the value's name "UseProxy" as "U\neProxy"
    EXPECT_EQ(files.run({u"to-reg", u"n.prf", u"out.reg"}).code, exitcode::kRefused);
    EXPECT_FALSE(files.files.contains(u"out.reg"));

    EXPECT_EQ(files.run({u"show"}).code, exitcode::kUsage);
    EXPECT_EQ(files.run({u"convert", u"d.prf", u"d.reg"}).code, exitcode::kUsage);
    EXPECT_EQ(files.run({u"show", u"gone.prf"}).code, exitcode::kCannotRead);
    files.files[u"home.prf"].bytes = kHomeProfileFile;
    files.canCreate = false;
    EXPECT_EQ(files.run({u"to-reg", u"home.prf", u"h.reg"}).code, exitcode::kCannotWrite);
}

TEST(PrfToolTest, RegistryTextOtherThanProfilesIsRefusedByLine) {
    const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
    const std::string home = kProfilesKey + "\\Home]\r\n";
    std::string tooMuch = "01";  // 513 bytes
    for (int i = 0; i < 512; ++i) {
        tooMuch += ",01";
    }
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
             {header + home + "\"A\"=hex(3):" + tooMuch + "\r\n", 4, RegFault::DataTooLong},
             {header + kProfilesKey + "]\r\n", 4, RegFault::NoProfile},
         }) {
        MemoryFiles files;
        files.files[u"in.reg"].bytes = Bytes(text.begin(), text.end());
        const ToolResult result = files.run({u"from-reg", u"in.reg", u"out.prf"});
        EXPECT_EQ(result.code, exitcode::kRefused) << text;
        EXPECT_EQ(toUtf8(result.error), "in.reg line " + std::to_string(line) + ": " +
                                            toUtf8(reasonOf(fault)) + "; nothing written\n")
            << text;
        EXPECT_FALSE(files.files.contains(u"out.prf"));
    }
}

}  // namespace
}  // namespace corvane::prf
