#include "prf_tool/prf_tool.h"

#include <gtest/gtest.h>

#include <map>

#include "core/registry.h"
#include "core/text.h"
#include "prf_tool/prf_texts.h"
#include "profiles/profile_file.h"
#include "tests/support/example_profile_file.h"
#include "tests/support/memory_stream.h"

namespace corvane::prf {
namespace {

using Bytes = std::vector<unsigned char>;

struct MemoryFiles : ToolFiles {
    ByteStream* open(std::u16string_view path) override {
        const auto found = files.find(std::u16string(path));
        return found != files.end() ? &found->second : nullptr;
    }
    ByteStream* create(std::u16string_view path) override {
        return canCreate ? &(files[std::u16string(path)] = MemoryStream()) : nullptr;
    }
    ToolResult run(std::initializer_list<std::u16string> args) {
        const std::vector<std::u16string> all(args);
        for (auto& [path, stream] : files) {
            stream.seekToStart();
        }
        return runPrfTool(all, *this);
    }

    std::map<std::u16string, MemoryStream> files;
    bool canCreate = true;
};

Bytes chars(std::u16string_view text) {
    Bytes bytes;
    for (const char16_t c : text) {
        bytes.push_back(static_cast<unsigned char>(c));
        bytes.push_back(static_cast<unsigned char>(c >> 8));
    }
    return bytes;
}

std::string utf8Of(const Bytes& utf16) {
    std::u16string text;
    for (std::size_t i = 2; i + 1 < utf16.size(); i += 2) {
        text.push_back(static_cast<char16_t>(utf16[i] | (utf16[i + 1] << 8)));
    }
    return toUtf8(text);
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
    value(u"", regtype::kString, chars(std::u16string(u"default\0", 8)));
    value(u"Path \"q\"", regtype::kString, chars(std::u16string(u"C:\\dir \"q\"\0", 11)));
    value(u"Odd", regtype::kString, {'a', 0, 'b'});
    value(u"Inner", regtype::kString, chars(std::u16string(u"a\0b\0", 4)));
    value(u"Break", regtype::kString, chars(std::u16string(u"a\r\nb\0", 5)));
    value(u"Empty", regtype::kString, {});
    value(u"Expand", 2, chars(std::u16string(u"%TEMP%\0", 7)));
    value(u"Servers", regtype::kMultiString,
          chars(std::u16string(u"10.0.0.1\0"
                               u"10.0.0.2\0\0",
                               19)));
    value(u"Port", regtype::kDword, {10, 0, 0, 0});
    value(u"Short", regtype::kDword, {1, 2, 3});
    value(u"NoData", regtype::kBinary, {});
    value(u"Quad", 11, {1, 2, 3, 4, 5, 6, 7, 8});
    Bytes blob(kMaxDataBytes);
    for (std::size_t i = 0; i < blob.size(); ++i) {
        blob[i] = static_cast<unsigned char>(i * 7);
    }
    value(u"Blob", regtype::kBinary, blob);
    value(u"Password", regtype::kString, chars(std::u16string(u"secret\0", 7)));
    file.writeRecord(kProfileRecord, u"Quiet");
    file.writeHeader(2);
    return stream.bytes;
}

TEST(PrfToolTest, RegistryTextKeepsEveryValuesTypeAndBytes) {
    MemoryFiles files;
    files.files[u"a.prf"].bytes = everyKindOfValue();
    ASSERT_EQ(files.run({u"to-reg", u"a.prf", u"a.reg"}).code, exitcode::kDone);
    const Bytes& reg = files.files[u"a.reg"].bytes;
    ASSERT_GE(reg.size(), 2u);
    EXPECT_EQ(reg[0], 0xFF);
    EXPECT_EQ(reg[1], 0xFE);
    const std::string text = utf8Of(reg);
    const std::string key = "[HKEY_CURRENT_USER\\Software\\Tavelorn\\Corvane\\1.2\\Profiles";
    EXPECT_EQ(
        text.find("Windows Registry Editor Version 5.00\r\n\r\n" + key + "]\r\n\r\n" + key +
                  "\\Lab [2]]\r\n@=\"default\"\r\n\"Path \\\"q\\\"\"=\"C:\\\\dir \\\"q\\\"\"\r\n"),
        0u);
    for (const char* line :
         {"\"Odd\"=hex(1):61,00,62\r\n", "\"Inner\"=hex(1):61,00,00,00,62,00",
          "\"Break\"=hex(1):61,00,0d,00,0a,00,62,00,00,00\r\n", "\"Empty\"=hex(1):\r\n",
          "\"Expand\"=hex(2):25,00", "\"Servers\"=hex(7):31,00", "\"Port\"=dword:0000000a\r\n",
          "\"Short\"=hex(4):01,02,03\r\n", "\"NoData\"=hex:\r\n",
          "\"Quad\"=hex(b):01,02,03,04,05,06,07,08\r\n", "\"Blob\"=hex:00,07,0e,",
          "\r\n\r\n[HKEY_CURRENT_USER\\Software\\Tavelorn"
          "\\Corvane\\1.2\\Profiles\\Quiet]\r\n\r\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    // regedit's wrapping: lines of at most 80 characters, continued with ",\" on indented lines.
    std::size_t continued = 0;
    for (std::size_t start = 0, end = 0; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        const std::string line = text.substr(start, end - start);
        EXPECT_LE(line.size(), 80u) << line;
        if (line.ends_with(",\\")) {
            ++continued;
            EXPECT_EQ(text.substr(end + 2, 2), "  ");
        }
    }
    EXPECT_GT(continued, 512u / 25);

    ASSERT_EQ(files.run({u"from-reg", u"a.reg", u"b.prf"}).code, exitcode::kDone);
    EXPECT_EQ(files.files[u"b.prf"].bytes, files.files[u"a.prf"].bytes) << "byte for byte";

    const ToolResult shown = files.run({u"show", u"a.prf"});
    EXPECT_EQ(shown.code, exitcode::kDone);
    for (const char* line :
         {"#0 profile \"Lab [2]\"\n", "\"\" REG_SZ, 16 byte(s): \"default\"\n",
          "\"Break\" REG_SZ, 10 byte(s): 61 00 0d 00 0a 00 62 00 00 00\n",
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
    Bytes damaged = kHomeProfileFile;
    damaged[64] = 0x02;  // the value's data size: 0x202 bytes
    damaged[65] = 0x02;
    files.files[u"d.prf"].bytes = damaged;
    const ToolResult shown = files.run({u"show", u"d.prf"});
    EXPECT_EQ(shown.code, exitcode::kDamaged);
    EXPECT_EQ(toUtf8(shown.out),
              "header: magic 0x99090001, header size 20, 1 profile(s) counted\n"
              "#0 profile \"Home\"\n"
              "verdict: damaged at record #1, byte 38: data over 512 bytes\n");

    const ToolResult converted = files.run({u"to-reg", u"d.prf", u"d.reg"});
    EXPECT_EQ(converted.code, exitcode::kDamaged);
    EXPECT_NE(toUtf8(converted.error).find("record #1, byte 38"), std::string::npos);
    EXPECT_FALSE(files.files.contains(u"d.reg"));

    EXPECT_EQ(files.run({u"show"}).code, exitcode::kUsage);
    EXPECT_EQ(files.run({u"convert", u"d.prf", u"d.reg"}).code, exitcode::kUsage);
    EXPECT_EQ(files.run({u"show", u"gone.prf"}).code, exitcode::kCannotRead);
    files.files[u"home.prf"].bytes = kHomeProfileFile;
    files.canCreate = false;
    EXPECT_EQ(files.run({u"to-reg", u"home.prf", u"h.reg"}).code, exitcode::kCannotWrite);
}

TEST(PrfToolTest, RegistryTextOtherThanProfilesIsRefusedByLine) {
    const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
    const std::string profiles = "[HKEY_CURRENT_USER\\Software\\Tavelorn\\Corvane\\1.2\\Profiles";
    const std::string home = profiles + "\\Home]\r\n";
    struct Case {
        std::string text;
        int line;
        RegFault fault;
    };
    std::string tooMuch = "01";  // 513 bytes
    for (int i = 0; i < 512; ++i) {
        tooMuch += ",01";
    }
    for (const Case& c : std::vector<Case>{
             {"REGEDIT4\r\n\r\n" + home, 1, RegFault::NoHeader},
             {header + "[HKEY_CURRENT_USER\\Software\\Tavelorn]\r\n", 3, RegFault::KeyOutside},
             {header + home + "\"A\"=dword:1\r\n" + profiles + "\\Home\\Deeper]\r\n", 5,
              RegFault::KeyOutside},
             {header + "[-" + home.substr(1), 3, RegFault::Deletion},
             {header + home + "\"A\"=-\r\n", 4, RegFault::Deletion},
             {header + profiles + "]\r\n\"A\"=dword:1\r\n", 4, RegFault::ValueOutside},
             {header + home + "; a comment\r\n\r\nA=1\r\n", 6, RegFault::Malformed},
             {header + home + "\"A\"=dword:123456789\r\n", 4, RegFault::BadData},
             {header + home + "\"A\"=hex:01,\\\r\n  02,\\\r\n  03\r\n\"B\"=hex:0g\r\n", 7,
              RegFault::BadData},
             {header + profiles + "\\" + std::string(256, 'n') + "]\r\n", 3, RegFault::NameTooLong},
             {header + home + "\"" + std::string(260, 'n') + "\"=\"\"\r\n", 4,
              RegFault::NameTooLong},
             {header + home + "\"A\"=hex(3):" + tooMuch + "\r\n", 4, RegFault::DataTooLong},
             {header + profiles + "]\r\n", 4, RegFault::NoProfile},
         }) {
        MemoryFiles files;
        files.files[u"in.reg"].bytes = Bytes(c.text.begin(), c.text.end());
        const ToolResult result = files.run({u"from-reg", u"in.reg", u"out.prf"});
        EXPECT_EQ(result.code, exitcode::kRefused) << c.text;
        const std::string expected = "in.reg line " + std::to_string(c.line) + ": " +
                                     toUtf8(reasonOf(c.fault)) + "; nothing written\n";
        EXPECT_EQ(toUtf8(result.error), expected) << c.text;
        EXPECT_FALSE(files.files.contains(u"out.prf"));
    }
}

}  // namespace
}  // namespace corvane::prf
