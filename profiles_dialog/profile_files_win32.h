// The Export and Import commands of the Network Profiles dialog, with the file dialogs and the
// "Import Options" dialog (template 114), and the file steps they share with the command line.
#pragma once

#include <windows.h>

#include <string>

#include "ui/window_state_win32.h"

namespace corvane {

enum class FileOutcome {
    Done,
    Shortened,   // exported, but without the values too long for a profile file
    Cancelled,   // the user closed a dialog
    FileFailed,  // the file could not be opened, created or written
    Corrupt,     // the file fails the import's checks; nothing was imported
    Failed,      // a profile could not be stored, or a default could not be applied again
};

// "&Export...": every stored profile into a file the user names.
FileOutcome exportCommand(WindowState& windows, HWND dialog);
// Every stored profile into the file at `path`, created or replaced, then the outcome told (with
// `quiet`, failures only). The new file is written beside the old one and takes its place only
// when complete: after a failure the old file is as it was.
FileOutcome exportToFile(WindowState& windows, HWND owner, const std::u16string& path,
                         bool quiet = false);

// "&Import...": the profiles of a file the user chooses, on top of the stored ones or in their
// place as the user picks, then the dialog's list refreshed and every adapter's default profile
// applied again.
FileOutcome importCommand(WindowState& windows, HWND dialog);

enum class ImportChoice { Ask, Keep, Replace };
// The import of the file at `path`: read and checked whole, then, unless the user cancels when
// asked, written, `window`'s profile list refreshed (when there is a window) and the defaults
// applied again; with `quiet` only failures are told.
FileOutcome importFromFile(WindowState& windows, HWND window, const std::u16string& path,
                           ImportChoice choice, bool quiet = false);

}  // namespace corvane
