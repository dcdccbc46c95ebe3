// Scripted stand-ins for the user-interface and system seams. The fake user interface reads the
// program's real string table, so tests compare against the exact texts the user sees.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "core/system.h"
#include "core/ui.h"

namespace corvane {

// The STRINGTABLE of resources/corvane.rc, parsed once.
const std::map<int, std::u16string>& appStrings();
// One string of it; empty when there is none.
std::u16string appString(int id);

struct RecordedMessageBox {
    WindowRef owner = 0;
    std::u16string text;
    std::u16string caption;
    std::uint32_t style = 0;
};

class FakeUserInterface : public UserInterface {
  public:
    int loadString(int id, std::span<char16_t> buffer) override;
    int messageBox(WindowRef owner, std::u16string_view text, std::u16string_view caption,
                   std::uint32_t style) override;

    // Answers for the coming message boxes, in order; when none is left the box answers IDOK
    // for OK boxes and IDNO for questions.
    std::deque<int> answers;
    std::vector<RecordedMessageBox> boxes;
    // Every text and event in order, for tests of what comes before what.
    std::vector<std::u16string> events;
};

struct PostedMessage {
    WindowRef window = 0;
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

class FakeSystem : public System {
  public:
    bool platformVersion(PlatformVersion& out) override;
    WindowRef findWindow(std::u16string_view className, std::u16string_view windowName) override;
    bool postMessage(WindowRef window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
    void startProgram(std::u16string_view program, std::u16string_view commandLine) override;

    bool versionKnown = true;
    PlatformVersion version{2, 11};
    // Top-level windows by class name.
    std::map<std::u16string, WindowRef> windows;
    std::vector<PostedMessage> posted;
    std::vector<std::pair<std::u16string, std::u16string>> started;
};

}  // namespace corvane
