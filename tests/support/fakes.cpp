#include "tests/support/fakes.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/text.h"

namespace corvane {
namespace {

// The numeric value of an IDS_ name, from resource.h.
std::map<std::string, int> readResourceIds() {
    std::map<std::string, int> ids;
    std::ifstream header(CORVANE_RESOURCE_DIR "/resource.h");
    std::string line;
    while (std::getline(header, line)) {
        std::istringstream words(line);
        std::string directive, name;
        int value = 0;
        if (words >> directive >> name >> value && directive == "#define") {
            ids[name] = value;
        }
    }
    return ids;
}

// A quoted .rc string: "" is a quote, backslash escapes as windres reads them.
std::string unquote(const std::string& quoted) {
    std::string out;
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        const char c = quoted[i];
        if (c == '"' && quoted[i + 1] == '"') {
            out.push_back('"');
            ++i;
        } else if (c == '\\' && i + 2 < quoted.size()) {
            const char e = quoted[++i];
            out.push_back(e == 'n' ? '\n' : e == 't' ? '\t' : e);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::map<int, std::u16string> parseStringTable() {
    const std::map<std::string, int> ids = readResourceIds();
    std::map<int, std::u16string> strings;
    std::ifstream rc(CORVANE_RESOURCE_DIR "/corvane.rc");
    std::string line;
    bool inTable = false;
    while (std::getline(rc, line)) {
        const auto first = line.find_first_not_of(" \t");
        const std::string trimmed = first == std::string::npos ? "" : line.substr(first);
        if (trimmed.rfind("STRINGTABLE", 0) == 0) {
            inTable = true;
            continue;
        }
        if (!inTable || trimmed.empty() || trimmed.rfind("//", 0) == 0 ||
            trimmed.rfind("BEGIN", 0) == 0 || trimmed == "{") {
            continue;
        }
        if (trimmed.rfind("END", 0) == 0 || trimmed == "}") {
            inTable = false;
            continue;
        }
        const auto quote = trimmed.find('"');
        const auto last = trimmed.rfind('"');
        if (quote == std::string::npos || last == quote) {
            continue;
        }
        std::string name = trimmed.substr(0, quote);
        name.erase(name.find_last_not_of(" \t,") + 1);
        const auto id = ids.find(name);
        const int number = id != ids.end() ? id->second : std::atoi(name.c_str());
        strings[number] = fromUtf8(unquote(trimmed.substr(quote, last - quote + 1)));
    }
    return strings;
}

}  // namespace

const std::map<int, std::u16string>& appStrings() {
    static const std::map<int, std::u16string> strings = parseStringTable();
    return strings;
}

std::u16string appString(int id) {
    const auto found = appStrings().find(id);
    return found != appStrings().end() ? found->second : std::u16string();
}

int FakeUserInterface::loadString(int id, std::span<char16_t> buffer) {
    const std::u16string text = appString(id);
    copyText(buffer, text);
    return buffer.empty() ? 0 : static_cast<int>(textOf(buffer).size());
}

int FakeUserInterface::messageBox(WindowRef owner, std::u16string_view text,
                                  std::u16string_view caption, std::uint32_t style) {
    boxes.push_back({owner, std::u16string(text), std::u16string(caption), style});
    events.push_back(u"message: " + std::u16string(text));
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return (style & 0x0F) == mb::kYesNo ? mb::kIdNo : mb::kIdOk;
}

bool FakeSystem::platformVersion(PlatformVersion& out) {
    if (!versionKnown) {
        return false;
    }
    out = version;
    return true;
}

WindowRef FakeSystem::findWindow(std::u16string_view className, std::u16string_view) {
    const auto found = windows.find(std::u16string(className));
    return found != windows.end() ? found->second : 0;
}

bool FakeSystem::postMessage(WindowRef window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) {
    posted.push_back({window, message, wParam, lParam});
    return true;
}

void FakeSystem::startProgram(std::u16string_view program, std::u16string_view commandLine) {
    started.emplace_back(program, commandLine);
}

}  // namespace corvane
