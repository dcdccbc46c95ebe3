#include "app/command_line_win32.h"

#include <cstring>
#include <string>

#include "app/main_window.h"
#include "app/main_window_win32.h"
#include "core/text.h"
#include "platform/wide_text_win32.h"
#include "profiles_dialog/profile_files_win32.h"
#include "profiles_dialog/profiles_dialog_win32.h"
#include "resources/resource.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

// Tells a request apart from any other WM_COPYDATA.
constexpr ULONG_PTR kCommandRequestData = 0x43565251;
// The running instance answers once the user has read its messages.
constexpr UINT kHandOverTimeoutMs = 10 * 60 * 1000;

ExitStatus exitStatusOf(FileOutcome outcome) {
    switch (outcome) {
        case FileOutcome::Done:
            return ExitStatus::Ok;
        case FileOutcome::Shortened:
            return ExitStatus::Shortened;
        case FileOutcome::FileFailed:
            return ExitStatus::FileFailed;
        case FileOutcome::Corrupt:
            return ExitStatus::CorruptFile;
        case FileOutcome::Cancelled:
        case FileOutcome::Failed:
            break;
    }
    return ExitStatus::Failed;
}

// Runs the request in this process; `window` (null without the icon) owns the messages and has
// its profile list refreshed, as after a choice from the icon's menu.
ExitStatus runRequest(WindowState& windows, HWND window, const CommandRequest& request) {
    switch (request.kind) {
        case CommandRequest::Kind::Switch:
        case CommandRequest::Kind::Undo: {
            Messages messages;
            const ExitStatus status = request.kind == CommandRequest::Kind::Switch
                                          ? switchCommand(windows.session, request, messages)
                                          : undoCommand(windows.session, request, messages);
            showMessages(windows, window, messages, request.quiet);
            const bool switched = status == ExitStatus::Ok || status == ExitStatus::Failed;
            if (switched && window != nullptr) {
                refreshProfileList(windows, window);
            }
            return status;
        }
        case CommandRequest::Kind::Export:
            return exitStatusOf(exportToFile(windows, window, request.file, request.quiet));
        case CommandRequest::Kind::Import:
            return exitStatusOf(importFromFile(
                windows, window, request.file,
                request.replace ? ImportChoice::Replace : ImportChoice::Keep, request.quiet));
        case CommandRequest::Kind::None:
        case CommandRequest::Kind::Usage:
            break;
    }
    showMessage(windows, window, failure(IDS_USAGE));
    return ExitStatus::Usage;
}

std::u16string fullPath(const std::u16string& path) {
    const DWORD size = GetFullPathNameW(wide(path.c_str()), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length =
        size > 0 ? GetFullPathNameW(wide(path.c_str()), size, full.data(), nullptr) : 0;
    if (length == 0 || length >= size) {
        return path;  // the file's own open reports what is wrong with it
    }
    full.resize(length);
    return std::u16string(utf16(std::wstring_view(full)));
}

int handOver(WindowState& windows, HWND running, const CommandRequest& request) {
    const std::u16string text = encodeRequest(request);
    COPYDATASTRUCT data{};
    data.dwData = kCommandRequestData;
    data.cbData = static_cast<DWORD>(text.size() * sizeof(char16_t));
    data.lpData = const_cast<char16_t*>(text.data());
    // Its messages may come to the front over this process's.
    DWORD runningProcess = 0;
    GetWindowThreadProcessId(running, &runningProcess);
    AllowSetForegroundWindow(runningProcess);
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                            SMTO_ABORTIFHUNG, kHandOverTimeoutMs, &result) == 0) {
        result = static_cast<DWORD_PTR>(ExitStatus::Busy);
    }
    if (result == static_cast<DWORD_PTR>(ExitStatus::Busy)) {
        showMessage(windows, nullptr, failure(IDS_BUSY));
    }
    return static_cast<int>(result);
}

}  // namespace

int runCommandLine(WindowState& windows, CommandRequest request) {
    if (request.kind == CommandRequest::Kind::Usage) {
        return static_cast<int>(runRequest(windows, nullptr, request));
    }
    if (!request.file.empty()) {
        request.file = fullPath(request.file);  // the running instance has its own directory
    }
    if (const HWND running = findRunningInstance(windows.instance)) {
        return handOver(windows, running, request);
    }
    // An export needs no adapter: the profiles can be saved from a device without one.
    if (request.kind != CommandRequest::Kind::Export) {
        if (const auto stop = findAdapters(windows.session)) {
            showMessage(windows, nullptr, *stop);
            return static_cast<int>(ExitStatus::NoAdapters);
        }
    }
    return static_cast<int>(runRequest(windows, nullptr, request));
}

LRESULT onCommandRequest(WindowState& windows, const COPYDATASTRUCT& data) {
    if (data.dwData != kCommandRequestData || data.cbData % sizeof(char16_t) != 0 ||
        (data.cbData > 0 && data.lpData == nullptr)) {
        return static_cast<LRESULT>(ExitStatus::Usage);
    }
    std::u16string text(data.cbData / sizeof(char16_t), u'\0');
    if (data.cbData > 0) {
        std::memcpy(text.data(), data.lpData, data.cbData);
    }
    const std::optional<CommandRequest> request = decodeRequest(text);
    if (!request) {
        return static_cast<LRESULT>(ExitStatus::Usage);
    }
    // A message box, a menu or a dialog's command is up: a command now would pull the profiles
    // and the menu from under it.
    if (windows.busy || windows.messageBoxesUp > 0) {
        return static_cast<LRESULT>(ExitStatus::Busy);
    }
    const BusyScope busy(windows);
    if (!request->quiet) {
        SetForegroundWindow(windows.hwndCurrent);
    }
    return static_cast<LRESULT>(runRequest(windows, windows.hwndCurrent, *request));
}

}  // namespace corvane
