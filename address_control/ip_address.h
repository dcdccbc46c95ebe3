// The portable half of the dotted address control: the text form of an address, the value of a
// field, the leading-zeros rule, the range message, the field keyboard's decision table, the
// answers to the IPM_ messages and the owner's focus notifications. The window half
// (ip_address_control_win32) only carries out what these functions decide.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace corvane {

inline constexpr int kAddressFields = 4;
inline constexpr int kFieldMaxChars = 3;
// A buffer that holds any address text "%d.%d.%d.%d", the zero included.
inline constexpr int kAddressTextChars = 16;

// Control style bits read at creation.
inline constexpr std::uint32_t kIpsRight = 0x0002;
inline constexpr std::uint32_t kIpsCenter = 0x0004;
inline constexpr std::uint32_t kIpsLeadingZeros = 0x0008;

// The control's messages. <commctrl.h> defines the same names with the same numbers as macros;
// where it came first, its definitions serve.
#ifndef IPM_CLEARADDRESS
inline constexpr std::uint32_t IPM_CLEARADDRESS = 1124;
inline constexpr std::uint32_t IPM_SETADDRESS = 1125;
inline constexpr std::uint32_t IPM_GETADDRESS = 1126;
inline constexpr std::uint32_t IPM_SETRANGE = 1127;
inline constexpr std::uint32_t IPM_SETFOCUS = 1128;
inline constexpr std::uint32_t IPM_ISBLANK = 1129;
#endif
static_assert(IPM_CLEARADDRESS == 1124 && IPM_ISBLANK == 1129);
// What IPM_GETADDRESS answers when a field holds a value outside its range (possible after the
// focus left the field by a tap): no address is composed from it.
inline constexpr int kAddressOutOfRange = -1;

// The virtual keys the fields handle (the platform's numbers).
inline constexpr int kKeyEnd = 0x23;
inline constexpr int kKeyHome = 0x24;
inline constexpr int kKeyLeft = 0x25;
inline constexpr int kKeyUp = 0x26;
inline constexpr int kKeyRight = 0x27;
inline constexpr int kKeyDown = 0x28;

// True when `text` is a usable dotted address: four non-empty decimal parts of 0 to 255 (leading
// zeros accepted), never "0.0.0.0"; the empty text only with `allowBlank`.
bool IsValidAddressText(std::u16string_view text, bool allowBlank);

// The address value of a valid address text (first part in the most significant byte); false,
// and 0, for empty or invalid text, which the control shows as blank.
bool parseAddressText(std::u16string_view text, std::uint32_t& address);

// "%d.%d.%d.%d" of the four bytes, most significant first; returns the characters written.
int formatAddress(std::uint32_t address, std::span<char16_t> buffer);

// One field as read from its edit (at most three characters).
struct FieldValue {
    bool blank = true;
    int value = 0;  // the leading decimal digits; 0 when the text does not start with one
};
FieldValue readFieldValue(std::u16string_view text);

struct FieldRange {
    std::uint8_t minValue = 0;
    std::uint8_t maxValue = 255;
};
bool inRange(const FieldValue& field, const FieldRange& range);

// The text of four fields as the user sees them: empty when all are blank, else "%d.%d.%d.%d"
// of the values, blanks as 0. Out-of-range values appear as typed, so the text is then invalid.
int formatFields(std::span<const FieldValue, kAddressFields> fields, std::span<char16_t> buffer);

// The leading-zeros rule: a field of one or two characters is right-aligned in three positions
// filled with "0". False (and `out` untouched) when the text is left alone.
bool padWithZeros(std::u16string_view text, std::span<char16_t, kFieldMaxChars + 1> out);

// The caret and selection of a field's edit, as EM_GETSEL and EM_LINELENGTH give them.
struct FieldCaret {
    int start = 0;
    int end = 0;
    int length = 0;
    bool nothingSelected() const { return start == end; }
};

enum class FieldActionKind {
    Pass,           // the edit's own handling of the message as it came
    PassKey,        // the edit's own handling, with `key` instead of the key that came
    Ignore,         // dropped silently
    Beep,           // dropped with a beep
    Digit,          // the edit inserts it; then decideAfterDigit decides what follows
    Move,           // range check of this field; when it passes, focus `target` and select
    Check,          // range check of this field, nothing after it
    CheckThenBeep,  // range check of this field; when it passes, beep (no field after it)
    MoveAndDelete,  // Move, then delete the last character of `target` when it has any
};

struct FieldAction {
    FieldActionKind kind = FieldActionKind::Pass;
    int target = 0;
    int selStart = 0;
    int selEnd = 0;
    int key = 0;
    bool operator==(const FieldAction&) const = default;
};

// What a field does with WM_CHAR `ch` in field `field` (0 to 3).
FieldAction decideChar(char16_t ch, int field, const FieldCaret& caret);
// What a field does with WM_KEYDOWN `key`, `ctrl` telling whether Control is held.
FieldAction decideKeyDown(int key, bool ctrl, int field, const FieldCaret& caret);
// After the edit inserted a digit: a full field (caret at 3, nothing selected) is checked and,
// before the last field, left for the next one with its text selected.
FieldAction decideAfterDigit(int field, const FieldCaret& caretAfter);

// The range message from its format: the value typed, then the field's minimum and maximum.
int formatRangeMessage(std::u16string_view format, const FieldValue& value, const FieldRange& range,
                       std::span<char16_t> buffer);

// What the four fields hold when an IPM_ message comes.
struct AddressFields {
    std::array<FieldValue, kAddressFields> values{};  // from each field's first line
    std::array<bool, kAddressFields> empty{};         // no text at all, not only on the first line
    std::array<FieldRange, kAddressFields> ranges{};
};

// An IPM_ message's answer and what the window half changes for it.
struct AddressReply {
    std::intptr_t result = 0;
    bool setTexts = false;  // every field's text becomes its `texts` entry
    std::array<std::array<char16_t, kFieldMaxChars + 1>, kAddressFields> texts{};
    int rangeField = -1;  // this field's range becomes `range`
    FieldRange range;
    int focusField = -1;        // this field takes the focus, its text selected
    bool writeAddress = false;  // `address` goes where lParam points, when it points anywhere
    std::uint32_t address = 0;
};
// IPM_GETADDRESS answers the number of non-blank fields (a blank one stands for 0), or
// kAddressOutOfRange and address 0 when a field is outside its range: a value such as 300 is never
// folded into a byte. IPM_ISBLANK answers 1 when no field holds any text. IPM_SETRANGE with an
// index of 4 or more changes nothing; IPM_SETFOCUS with one focuses the first blank field, or
// field 0. The other IPM_ messages answer 1, any other message 0.
AddressReply answerAddressMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam, const AddressFields& fields);

// What the owner hears when one of the fields gains or loses the focus: the focus entering the
// control and leaving it, once each; not moves between fields, nor the range message taking the
// focus for a while. `hasFocus` is the control's record of the focus being inside it.
enum class OwnerNote { None, SetFocus, KillFocus };
OwnerNote noteFocus(bool gained, bool focusInFields, bool inRangeMessage, bool& hasFocus);

}  // namespace corvane
