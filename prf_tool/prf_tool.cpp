#include "prf_tool/prf_tool.h"

#include <cstdio>
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

bool readAll(ByteStream& stream, std::vector<unsigned char>& bytes) {
    unsigned char chunk[4096];
    std::uint32_t got = 0;
    do {
        if (!stream.read(chunk, sizeof chunk, got)) {
            return false;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    } while (got > 0);
    return true;
}

ToolResult show(const std::u16string& path, ToolFiles& files) {
    ByteStream* in = files.open(path);
    if (in == nullptr) {
        return failed(exitcode::kCannotRead, fill(kCannotRead, {path}));
    }
    const FileCheck check = checkProfileFile(*in);
    return {
        check.fault == FileFault::None ? exitcode::kDone : exitcode::kDamaged, showText(check), {}};
}

ToolResult toReg(const std::u16string& path, const std::u16string& outPath, ToolFiles& files) {
    ByteStream* in = files.open(path);
    if (in == nullptr) {
        return failed(exitcode::kCannotRead, fill(kCannotRead, {path}));
    }
    const FileCheck check = checkProfileFile(*in);
    if (check.fault != FileFault::None) {
        return failed(exitcode::kDamaged,
                      fill(kDamaged, {path, placeOf(check), reasonOf(check.fault)}));
    }
    if (const std::u16string* name = lineBreakName(check.profiles)) {
        return failed(exitcode::kRefused, fill(kLineBreakName, {path, *name}));
    }
    const std::vector<unsigned char> text = regTextOf(check.profiles);
    ByteStream* out = files.create(outPath);
    if (out == nullptr || !out->write(text.data(), static_cast<std::uint32_t>(text.size()))) {
        return failed(exitcode::kCannotWrite, fill(kCannotWrite, {outPath}));
    }
    return {exitcode::kDone,
            fill(kWrote, {decimal(static_cast<std::int64_t>(check.profiles.size())), outPath}),
            {}};
}

ToolResult fromReg(const std::u16string& path, const std::u16string& outPath, ToolFiles& files) {
    ByteStream* in = files.open(path);
    std::vector<unsigned char> bytes;
    if (in == nullptr || !readAll(*in, bytes)) {
        return failed(exitcode::kCannotRead, fill(kCannotRead, {path}));
    }
    const RegRead read = readRegText(bytes);
    if (read.fault != RegFault::None) {
        return failed(exitcode::kRefused,
                      fill(kRefusedLine, {path, decimal(read.line), reasonOf(read.fault)}));
    }
    ByteStream* out = files.create(outPath);
    if (out == nullptr || !writeProfileFile(*out, read.profiles)) {
        return failed(exitcode::kCannotWrite, fill(kCannotWrite, {outPath}));
    }
    return {exitcode::kDone,
            fill(kWrote, {decimal(static_cast<std::int64_t>(read.profiles.size())), outPath}),
            {}};
}

}  // namespace

ToolResult runPrfTool(std::span<const std::u16string> args, ToolFiles& files) {
    if (args.size() == 2 && args[0] == u"show") {
        return show(args[1], files);
    }
    if (args.size() == 3 && args[0] == u"to-reg") {
        return toReg(args[1], args[2], files);
    }
    if (args.size() == 3 && args[0] == u"from-reg") {
        return fromReg(args[1], args[2], files);
    }
    return failed(exitcode::kUsage, std::u16string(kUsage));
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
