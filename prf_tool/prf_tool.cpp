#include "prf_tool/prf_tool.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "core/text.h"
#include "prf_tool/prf_show.h"
#include "prf_tool/prf_texts.h"
#include "prf_tool/reg_text.h"
#include "profiles/profile_file.h"

namespace corvane::prf {
namespace {

ToolResult failed(int code, std::u16string error) {
    return {code, {}, std::move(error)};
}

// The whole input, or the refusal when it cannot be read or holds more than `limit` bytes.
std::optional<ToolResult> readInput(const std::u16string& path, std::uint64_t limit,
                                    ToolFiles& files, std::vector<unsigned char>& bytes) {
    switch (files.read(path, limit, bytes)) {
        case FileRead::Read:
            return std::nullopt;
        case FileRead::TooLarge:
            return failed(exitcode::kCannotRead,
                          fill(kTooLarge, {path, decimal(static_cast<std::int64_t>(limit))}));
        case FileRead::CannotRead:
            break;
    }
    return failed(exitcode::kCannotRead, fill(kCannotRead, {path}));
}

ToolResult show(const std::u16string& path, ToolFiles& files) {
    std::vector<unsigned char> bytes;
    if (auto refused = readInput(path, kMaxProfileFileBytes, files, bytes)) {
        return *refused;
    }
    const FileCheck check = checkProfileFile(bytes);
    return {
        check.fault == FileFault::None ? exitcode::kDone : exitcode::kDamaged, showText(check), {}};
}

ToolResult written(std::size_t profiles, const std::u16string& outPath) {
    return {
        exitcode::kDone, fill(kWrote, {decimal(static_cast<std::int64_t>(profiles)), outPath}), {}};
}

ToolResult toReg(const std::u16string& path, const std::u16string& outPath, ToolFiles& files) {
    std::vector<unsigned char> bytes;
    if (auto refused = readInput(path, kMaxProfileFileBytes, files, bytes)) {
        return *refused;
    }
    const FileCheck check = checkProfileFile(bytes);
    if (check.fault != FileFault::None) {
        return failed(exitcode::kDamaged,
                      fill(kDamaged, {path, placeOf(check), reasonOf(check.fault)}));
    }
    if (const std::u16string* name = lineBreakName(check.profiles)) {
        return failed(exitcode::kRefused, fill(kLineBreakName, {path, escaped(*name)}));
    }
    if (!files.replace(outPath, regTextOf(check.profiles))) {
        return failed(exitcode::kCannotWrite, fill(kCannotWrite, {outPath}));
    }
    return written(check.profiles.size(), outPath);
}

ToolResult fromReg(const std::u16string& path, const std::u16string& outPath, ToolFiles& files) {
    std::vector<unsigned char> bytes;
    if (auto refused = readInput(path, kMaxRegTextBytes, files, bytes)) {
        return *refused;
    }
    const RegRead read = readRegText(bytes);
    if (read.fault != RegFault::None) {
        return failed(exitcode::kRefused,
                      fill(kRefusedLine, {path, decimal(read.line), reasonOf(read.fault)}));
    }
    if (!files.replace(outPath, writeProfileFile(read.profiles))) {
        return failed(exitcode::kCannotWrite, fill(kCannotWrite, {outPath}));
    }
    return written(read.profiles.size(), outPath);
}

}  // namespace

ToolResult runPrfTool(std::span<const std::u16string> args, ToolFiles& files) {
    if (args.size() == 2 && args[0] == u"show") {
        return show(args[1], files);
    }
    const bool converts = args.size() == 3 && (args[0] == u"to-reg" || args[0] == u"from-reg");
    if (!converts) {
        return failed(exitcode::kUsage, std::u16string(kUsage));
    }
    // Replacing the input with its own conversion would lose it.
    if (files.same(args[1], args[2])) {
        return failed(exitcode::kSameFile, fill(kSameFile, {args[2]}));
    }
    return args[0] == u"to-reg" ? toReg(args[1], args[2], files) : fromReg(args[1], args[2], files);
}

ToolResult notUtf8Argument(int index) {
    return failed(exitcode::kUsage, fill(kNotUtf8, {decimal(index)}));
}

int printResult(const ToolResult& result) {
    for (const auto& [to, text] :
         {std::pair{stdout, &result.out}, std::pair{stderr, &result.error}}) {
        const std::string utf8 = toUtf8(*text);
        std::fwrite(utf8.data(), 1, utf8.size(), to);
    }
    return result.code;
}

}  // namespace corvane::prf
