// The command line that works without the icon: switch to a profile or undo the last switch,
// export or import the profiles. Parsed here into a request, handed between instances as text, and
// run through the same code as the icon's menu and the dialog's commands.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/message.h"
#include "core/session.h"

namespace corvane {

// corvane.exe's exit codes for a command; 3 is taken by the dialog's command bar failing.
enum class ExitStatus : int {
    Ok = 0,
    Usage = 1,       // an unknown option, or an option without its argument
    NoAdapters = 2,  // no network adapter, or no memory for the list
    UnknownProfile = 4,
    UnknownAdapter = 5,
    FileFailed = 6,   // the file cannot be opened, created or written
    CorruptFile = 7,  // the file fails the import's checks
    Failed = 8,       // the store or the system settings could not be written
    Busy = 9,         // the running instance is in the middle of something, or did not answer
    Shortened = 10,   // -export: written, but without values too long for a profile file
    NothingToUndo = 11,
};

struct CommandRequest {
    enum class Kind { None, Switch, Export, Import, Usage, Undo };
    Kind kind = Kind::None;
    std::u16string profile;  // -switch NAME
    std::u16string adapter;  // -adapter KEY: that adapter only (-switch, -undo)
    std::u16string file;     // -export FILE, -import FILE
    bool replace = false;    // -import: delete the stored profiles first
    bool quiet = false;      // no information messages; failures are still told

    bool operator==(const CommandRequest&) const = default;
};

// The arguments as the Windows runtime splits a command line: blanks separate them, quotes
// group, 2n backslashes before a quote stand for n and open or close the group, 2n+1 for n and
// a quote of its own; "" inside a group is a quote.
std::vector<std::u16string> splitCommandLine(std::u16string_view commandLine);

// Kind None (a plain start, "-nod" and all) unless an argument is one of the command's options;
// then every argument must belong to exactly one command, or the kind is Usage.
CommandRequest parseCommandLine(std::u16string_view commandLine);

// A request as one text for the running instance, and back; none for text that is not one.
std::u16string encodeRequest(const CommandRequest& request);
std::optional<CommandRequest> decodeRequest(std::u16string_view text);

// -switch: makes the profile the default of the named adapter, or as a choice from the icon's
// menu does (the first adapter, every adapter with applyToAll), and applies it. The name is found
// as the store finds it, letter case aside, and recorded as stored.
ExitStatus switchCommand(Session& session, const CommandRequest& request, Messages& messages);

// -undo: Undo Last Switch for the named adapter, or as the icon's menu does (the first adapter,
// every adapter that has one with applyToAll).
ExitStatus undoCommand(Session& session, const CommandRequest& request, Messages& messages);

// A failure among what the user is told: the exit code must not claim success then.
bool hasFailure(const Messages& messages);

}  // namespace corvane
