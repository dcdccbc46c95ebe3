#include "profiles_dialog/profile_files_win32.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/files_win32.h"
#include "platform/late_modules_win32.h"
#include "platform/wide_text_win32.h"
#include "profiles/profile_file.h"
#include "profiles_dialog/profiles_dialog_win32.h"
#include "resources/resource.h"
#include "ui/ui_support.h"
#include "ui/ui_support_win32.h"

namespace corvane {
namespace {

constexpr int kPathChars = 260;
// The open or save dialog for a profile file; the chosen path, or empty when cancelled.
std::u16string chooseProfileFile(const WindowState& windows, HWND owner, bool open) {
    // The filter's "|" stand for the zeros between its descriptions and patterns.
    char16_t filter[kPathChars] = {};
    loadAppString(windows.instance, IDS_FILE_FILTER, filter, kPathChars);
    std::replace(std::begin(filter), std::end(filter), u'|', u'\0');
    wchar_t path[kPathChars] = {};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hInstance = windows.instance;
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
    auto* windows = reinterpret_cast<WindowState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            setupDialog(*reinterpret_cast<WindowState*>(lParam), dialog);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            CheckRadioButton(dialog, IDC_DELETE_EXISTING, IDC_KEEP_EXISTING, IDC_KEEP_EXISTING);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                EndDialog(dialog, IsDlgButtonChecked(dialog, IDC_DELETE_EXISTING) == BST_CHECKED
                                      ? IDC_DELETE_EXISTING
                                      : IDC_KEEP_EXISTING);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        case WM_HELP:
            if (windows != nullptr) {
                windows->session.system.showHelp(kHelpImportExport);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

// "Import Options": keeping the stored profiles or replacing them; none when cancelled.
std::optional<ImportChoice> runImportOptionsDialog(WindowState& windows, HWND owner) {
    switch (DialogBoxParamW(windows.instance, MAKEINTRESOURCEW(IDD_IMPORT_OPTIONS), owner,
                            importOptionsProc, reinterpret_cast<LPARAM>(&windows))) {
        case IDC_KEEP_EXISTING:
            return ImportChoice::Keep;
        case IDC_DELETE_EXISTING:
            return ImportChoice::Replace;
        default:
            return std::nullopt;
    }
}

}  // namespace

FileOutcome exportCommand(WindowState& windows, HWND dialog) {
    const std::u16string path = chooseProfileFile(windows, dialog, false);
    return path.empty() ? FileOutcome::Cancelled : exportToFile(windows, dialog, path);
}

FileOutcome exportToFile(WindowState& windows, HWND owner, const std::u16string& path, bool quiet) {
    ExportFile made;
    bool written = false;
    {
        // The file written beside the old one replaces it only when complete: a failed export
        // leaves the last backup as it was.
        ReplacementFile file(path);
        if (!file.isOpen()) {
            showMessage(windows, owner, failure(IDS_CREATE_FILE_FAILED));
            return FileOutcome::FileFailed;
        }
        made = exportFile(windows.session.registry);
        written = made.bytes && file.commit(*made.bytes);
    }
    showMessages(windows, owner, exportMessages(made, written), quiet);
    if (!written) {
        return FileOutcome::FileFailed;
    }
    return made.shortened.empty() ? FileOutcome::Done : FileOutcome::Shortened;
}

FileOutcome importCommand(WindowState& windows, HWND dialog) {
    const std::u16string path = chooseProfileFile(windows, dialog, true);
    return path.empty() ? FileOutcome::Cancelled
                        : importFromFile(windows, dialog, path, ImportChoice::Ask);
}

FileOutcome importFromFile(WindowState& windows, HWND window, const std::u16string& path,
                           ImportChoice choice, bool quiet) {
    std::optional<std::vector<StoredProfile>> profiles;
    {
        // The file's bytes are kept no longer than needed: a handheld's memory is small.
        std::vector<unsigned char> bytes;
        switch (readWholeFile(path, kMaxProfileFileBytes, bytes)) {
            case FileRead::Read:
                break;
            case FileRead::CannotRead:
                showMessage(windows, window, failure(IDS_OPEN_FILE_FAILED, path));
                return FileOutcome::FileFailed;
            case FileRead::TooLarge:
                showMessage(windows, window, failure(IDS_FILE_TOO_LARGE, path));
                return FileOutcome::Corrupt;
        }
        // The whole file is read and checked before the user is asked anything or the store is
        // touched: a corrupt file costs no profile.
        profiles = readProfileFile(bytes);
    }
    if (!profiles) {
        showMessage(windows, window, failure(IDS_IMPORT_CORRUPT, path));
        return FileOutcome::Corrupt;
    }
    if (choice == ImportChoice::Ask) {
        const std::optional<ImportChoice> chosen = runImportOptionsDialog(windows, window);
        if (!chosen) {
            return FileOutcome::Cancelled;
        }
        choice = *chosen;
    }
    Messages messages;
    const ImportWrite imported = writeImportedProfiles(
        windows.session.registry, std::move(*profiles), choice == ImportChoice::Replace, messages);
    showMessages(windows, window, messages, quiet);
    // Whatever the import changed shows in the list and the icon's menu, also after a failure.
    if (imported.changed && window != nullptr) {
        refreshProfileList(windows, window);
    }
    if (!imported.written) {
        return FileOutcome::Failed;
    }
    messages.clear();
    const bool applied = reapplyDefaultProfiles(windows.session, messages);
    showMessages(windows, window, messages, quiet);
    return applied && !imported.oldProfilesLeft ? FileOutcome::Done : FileOutcome::Failed;
}

}  // namespace corvane
