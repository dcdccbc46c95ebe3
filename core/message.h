// What the user is told: a text of the string table, with at most one "%s", and the kind of box.
// Portable code returns these; the Win32 layer shows them as message boxes captioned "Corvane".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Message box styles and answers, with the platform's numbers.
namespace mb {
inline constexpr std::uint32_t kOk = 0x00;
inline constexpr std::uint32_t kYesNo = 0x04;
inline constexpr std::uint32_t kIconQuestion = 0x20;
inline constexpr std::uint32_t kIconExclamation = 0x30;
inline constexpr std::uint32_t kIconInformation = 0x40;
inline constexpr std::uint32_t kIconMask = 0xF0;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
}  // namespace mb

struct Message {
    int textId = 0;
    std::u16string argument;  // takes the place of the text's "%s"
    std::uint32_t style = mb::kOk | mb::kIconExclamation;

    bool operator==(const Message&) const = default;
};
using Messages = std::vector<Message>;

// A failure: OK with the exclamation icon.
inline Message failure(int textId, std::u16string_view argument = {}) {
    return {textId, std::u16string(argument), mb::kOk | mb::kIconExclamation};
}
// A completion: OK with the information icon.
inline Message notice(int textId, std::u16string_view argument = {}) {
    return {textId, std::u16string(argument), mb::kOk | mb::kIconInformation};
}
// A question: Yes and No with the question icon; only Yes counts as yes.
inline Message question(int textId, std::u16string_view argument = {}) {
    return {textId, std::u16string(argument), mb::kYesNo | mb::kIconQuestion};
}

// A completion, which a quiet command line leaves untold.
inline bool isNotice(const Message& message) {
    return (message.style & mb::kIconMask) == mb::kIconInformation;
}

}  // namespace corvane
