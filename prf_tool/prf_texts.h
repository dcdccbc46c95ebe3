// Every text corvane-prf prints, in one place: the tool is built natively too, where there is no
// string table. "{}" stands for an argument, filled in order by fill().
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "prf_tool/reg_text.h"
#include "profiles/profile_file.h"

namespace corvane::prf {

inline constexpr std::u16string_view kUsage =
    u"usage: corvane-prf show FILE.prf\n"
    u"       corvane-prf to-reg FILE.prf OUT.reg\n"
    u"       corvane-prf from-reg IN.reg OUT.prf\n"
    u"\n"
    u"  show      prints the header, every profile and value, and whether Import takes the file\n"
    u"  to-reg    writes the profiles as registry text that regedit imports\n"
    u"  from-reg  writes a profile file from such text\n"
    u"\n"
    u"exit codes: 0 done, 2 usage, 3 cannot read the input, 4 cannot write the output,\n"
    u"            5 damaged profile file, 6 content refused, 7 the output is the input\n";

inline constexpr std::u16string_view kCannotRead = u"cannot read {}\n";
inline constexpr std::u16string_view kTooLarge =
    u"cannot read {}: larger than {} bytes, the most this command reads\n";
inline constexpr std::u16string_view kCannotWrite = u"cannot write {}\n";
inline constexpr std::u16string_view kSameFile =
    u"{} is the input file itself; nothing written, the input kept as it is\n";
inline constexpr std::u16string_view kNotUtf8 = u"argument {} is not valid UTF-8; nothing done\n";
inline constexpr std::u16string_view kDamaged = u"{}: damaged at {}: {}; nothing written\n";
inline constexpr std::u16string_view kLineBreakName =
    u"{}: the name \"{}\" holds a line break, which registry text cannot hold; nothing written\n";
inline constexpr std::u16string_view kRefusedLine = u"{} line {}: {}; nothing written\n";
inline constexpr std::u16string_view kWrote = u"wrote {} profile(s) to {}\n";

inline constexpr std::u16string_view kShowHeader =
    u"header: magic 0x{}, header size {}, {} profile(s) counted\n";
inline constexpr std::u16string_view kShowProfile = u"#{} profile \"{}\"\n";
inline constexpr std::u16string_view kShowValue = u"  #{} \"{}\" {}, {} byte(s): {}\n";
inline constexpr std::u16string_view kShowDword = u"{} (0x{})";
inline constexpr std::u16string_view kShowNoData = u"(none)";
// A logon password is not shown, as nowhere else in the program.
inline constexpr std::u16string_view kShowHidden = u"(hidden)";
inline constexpr std::u16string_view kShowHexBreak = u"\n      ";
inline constexpr std::u16string_view kShowTypeNumber = u"type {}";
inline constexpr std::u16string_view kValid = u"verdict: valid, Import reads {} profile(s)\n";
inline constexpr std::u16string_view kInvalid = u"verdict: damaged at {}: {}\n";
inline constexpr std::u16string_view kAtHeader = u"the header, byte {}";
inline constexpr std::u16string_view kAtRecord = u"record #{}, byte {}";

std::u16string_view reasonOf(FileFault fault);
std::u16string_view reasonOf(RegFault fault);
// REG_SZ and the other names of registry types, or "type N".
std::u16string typeName(std::uint32_t type);

// `text` with each control character (below U+0020, U+007F and U+0080 to U+009F) as "\\xHH": a
// name from a file cannot break a line, fake a verdict or steer the terminal.
std::u16string escaped(std::u16string_view text);
// `format` with each "{}" replaced by the next argument.
std::u16string fill(std::u16string_view format, std::initializer_list<std::u16string_view> args);
// Lower-case hexadecimal, at least `digits` long.
std::u16string hex(std::uint32_t number, int digits = 1);

}  // namespace corvane::prf
