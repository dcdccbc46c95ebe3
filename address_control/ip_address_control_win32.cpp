#include "address_control/ip_address_control_win32.h"

#include <array>
#include <memory>
#include <new>
#include <string_view>

#include "core/text.h"
#include "platform/handles_win32.h"
#include "resources/resource.h"

namespace corvane {
namespace {

void platformBeep(UINT type) {
    MessageBeep(type);
}

BeepFunction g_beep = platformBeep;

void beep() {
    g_beep(0xFFFFFFFF);
}

IpAddressControl* stateOf(HWND control) {
    return reinterpret_cast<IpAddressControl*>(GetWindowLongPtrW(control, 0));
}

// Selects a GDI object into a device context for one scope and deletes what it created.
class ScopedBrush {
  public:
    ScopedBrush(HDC dc, COLORREF colour)
        : dc_(dc), brush_(CreateSolidBrush(colour)), old_(SelectObject(dc, brush_)) {}
    ~ScopedBrush() {
        SelectObject(dc_, old_);
        DeleteObject(brush_);
    }
    ScopedBrush(const ScopedBrush&) = delete;
    ScopedBrush& operator=(const ScopedBrush&) = delete;

  private:
    HDC dc_;
    HBRUSH brush_;
    HGDIOBJ old_;
};

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

FieldCaret caretOf(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto length = SendMessageW(edit, EM_LINELENGTH, 0, 0);
    return {static_cast<int>(start), static_cast<int>(end), static_cast<int>(length)};
}

void select(HWND edit, int start, int end) {
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void applyLeadingZeros(const IpAddressControl& state, int field) {
    if ((state.style & kIpsLeadingZeros) == 0) {
        return;
    }
    char16_t text[kFieldMaxChars + 1];
    char16_t padded[kFieldMaxChars + 1];
    if (padWithZeros(fieldText(state.fields[field].edit, text), padded)) {
        SetWindowTextW(state.fields[field].edit, wide(padded));
    }
}

// The range message, owned by the control's parent (the page).
void showRangeMessage(HWND control, const FieldValue& value, const IpAddressField& field) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(control, GWLP_HINSTANCE));
    wchar_t format[260] = {};
    wchar_t caption[20] = {};
    LoadStringW(instance, IDS_FIELD_RANGE, format, 260);
    LoadStringW(instance, IDS_PRODUCT_NAME, caption, 20);
    const std::int64_t numbers[] = {value.value, field.minValue, field.maxValue};
    char16_t text[320];
    formatNumbers(utf16(std::wstring_view(format)), numbers, text);
    MessageBoxW(GetParent(control), wide(text), caption, MB_OK | MB_ICONEXCLAMATION);
}

bool rangeCheck(HWND control, IpAddressControl& state, int i) {
    IpAddressField& field = state.fields[i];
    char16_t buffer[kFieldMaxChars + 1];
    const std::u16string_view text = fieldText(field.edit, buffer);
    const FieldValue value = readFieldValue(text);
    if (inRange(value, {field.minValue, field.maxValue})) {
        if (!value.blank && text.size() < kFieldMaxChars) {
            applyLeadingZeros(state, i);
        }
        return true;
    }
    if (GetParent(control) == nullptr) {
        return true;
    }
    state.inRangeMessage = 1;
    showRangeMessage(control, value, field);
    state.inRangeMessage = 0;
    if (GetFocus() != field.edit) {
        SetFocus(field.edit);
    }
    select(field.edit, 0, kFieldMaxChars);
    return false;
}

bool moveField(HWND control, IpAddressControl& state, int from, int to, int start, int end) {
    if (!rangeCheck(control, state, from)) {
        return false;
    }
    SetFocus(state.fields[to].edit);
    select(state.fields[to].edit, start, end);
    return true;
}

LRESULT fieldChar(HWND control, IpAddressControl& state, int i, WPARAM wParam, LPARAM lParam) {
    IpAddressField& field = state.fields[i];
    const FieldAction action = decideChar(static_cast<char16_t>(wParam), i, caretOf(field.edit));
    switch (action.kind) {
        case FieldActionKind::Digit: {
            const LRESULT result =
                CallWindowProcW(field.editProc, field.edit, WM_CHAR, wParam, lParam);
            if (digitCompletesField(caretOf(field.edit)) && rangeCheck(control, state, i) &&
                i < kAddressFields - 1) {
                SetFocus(state.fields[i + 1].edit);
                select(state.fields[i + 1].edit, 0, kFieldMaxChars);
            }
            return result;
        }
        case FieldActionKind::Ignore:
            return 0;
        case FieldActionKind::Beep:
            beep();
            return 0;
        case FieldActionKind::Move:
            moveField(control, state, i, action.target, action.selStart, action.selEnd);
            return 0;
        case FieldActionKind::CheckThenBeep:
            if (rangeCheck(control, state, i)) {
                beep();
            }
            return 0;
        case FieldActionKind::MoveAndDelete: {
            HWND previous = state.fields[action.target].edit;
            if (moveField(control, state, i, action.target, action.selStart, action.selEnd) &&
                SendMessageW(previous, EM_LINELENGTH, 0, 0) > 0) {
                SendMessageW(previous, WM_CHAR, 8, lParam);
            }
            return 0;
        }
        case FieldActionKind::Pass:
        case FieldActionKind::PassKey:
            break;
    }
    return CallWindowProcW(field.editProc, field.edit, WM_CHAR, wParam, lParam);
}

LRESULT fieldKeyDown(HWND control, IpAddressControl& state, int i, WPARAM wParam, LPARAM lParam) {
    IpAddressField& field = state.fields[i];
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const FieldAction action =
        decideKeyDown(static_cast<int>(wParam), ctrl, i, caretOf(field.edit));
    switch (action.kind) {
        case FieldActionKind::Move:
            moveField(control, state, i, action.target, action.selStart, action.selEnd);
            return 0;
        case FieldActionKind::PassKey:
            return CallWindowProcW(field.editProc, field.edit, WM_KEYDOWN,
                                   static_cast<WPARAM>(action.key), lParam);
        default:
            return CallWindowProcW(field.editProc, field.edit, WM_KEYDOWN, wParam, lParam);
    }
}

LRESULT CALLBACK fieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = GetParent(edit);
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

void notifyOwner(HWND control, const IpAddressControl& state, WORD code) {
    if (state.owner != nullptr) {
        SendMessageW(state.owner, WM_COMMAND,
                     MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code),
                     reinterpret_cast<LPARAM>(control));
    }
}

LRESULT create(HWND control, const CREATESTRUCTW& create) {
    auto state = std::unique_ptr<IpAddressControl>(new (std::nothrow) IpAddressControl{});
    if (!state) {
        return -1;  // creation fails and the window goes away
    }
    state->owner = create.hwndParent;
    state->style = static_cast<std::uint32_t>(create.style);
    state->enabled = 1;

    if (HDC dc = GetDC(control)) {
        int fit = 0;
        SIZE size{};
        GetTextExtentExPointW(dc, L".", 1, 0, &fit, nullptr, &size);
        state->dotWidth = size.cx;
        ReleaseDC(control, dc);
    }
    state->fieldWidth = (create.cx - 3 * state->dotWidth - 4) / 4;

    DWORD align = 0;
    if (state->style & kIpsRight) {
        align = ES_RIGHT;
    } else if (state->style & kIpsCenter) {
        align = ES_CENTER;
    }
    // The fields find the state through the slot, so it is there before they are subclassed.
    SetWindowLongPtrW(control, 0, reinterpret_cast<LONG_PTR>(state.get()));
    for (int i = 0; i < kAddressFields; ++i) {
        IpAddressField& field = state->fields[i];
        field.minValue = 0;
        field.maxValue = 255;
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
    if (!state) {
        return;
    }
    for (IpAddressField& field : state->fields) {
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
        ScopedBrush brush(dc, GetSysColor(COLOR_WINDOW));
        Rectangle(dc, 0, 0, client.right, client.bottom);
    }
    SetTextColor(dc, GetSysColor(state.enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    for (int k = 0; k < kAddressFields - 1; ++k) {
        const int x = 2 + state.fieldWidth + k * (state.fieldWidth + state.dotWidth);
        ExtTextOutW(dc, x, 2, 0, nullptr, L".", 1, nullptr);
    }
    state.painted = 1;
    EndPaint(control, &ps);
}

void enable(HWND control, IpAddressControl& state, BOOL on) {
    state.enabled = on ? 1 : 0;
    for (IpAddressField& field : state.fields) {
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

std::array<FieldValue, kAddressFields> fieldValues(const IpAddressControl& state) {
    std::array<FieldValue, kAddressFields> values;
    for (int i = 0; i < kAddressFields; ++i) {
        values[static_cast<std::size_t>(i)] = fieldValue(state.fields[i].edit);
    }
    return values;
}

LRESULT addressMessage(IpAddressControl& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case IPM_CLEARADDRESS:
            for (IpAddressField& field : state.fields) {
                SetWindowTextW(field.edit, L"");
            }
            return 1;
        case IPM_SETADDRESS: {
            const auto address = static_cast<std::uint32_t>(lParam);
            for (int k = 0; k < kAddressFields; ++k) {
                const std::int64_t byte = (address >> (8 * (3 - k))) & 0xFF;
                char16_t text[kFieldMaxChars + 1];
                formatNumbers(u"%d", std::span(&byte, 1), text);
                SetWindowTextW(state.fields[k].edit, wide(text));
            }
            return 1;
        }
        case IPM_GETADDRESS: {
            const auto values = fieldValues(state);
            std::array<FieldRange, kAddressFields> ranges;
            for (int k = 0; k < kAddressFields; ++k) {
                ranges[static_cast<std::size_t>(k)] = {state.fields[k].minValue,
                                                       state.fields[k].maxValue};
            }
            std::uint32_t address = 0;
            const int count = composeAddress(values, ranges, address);
            if (lParam != 0) {
                *reinterpret_cast<std::uint32_t*>(lParam) = address;
            }
            return count;
        }
        case IPM_SETRANGE:
            if (wParam < kAddressFields) {
                state.fields[wParam].minValue = static_cast<std::uint8_t>(lParam & 0xFF);
                state.fields[wParam].maxValue = static_cast<std::uint8_t>((lParam >> 8) & 0xFF);
            }
            return 1;
        case IPM_SETFOCUS: {
            std::array<bool, kAddressFields> blank;
            for (int k = 0; k < kAddressFields; ++k) {
                blank[static_cast<std::size_t>(k)] =
                    GetWindowTextLengthW(state.fields[k].edit) == 0;
            }
            const int index = wParam < kAddressFields ? static_cast<int>(wParam) : kAddressFields;
            HWND edit = state.fields[focusTarget(index, blank)].edit;
            SetFocus(edit);
            select(edit, 0, kFieldMaxChars);
            return 1;
        }
        case IPM_ISBLANK:
            for (const IpAddressField& field : state.fields) {
                if (GetWindowTextLengthW(field.edit) != 0) {
                    return 0;
                }
            }
            return 1;
        default:
            return 0;
    }
}

LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        return create(control, *reinterpret_cast<const CREATESTRUCTW*>(lParam));
    }
    IpAddressControl* state = stateOf(control);
    if (state == nullptr) {
        return DefWindowProcW(control, message, wParam, lParam);
    }
    switch (message) {
        case WM_DESTROY:
            destroy(control);
            return 1;
        case WM_SETFOCUS:
            SetFocus(state->fields[0].edit);
            select(state->fields[0].edit, 0, kFieldMaxChars);
            return 1;
        case WM_LBUTTONDOWN:
            SetFocus(control);
            return 1;
        case WM_SETFONT:
            for (IpAddressField& field : state->fields) {
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
            if (HIWORD(wParam) == EN_SETFOCUS) {
                if (!state->hasFocus) {
                    state->hasFocus = 1;
                    notifyOwner(control, *state, EN_SETFOCUS);
                }
            } else if (HIWORD(wParam) == EN_KILLFOCUS && !state->inRangeMessage) {
                HWND focus = GetFocus();
                bool inside = false;
                for (const IpAddressField& field : state->fields) {
                    inside = inside || (focus != nullptr && field.edit == focus);
                }
                if (!inside) {
                    notifyOwner(control, *state, EN_KILLFOCUS);
                    state->hasFocus = 0;
                }
            }
            return 1;
        case IPM_CLEARADDRESS:
        case IPM_SETADDRESS:
        case IPM_GETADDRESS:
        case IPM_SETRANGE:
        case IPM_SETFOCUS:
        case IPM_ISBLANK:
            return addressMessage(*state, message, wParam, lParam);
        default:
            return DefWindowProcW(control, message, wParam, lParam);
    }
}

}  // namespace

ATOM RegisterIpAddressClass(HINSTANCE instance) {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = controlProc;
    wc.cbWndExtra = sizeof(IpAddressControl*);  // slot 0: the state
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kIpAddressClass;
    return RegisterClassW(&wc);
}

void UnregisterIpAddressClass(HINSTANCE instance) {
    UnregisterClassW(kIpAddressClass, instance);
}

void SetAddressText(HWND control, std::u16string_view text) {
    std::uint32_t address = 0;
    if (!parseAddressText(text, address)) {
        SendMessageW(control, IPM_CLEARADDRESS, 0, 0);
        return;
    }
    SendMessageW(control, IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
}

int GetAddressText(HWND control, std::span<char16_t> buffer) {
    if (const LRESULT blank = SendMessageW(control, IPM_ISBLANK, 0, 0); blank != 0) {
        copyText(buffer, u"");
        return static_cast<int>(blank);
    }
    std::uint32_t address = 0;
    const LRESULT count =
        SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    if (count != kAddressOutOfRange) {
        return formatAddress(address, buffer);
    }
    std::array<FieldValue, kAddressFields> values;
    for (int k = 0; k < kAddressFields; ++k) {
        values[static_cast<std::size_t>(k)] = fieldValue(GetDlgItem(control, k));
    }
    return formatFields(values, buffer);
}

BeepFunction setIpAddressBeep(BeepFunction beep) {
    const BeepFunction previous = g_beep;
    g_beep = beep != nullptr ? beep : platformBeep;
    return previous;
}

}  // namespace corvane
