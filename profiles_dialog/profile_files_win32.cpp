#include "profiles_dialog/profile_files_win32.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/files_win32.h"
#include "platform/handles_win32.h"
#include "platform/late_modules_win32.h"
#include "profiles/profile_file.h"
#include "profiles_dialog/profiles_dialog_win32.h"
#include "resources/resource.h"
#include "ui/ui_support.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

constexpr int kPathChars = 260;
// The "Import Options" dialog's answers besides IDCANCEL.
constexpr INT_PTR kKeepProfiles = IDOK;
constexpr INT_PTR kReplaceProfiles = 3;

// The open or save dialog for a profile file; the chosen path, or empty when cancelled.
std::u16string chooseProfileFile(const AppState& state, HWND owner, bool open) {
    // The filter's "|" stand for the zeros between its descriptions and patterns.
    char16_t filter[kPathChars] = {};
    loadAppString(state, IDS_FILE_FILTER, filter, kPathChars);
    std::replace(std::begin(filter), std::end(filter), u'|', u'\0');
    wchar_t path[kPathChars] = {};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hInstance = toHinstance(state.hInstance);
    dialog.lpstrFilter = wide(filter);
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = kPathChars;
    dialog.lpstrDefExt = L"prf";
    dialog.Flags = open ? OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT;
    const bool chosen = open ? getOpenFileName(dialog) : getSaveFileName(dialog);
    return chosen ? std::u16string(utf16(std::wstring_view(path))) : std::u16string();
}

INT_PTR CALLBACK importOptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            setupDialog(*reinterpret_cast<AppState*>(lParam), dialog);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            CheckRadioButton(dialog, IDC_DELETE_EXISTING, IDC_KEEP_EXISTING, IDC_KEEP_EXISTING);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                EndDialog(dialog, IsDlgButtonChecked(dialog, IDC_DELETE_EXISTING) == BST_CHECKED
                                      ? kReplaceProfiles
                                      : kKeepProfiles);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        case WM_HELP:
            if (auto* state = reinterpret_cast<AppState*>(GetWindowLongPtrW(dialog, DWLP_USER))) {
                showHelp(*state, kHelpImportExport);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

FileOutcome exportCommand(AppState& state, HWND dialog) {
    const std::u16string path = chooseProfileFile(state, dialog, false);
    return path.empty() ? FileOutcome::Cancelled : exportToFile(state, dialog, path);
}

FileOutcome exportToFile(AppState& state, HWND owner, const std::u16string& path) {
    ExportOutcome outcome;
    {
        // The file written beside the old one replaces it only when complete: a failed export
        // leaves the last backup as it was.
        ReplacementFile file(path);
        if (!file.isOpen()) {
            showMessage(state, owner, failure(IDS_CREATE_FILE_FAILED));
            return FileOutcome::FileFailed;
        }
        outcome = exportProfiles(*state.registry, [&](std::span<const unsigned char> bytes) {
            return file.commit(bytes);
        });
    }
    showMessages(state, owner, exportMessages(outcome));
    if (!outcome.written) {
        return FileOutcome::FileFailed;
    }
    return outcome.shortened.empty() ? FileOutcome::Done : FileOutcome::Shortened;
}

FileOutcome importCommand(AppState& state, HWND dialog) {
    const std::u16string path = chooseProfileFile(state, dialog, true);
    return path.empty() ? FileOutcome::Cancelled
                        : importFromFile(state, dialog, path, ImportChoice::Ask);
}

FileOutcome importFromFile(AppState& state, HWND window, const std::u16string& path,
                           ImportChoice choice) {
    std::optional<std::vector<StoredProfile>> profiles;
    {
        // The file's bytes are kept no longer than needed: a handheld's memory is small.
        std::vector<unsigned char> bytes;
        switch (readWholeFile(path, kMaxProfileFileBytes, bytes)) {
            case FileRead::Read:
                break;
            case FileRead::CannotRead:
                showMessage(state, window, failure(IDS_OPEN_FILE_FAILED, path));
                return FileOutcome::FileFailed;
            case FileRead::TooLarge:
                showMessage(state, window, failure(IDS_FILE_TOO_LARGE, path));
                return FileOutcome::Corrupt;
        }
        // The whole file is read and checked before the user is asked anything or the store is
        // touched: a corrupt file costs no profile.
        profiles = readProfileFile(bytes);
    }
    if (!profiles) {
        showMessage(state, window, failure(IDS_IMPORT_CORRUPT, path));
        return FileOutcome::Corrupt;
    }
    if (choice == ImportChoice::Ask) {
        const INT_PTR answer =
            DialogBoxParamW(toHinstance(state.hInstance), MAKEINTRESOURCEW(IDD_IMPORT_OPTIONS),
                            window, importOptionsProc, reinterpret_cast<LPARAM>(&state));
        if (answer != kKeepProfiles && answer != kReplaceProfiles) {
            return FileOutcome::Cancelled;
        }
        choice = answer == kReplaceProfiles ? ImportChoice::Replace : ImportChoice::Keep;
    }
    Messages messages;
    const ImportWrite imported = writeImportedProfiles(*state.registry, std::move(*profiles),
                                                       choice == ImportChoice::Replace, messages);
    showMessages(state, window, messages);
    // Whatever the import changed shows in the list and the icon's menu, also after a failure.
    if (imported.changed && window != nullptr) {
        refreshProfileList(state, window);
    }
    if (!imported.written) {
        return FileOutcome::Failed;
    }
    messages.clear();
    const bool applied = reapplyDefaultProfiles(state, messages);
    showMessages(state, window, messages);
    return applied && !imported.oldProfilesLeft ? FileOutcome::Done : FileOutcome::Failed;
}

}  // namespace corvane
