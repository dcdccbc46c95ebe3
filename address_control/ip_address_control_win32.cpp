#include "address_control/ip_address_control_win32.h"

#include <array>
#include <memory>
#include <new>
#include <string_view>

#include "core/text.h"
#include "platform/wide_text_win32.h"
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
    char16_t text[320];
    formatRangeMessage(utf16(std::wstring_view(format)), value, field.range, text);
    MessageBoxW(GetParent(control), wide(text), caption, MB_OK | MB_ICONEXCLAMATION);
}

bool rangeCheck(HWND control, IpAddressControl& state, int i) {
    IpAddressField& field = state.fields[i];
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

bool moveField(HWND control, IpAddressControl& state, int from, int to, int start, int end) {
    if (!rangeCheck(control, state, from)) {
        return false;
    }
    SetFocus(state.fields[to].edit);
    select(state.fields[to].edit, start, end);
    return true;
}

// Carries out `action` in field i; false when the edit handles the message itself.
bool act(HWND control, IpAddressControl& state, int i, const FieldAction& action, LPARAM lParam) {
    switch (action.kind) {
        case FieldActionKind::Ignore:
            return true;
        case FieldActionKind::Beep:
            beep();
            return true;
        case FieldActionKind::Move:
            moveField(control, state, i, action.target, action.selStart, action.selEnd);
            return true;
        case FieldActionKind::Check:
            rangeCheck(control, state, i);
            return true;
        case FieldActionKind::CheckThenBeep:
            if (rangeCheck(control, state, i)) {
                beep();
            }
            return true;
        case FieldActionKind::MoveAndDelete: {
            HWND previous = state.fields[action.target].edit;
            if (moveField(control, state, i, action.target, action.selStart, action.selEnd) &&
                SendMessageW(previous, EM_LINELENGTH, 0, 0) > 0) {
                SendMessageW(previous, WM_CHAR, 8, lParam);
            }
            return true;
        }
        case FieldActionKind::Pass:
        case FieldActionKind::PassKey:
        case FieldActionKind::Digit:
            break;
    }
    return false;
}

LRESULT fieldChar(HWND control, IpAddressControl& state, int i, WPARAM wParam, LPARAM lParam) {
    IpAddressField& field = state.fields[i];
    const FieldAction action = decideChar(static_cast<char16_t>(wParam), i, caretOf(field.edit));
    if (act(control, state, i, action, lParam)) {
        return 0;
    }
    const LRESULT result = CallWindowProcW(field.editProc, field.edit, WM_CHAR, wParam, lParam);
    if (action.kind == FieldActionKind::Digit) {
        act(control, state, i, decideAfterDigit(i, caretOf(field.edit)), lParam);
    }
    return result;
}

LRESULT fieldKeyDown(HWND control, IpAddressControl& state, int i, WPARAM wParam, LPARAM lParam) {
    IpAddressField& field = state.fields[i];
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const FieldAction action =
        decideKeyDown(static_cast<int>(wParam), ctrl, i, caretOf(field.edit));
    if (act(control, state, i, action, lParam)) {
        return 0;
    }
    const WPARAM key = action.kind == FieldActionKind::PassKey ? action.key : wParam;
    return CallWindowProcW(field.editProc, field.edit, WM_KEYDOWN, key, lParam);
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

void notifyOwner(HWND control, const IpAddressControl& state, OwnerNote note) {
    const WORD code = note == OwnerNote::SetFocus ? EN_SETFOCUS : EN_KILLFOCUS;
    if (note != OwnerNote::None && state.owner != nullptr) {
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

LRESULT addressMessage(IpAddressControl& state, UINT message, WPARAM wParam, LPARAM lParam) {
    AddressFields fields;
    for (std::size_t k = 0; k < kAddressFields; ++k) {
        const IpAddressField& field = state.fields[k];
        fields.values[k] = fieldValue(field.edit);
        fields.empty[k] = GetWindowTextLengthW(field.edit) == 0;
        fields.ranges[k] = field.range;
    }
    const AddressReply reply = answerAddressMessage(message, wParam, lParam, fields);
    for (std::size_t k = 0; reply.setTexts && k < kAddressFields; ++k) {
        SetWindowTextW(state.fields[k].edit, wide(reply.texts[k].data()));
    }
    if (reply.rangeField >= 0) {
        state.fields[reply.rangeField].range = reply.range;
    }
    if (reply.focusField >= 0) {
        SetFocus(state.fields[reply.focusField].edit);
        select(state.fields[reply.focusField].edit, 0, kFieldMaxChars);
    }
    if (reply.writeAddress && lParam != 0) {
        *reinterpret_cast<std::uint32_t*>(lParam) = reply.address;
    }
    return reply.result;
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
            if (HIWORD(wParam) == EN_SETFOCUS || HIWORD(wParam) == EN_KILLFOCUS) {
                HWND focus = GetFocus();
                bool inside = false;
                for (const IpAddressField& field : state->fields) {
                    inside = inside || (focus != nullptr && field.edit == focus);
                }
                notifyOwner(control, *state,
                            noteFocus(HIWORD(wParam) == EN_SETFOCUS, inside, state->inRangeMessage,
                                      state->hasFocus));
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
