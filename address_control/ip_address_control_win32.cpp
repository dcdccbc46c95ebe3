#include "address_control/ip_address_control_win32.h"

#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <new>

#include "address_control/ip_address.h"
#include "core/text.h"
#include "platform/owned_handle_win32.h"
#include "platform/wide_text_win32.h"
#include "resources/resource.h"

namespace corvane {
namespace {

static_assert(IPM_CLEARADDRESS == 1124 && IPM_SETADDRESS == 1125 && IPM_GETADDRESS == 1126 &&
              IPM_SETRANGE == 1127 && IPM_SETFOCUS == 1128 && IPM_ISBLANK == 1129);

// Style bits read at creation.
constexpr DWORD kStyleRight = 0x0002;
constexpr DWORD kStyleCenter = 0x0004;
constexpr DWORD kStyleLeadingZeros = 0x0008;

constexpr int kLastField = kAddressFields - 1;
// What IPM_GETADDRESS answers when a field holds a value outside its range (possible after the
// focus left the field by a tap): no address is composed from it, so 300 never spills into the
// byte before it.
constexpr LRESULT kOutOfRange = -1;

struct Field {
    HWND edit;
    WNDPROC editProc;  // the edit's own procedure, which gets what the field does not handle
    FieldRange range;
};

// One control's state, in its window slot 0 from WM_CREATE to WM_DESTROY.
struct IpAddressControl {
    HWND owner;  // hears the focus entering and leaving the control
    int fieldWidth;
    int dotWidth;
    DWORD style;
    bool enabled;
    bool painted;
    bool inRangeMessage;  // the range message takes the focus for a while: the owner hears nothing
    bool hasFocus;        // the owner heard the focus come in and not yet leave
    Field fields[kAddressFields];
};

IpAddressControl* stateOf(HWND control) {
    return reinterpret_cast<IpAddressControl*>(GetWindowLongPtrW(control, 0));
}

// The first line of a field, at most three characters.
std::u16string_view fieldText(HWND edit, std::span<char16_t, kFieldMaxChars + 1> buffer) {
    buffer[0] = kFieldMaxChars;  // EM_GETLINE reads the capacity from the buffer's first word
    const auto count = SendMessageW(edit, EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer.data()));
    const std::size_t length = count > 0 && count <= kFieldMaxChars ? std::size_t(count) : 0;
    buffer[length] = u'\0';
    return std::u16string_view(buffer.data(), length);
}

FieldValue fieldValue(HWND edit) {
    char16_t buffer[kFieldMaxChars + 1];
    return readFieldValue(fieldText(edit, buffer));
}

bool isEmpty(HWND edit) {
    return GetWindowTextLengthW(edit) == 0;
}

// A field's selection and the length of its text.
struct Caret {
    int start = 0;
    int end = 0;
    int length = 0;
    bool nothingSelected() const { return start == end; }
    bool at(int position) const { return start == position && end == position; }
};

Caret caretOf(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto length = SendMessageW(edit, EM_LINELENGTH, 0, 0);
    return {static_cast<int>(start), static_cast<int>(end), static_cast<int>(length)};
}

void select(HWND edit, int start, int end) {
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void focusField(const Field& field, int start, int end) {
    SetFocus(field.edit);
    select(field.edit, start, end);
}

void beep() {
    MessageBeep(0xFFFFFFFF);
}

void applyLeadingZeros(const IpAddressControl& state, int i) {
    if ((state.style & kStyleLeadingZeros) == 0) {
        return;
    }
    char16_t text[kFieldMaxChars + 1];
    char16_t padded[kFieldMaxChars + 1];
    if (padWithZeros(fieldText(state.fields[i].edit, text), padded)) {
        SetWindowTextW(state.fields[i].edit, wide(padded));
    }
}

// The range message, owned by the control's parent (the page).
void showRangeMessage(HWND control, const FieldValue& value, const Field& field) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(control, GWLP_HINSTANCE));
    wchar_t format[260] = {};
    wchar_t caption[20] = {};
    LoadStringW(instance, IDS_FIELD_RANGE, format, 260);
    LoadStringW(instance, IDS_PRODUCT_NAME, caption, 20);
    char16_t text[320];
    formatRangeMessage(utf16(std::wstring_view(format)), value, field.range, text);
    MessageBoxW(GetParent(control), wide(text), caption, MB_OK | MB_ICONEXCLAMATION);
}

// True when field i may be left: empty or within its range. Otherwise the user is told, and the
// field keeps the focus with its text selected.
bool rangeCheck(HWND control, IpAddressControl& state, int i) {
    const Field& field = state.fields[i];
    const FieldValue value = fieldValue(field.edit);
    if (inRange(value, field.range)) {
        applyLeadingZeros(state, i);
        return true;
    }
    if (GetParent(control) == nullptr) {
        return true;
    }
    state.inRangeMessage = true;
    showRangeMessage(control, value, field);
    state.inRangeMessage = false;
    if (GetFocus() != field.edit) {
        SetFocus(field.edit);
    }
    select(field.edit, 0, kFieldMaxChars);
    return false;
}

// Leaves field `from` for field `to`, selecting `start` to `end` there, when `from` passes its
// range check.
bool moveField(HWND control, IpAddressControl& state, int from, int to, int start, int end) {
    if (!rangeCheck(control, state, from)) {
        return false;
    }
    focusField(state.fields[to], start, end);
    return true;
}

LRESULT fieldChar(HWND control, IpAddressControl& state, int i, WPARAM ch, LPARAM lParam) {
    const Field& field = state.fields[i];
    const Caret caret = caretOf(field.edit);
    if (ch >= L'0' && ch <= L'9') {
        const LRESULT result = CallWindowProcW(field.editProc, field.edit, WM_CHAR, ch, lParam);
        // A field the digit filled is checked and, before the last one, left for the next.
        if (caretOf(field.edit).at(kFieldMaxChars) && rangeCheck(control, state, i) &&
            i < kLastField) {
            focusField(state.fields[i + 1], 0, kFieldMaxChars);
        }
        return result;
    }
    switch (ch) {
        case L'.':
        case L' ':
            // Never inserted; nothing at all at the start of a field or on a selection.
            if (caret.nothingSelected() && caret.start > 0 && rangeCheck(control, state, i)) {
                if (i < kLastField) {
                    focusField(state.fields[i + 1], 0, kFieldMaxChars);
                } else {
                    beep();
                }
            }
            return 0;
        case L'\b':
            if (i > 0 && caret.at(0)) {
                // Across to the end of the field before, taking its last character.
                const HWND previous = state.fields[i - 1].edit;
                if (moveField(control, state, i, i - 1, kFieldMaxChars, kFieldMaxChars) &&
                    SendMessageW(previous, EM_LINELENGTH, 0, 0) > 0) {
                    SendMessageW(previous, WM_CHAR, ch, lParam);
                }
                return 0;
            }
            break;
        default:
            if (ch > L' ') {
                beep();
                return 0;
            }
            break;  // control characters, the clipboard keys among them, belong to the edit
    }
    return CallWindowProcW(field.editProc, field.edit, WM_CHAR, ch, lParam);
}

LRESULT fieldKeyDown(HWND control, IpAddressControl& state, int i, WPARAM key, LPARAM lParam) {
    const Field& field = state.fields[i];
    const Caret caret = caretOf(field.edit);
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    switch (key) {
        case VK_END:
            if (i < kLastField) {
                moveField(control, state, i, kLastField, kFieldMaxChars, kFieldMaxChars);
                return 0;
            }
            break;
        case VK_HOME:
            if (i > 0) {
                moveField(control, state, i, 0, 0, 0);
                return 0;
            }
            break;
        case VK_LEFT:
        case VK_UP:
            if (ctrl) {
                if (i > 0) {
                    moveField(control, state, i, i - 1, 0, kFieldMaxChars);
                    return 0;
                }
            } else if (i > 0 && caret.at(0)) {
                moveField(control, state, i, i - 1, kFieldMaxChars, kFieldMaxChars);
                return 0;
            } else {
                key = VK_LEFT;
            }
            break;
        case VK_RIGHT:
        case VK_DOWN:
            if (ctrl) {
                if (i < kLastField) {
                    moveField(control, state, i, i + 1, 0, kFieldMaxChars);
                    return 0;
                }
            } else if (i < kLastField && caret.nothingSelected() && caret.start >= caret.length) {
                moveField(control, state, i, i + 1, 0, 0);
                return 0;
            } else {
                key = VK_RIGHT;
            }
            break;
        default:
            break;
    }
    return CallWindowProcW(field.editProc, field.edit, WM_KEYDOWN, key, lParam);
}

LRESULT CALLBACK fieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND control = GetParent(edit);
    IpAddressControl* state = control != nullptr ? stateOf(control) : nullptr;
    const int i = GetDlgCtrlID(edit);
    if (state == nullptr || i < 0 || i >= kAddressFields || state->fields[i].edit != edit) {
        return 0;
    }
    switch (message) {
        case WM_CHAR:
            return fieldChar(control, *state, i, wParam, lParam);
        case WM_KEYDOWN:
            return fieldKeyDown(control, *state, i, wParam, lParam);
        case WM_KILLFOCUS:
            applyLeadingZeros(*state, i);
            break;
        case WM_GETDLGCODE:
            // Tab, Shift+Tab and Enter stay with the dialog.
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        default:
            break;
    }
    return CallWindowProcW(state->fields[i].editProc, edit, message, wParam, lParam);
}

LRESULT create(HWND control, const CREATESTRUCTW& create) {
    auto state = std::unique_ptr<IpAddressControl>(new (std::nothrow) IpAddressControl{});
    if (!state) {
        return -1;  // creation fails and the window goes away
    }
    state->owner = create.hwndParent;
    state->style = static_cast<DWORD>(create.style);
    state->enabled = true;

    if (HDC dc = GetDC(control)) {
        int fit = 0;
        SIZE size{};
        GetTextExtentExPointW(dc, L".", 1, 0, &fit, nullptr, &size);
        state->dotWidth = size.cx;
        ReleaseDC(control, dc);
    }
    state->fieldWidth = (create.cx - 3 * state->dotWidth - 4) / 4;

    DWORD align = 0;
    if (state->style & kStyleRight) {
        align = ES_RIGHT;
    } else if (state->style & kStyleCenter) {
        align = ES_CENTER;
    }
    // The fields find the state through the slot, so it is there before they are subclassed.
    SetWindowLongPtrW(control, 0, reinterpret_cast<LONG_PTR>(state.get()));
    for (int i = 0; i < kAddressFields; ++i) {
        Field& field = state->fields[i];
        field.edit = CreateWindowExW(
            0, L"Edit", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | align,
            2 + i * (state->fieldWidth + state->dotWidth), 2, state->fieldWidth, create.cy - 4,
            control, reinterpret_cast<HMENU>(static_cast<INT_PTR>(i)), create.hInstance, nullptr);
        if (field.edit == nullptr) {
            continue;
        }
        SendMessageW(field.edit, EM_LIMITTEXT, kFieldMaxChars, 0);
        field.editProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(field.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fieldProc)));
    }
    state.release();  // owned by the window from here on; freed in WM_DESTROY
    return 0;
}

void destroy(HWND control) {
    std::unique_ptr<IpAddressControl> state(stateOf(control));
    SetWindowLongPtrW(control, 0, 0);
    for (const Field& field : state->fields) {
        if (field.edit != nullptr && field.editProc != nullptr) {
            SetWindowLongPtrW(field.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(field.editProc));
        }
    }
}

void paint(HWND control, IpAddressControl& state) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(control, &ps);
    RECT client{};
    GetClientRect(control, &client);
    {
        const OwnedHandle<HBRUSH, DeleteObject> brush(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
        const HGDIOBJ previous = SelectObject(dc, brush.get());
        Rectangle(dc, 0, 0, client.right, client.bottom);  // the frame and the background
        SelectObject(dc, previous);
    }
    // The dots in the context's own font, whatever font the fields were given.
    SetTextColor(dc, GetSysColor(state.enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    for (int k = 0; k < kLastField; ++k) {
        const int x = 2 + state.fieldWidth + k * (state.fieldWidth + state.dotWidth);
        ExtTextOutW(dc, x, 2, 0, nullptr, L".", 1, nullptr);
    }
    state.painted = true;
    EndPaint(control, &ps);
}

void enable(HWND control, IpAddressControl& state, BOOL on) {
    state.enabled = on != FALSE;
    for (const Field& field : state.fields) {
        EnableWindow(field.edit, on);
    }
    if (state.style & WS_TABSTOP) {
        const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
        SetWindowLongPtrW(control, GWL_STYLE, on ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
    if (state.painted) {
        InvalidateRect(control, nullptr, FALSE);
    }
}

void notifyOwner(HWND control, const IpAddressControl& state, WORD code) {
    if (state.owner != nullptr) {
        SendMessageW(state.owner, WM_COMMAND,
                     MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code),
                     reinterpret_cast<LPARAM>(control));
    }
}

// The owner hears the focus entering the control and leaving it, once each: not the moves between
// fields, nor the range message taking the focus for a while.
void trackFocus(HWND control, IpAddressControl& state, WORD code) {
    const HWND focus = GetFocus();
    bool inside = false;
    for (const Field& field : state.fields) {
        inside = inside || (focus != nullptr && field.edit == focus);
    }
    if (code == EN_SETFOCUS && !state.hasFocus) {
        state.hasFocus = true;
        notifyOwner(control, state, code);
    } else if (code == EN_KILLFOCUS && !state.inRangeMessage && !inside) {
        state.hasFocus = false;
        notifyOwner(control, state, code);
    }
}

// IPM_SETFOCUS's field: past the last one, the first empty one, or the first.
int focusTarget(const IpAddressControl& state, WPARAM index) {
    if (index < kAddressFields) {
        return static_cast<int>(index);
    }
    for (int k = 0; k < kAddressFields; ++k) {
        if (isEmpty(state.fields[k].edit)) {
            return k;
        }
    }
    return 0;
}

// The number of fields that are not blank, a blank one standing for 0 in the address; or
// kOutOfRange, and address 0, when a field is outside its range.
LRESULT getAddress(const IpAddressControl& state, std::uint32_t* address) {
    std::uint32_t composed = 0;
    LRESULT count = 0;
    for (const Field& field : state.fields) {
        const FieldValue value = fieldValue(field.edit);
        if (!inRange(value, field.range)) {
            composed = 0;
            count = kOutOfRange;
            break;
        }
        composed = (composed << 8) | static_cast<std::uint32_t>(value.value);
        count += value.blank ? 0 : 1;
    }
    if (address != nullptr) {
        *address = composed;
    }
    return count;
}

LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        return create(control, *reinterpret_cast<const CREATESTRUCTW*>(lParam));
    }
    IpAddressControl* state = stateOf(control);
    if (state == nullptr) {
        return DefWindowProcW(control, message, wParam, lParam);
    }
    Field* fields = state->fields;
    switch (message) {
        case WM_DESTROY:
            destroy(control);
            return 1;
        case WM_SETFOCUS:
            focusField(fields[0], 0, kFieldMaxChars);
            return 1;
        case WM_LBUTTONDOWN:
            SetFocus(control);
            return 1;
        case WM_SETFONT:
            for (const Field& field : state->fields) {
                SendMessageW(field.edit, WM_SETFONT, wParam, lParam);
            }
            return 1;
        case WM_ENABLE:
            enable(control, *state, static_cast<BOOL>(wParam));
            return 1;
        case WM_PAINT:
            paint(control, *state);
            return 1;
        case WM_COMMAND:
            trackFocus(control, *state, HIWORD(wParam));
            return 1;
        case IPM_CLEARADDRESS:
            for (const Field& field : state->fields) {
                SetWindowTextW(field.edit, L"");
            }
            return 1;
        case IPM_SETADDRESS:
            for (int k = 0; k < kAddressFields; ++k) {
                const std::int64_t byte =
                    (static_cast<std::uint32_t>(lParam) >> (8 * (kLastField - k))) & 0xFF;
                char16_t text[kFieldMaxChars + 1];
                formatNumbers(u"%d", std::span(&byte, 1), text);
                SetWindowTextW(fields[k].edit, wide(text));
            }
            return 1;
        case IPM_GETADDRESS:
            return getAddress(*state, reinterpret_cast<std::uint32_t*>(lParam));
        case IPM_SETRANGE:
            if (wParam < kAddressFields) {
                fields[wParam].range = {static_cast<std::uint8_t>(lParam & 0xFF),
                                        static_cast<std::uint8_t>((lParam >> 8) & 0xFF)};
            }
            return 1;
        case IPM_SETFOCUS:
            focusField(fields[focusTarget(*state, wParam)], 0, kFieldMaxChars);
            return 1;
        case IPM_ISBLANK:
            for (const Field& field : state->fields) {
                if (!isEmpty(field.edit)) {
                    return 0;
                }
            }
            return 1;
        default:
            return DefWindowProcW(control, message, wParam, lParam);
    }
}

}  // namespace

ATOM registerIpAddressClass(HINSTANCE instance) {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = controlProc;
    wc.cbWndExtra = sizeof(IpAddressControl*);  // slot 0: the state
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kIpAddressClass;
    return RegisterClassW(&wc);
}

void unregisterIpAddressClass(HINSTANCE instance) {
    UnregisterClassW(kIpAddressClass, instance);
}

void setAddressText(HWND control, std::u16string_view text) {
    std::uint32_t address = 0;
    if (!parseAddressText(text, address)) {
        SendMessageW(control, IPM_CLEARADDRESS, 0, 0);
        return;
    }
    SendMessageW(control, IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
}

int getAddressText(HWND control, std::span<char16_t> buffer) {
    if (const LRESULT blank = SendMessageW(control, IPM_ISBLANK, 0, 0); blank != 0) {
        copyText(buffer, u"");
        return static_cast<int>(blank);
    }
    std::uint32_t address = 0;
    if (SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address)) !=
        kOutOfRange) {
        return formatAddress(address, buffer);
    }
    std::int64_t typed[kAddressFields];
    for (int k = 0; k < kAddressFields; ++k) {
        typed[k] = fieldValue(GetDlgItem(control, k)).value;
    }
    return formatNumbers(u"%d.%d.%d.%d", typed, buffer);
}

}  // namespace corvane
