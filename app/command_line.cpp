#include "app/command_line.h"

#include <algorithm>

#include "core/text.h"
#include "profiles/last_switch.h"
#include "profiles/profile_store.h"
#include "resources/resource.h"

namespace corvane {
namespace {

constexpr char16_t kFieldSeparator = u'\0';

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

bool isCommandOption(std::u16string_view argument) {
    for (const std::u16string_view option :
         {u"-switch", u"-undo", u"-export", u"-import", u"-adapter", u"-replace", u"-quiet"}) {
        if (argument == option) {
            return true;
        }
    }
    return false;
}

CommandRequest::Kind kindOf(char16_t letter) {
    switch (letter) {
        case u's':
            return CommandRequest::Kind::Switch;
        case u'e':
            return CommandRequest::Kind::Export;
        case u'i':
            return CommandRequest::Kind::Import;
        case u'u':
            return CommandRequest::Kind::Undo;
        default:
            return CommandRequest::Kind::Usage;
    }
}

// An option that belongs to another command, or none at all, makes a request a mistake.
bool fitsOneCommand(const CommandRequest& request) {
    using Kind = CommandRequest::Kind;
    const bool filed = request.kind == Kind::Export || request.kind == Kind::Import;
    const bool switching = request.kind == Kind::Switch || request.kind == Kind::Undo;
    return (switching || filed) && (request.kind == Kind::Switch || request.profile.empty()) &&
           (switching || request.adapter.empty()) && (filed || request.file.empty()) &&
           (request.kind == Kind::Import || !request.replace);
}

// The adapter named by -adapter, else the first; none, with the status and its message, when
// there is no such adapter.
AdapterInfo* requestedAdapter(Session& session, const CommandRequest& request, ExitStatus& status,
                              Messages& messages) {
    AdapterInfo* adapter = session.adapters.at(0);
    if (!request.adapter.empty()) {
        adapter = nullptr;
        for (int index = 0; index < session.adapters.count() && adapter == nullptr; ++index) {
            AdapterInfo* candidate = session.adapters.at(index);
            if (equalsNoCase(textOf(candidate->keyName), request.adapter)) {
                adapter = candidate;
            }
        }
        if (adapter == nullptr) {
            messages.push_back(failure(IDS_UNKNOWN_ADAPTER, request.adapter));
            status = ExitStatus::UnknownAdapter;
            return nullptr;
        }
    }
    if (adapter == nullptr) {
        messages.push_back(failure(IDS_NO_ADAPTERS));
        status = ExitStatus::NoAdapters;
    }
    return adapter;
}

}  // namespace

std::vector<std::u16string> splitCommandLine(std::u16string_view commandLine) {
    std::vector<std::u16string> arguments;
    std::u16string argument;
    bool inArgument = false;
    bool quoted = false;
    for (std::size_t i = 0; i < commandLine.size(); ++i) {
        const char16_t c = commandLine[i];
        if (isBlank(c) && !quoted) {
            if (inArgument) {
                arguments.push_back(std::move(argument));
                argument.clear();
                inArgument = false;
            }
            continue;
        }
        inArgument = true;
        if (c == u'\\') {
            std::size_t slashes = 0;
            while (i < commandLine.size() && commandLine[i] == u'\\') {
                ++slashes;
                ++i;
            }
            if (i < commandLine.size() && commandLine[i] == u'"') {
                argument.append(slashes / 2, u'\\');
                if (slashes % 2 == 1) {
                    argument.push_back(u'"');
                } else {
                    quoted = !quoted;
                }
            } else {
                argument.append(slashes, u'\\');
                --i;
            }
        } else if (c == u'"') {
            if (quoted && i + 1 < commandLine.size() && commandLine[i + 1] == u'"') {
                argument.push_back(u'"');
                ++i;
            } else {
                quoted = !quoted;
            }
        } else {
            argument.push_back(c);
        }
    }
    if (inArgument) {
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

CommandRequest parseCommandLine(std::u16string_view commandLine) {
    const std::vector<std::u16string> arguments = splitCommandLine(commandLine);
    CommandRequest request;
    if (std::none_of(arguments.begin(), arguments.end(), isCommandOption)) {
        return request;  // what a start without a command always was
    }
    CommandRequest usage;
    usage.kind = CommandRequest::Kind::Usage;
    bool hasAdapter = false;  // "-adapter" given, be it empty
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::u16string& option = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        const auto setCommand = [&](CommandRequest::Kind kind, std::u16string& target) {
            if (request.kind != CommandRequest::Kind::None || !hasValue) {
                return false;
            }
            request.kind = kind;
            target = arguments[++i];
            return true;
        };
        bool understood = true;
        if (option == u"-switch") {
            understood = setCommand(CommandRequest::Kind::Switch, request.profile);
        } else if (option == u"-export") {
            understood = setCommand(CommandRequest::Kind::Export, request.file);
        } else if (option == u"-import") {
            understood = setCommand(CommandRequest::Kind::Import, request.file);
        } else if (option == u"-undo") {
            understood = request.kind == CommandRequest::Kind::None;
            request.kind = CommandRequest::Kind::Undo;
        } else if (option == u"-adapter" && hasValue && !hasAdapter) {
            hasAdapter = true;
            request.adapter = arguments[++i];
            // An empty key names no adapter: it would switch as if none were given.
            understood = !request.adapter.empty();
        } else if (option == u"-replace") {
            request.replace = true;
        } else if (option == u"-quiet") {
            request.quiet = true;
        } else {
            understood = false;
        }
        if (!understood) {
            return usage;
        }
    }
    return fitsOneCommand(request) ? request : usage;
}

std::u16string encodeRequest(const CommandRequest& request) {
    std::u16string text;
    text.push_back(request.kind == CommandRequest::Kind::Switch   ? u's'
                   : request.kind == CommandRequest::Kind::Export ? u'e'
                   : request.kind == CommandRequest::Kind::Import ? u'i'
                   : request.kind == CommandRequest::Kind::Undo   ? u'u'
                                                                  : u'?');
    text.push_back(request.replace ? u'r' : u'-');
    text.push_back(request.quiet ? u'q' : u'-');
    for (const std::u16string* field : {&request.profile, &request.adapter, &request.file}) {
        text.push_back(kFieldSeparator);
        text.append(*field);
    }
    return text;
}

std::optional<CommandRequest> decodeRequest(std::u16string_view text) {
    std::vector<std::u16string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(kFieldSeparator, start);
        fields.push_back(text.substr(start, end - start));
        if (end == std::u16string_view::npos) {
            break;
        }
        start = end + 1;
    }
    if (fields.size() != 4 || fields[0].size() != 3 ||
        kindOf(fields[0][0]) == CommandRequest::Kind::Usage ||
        (fields[0][1] != u'r' && fields[0][1] != u'-') ||
        (fields[0][2] != u'q' && fields[0][2] != u'-')) {
        return std::nullopt;
    }
    CommandRequest request;
    request.kind = kindOf(fields[0][0]);
    request.replace = fields[0][1] == u'r';
    request.quiet = fields[0][2] == u'q';
    request.profile = fields[1];
    request.adapter = fields[2];
    request.file = fields[3];
    if (!fitsOneCommand(request)) {
        return std::nullopt;
    }
    return request;
}

ExitStatus switchCommand(Session& session, const CommandRequest& request, Messages& messages) {
    ExitStatus status = ExitStatus::Ok;
    AdapterInfo* adapter = requestedAdapter(session, request, status, messages);
    if (adapter == nullptr) {
        return status;
    }
    const std::optional<std::u16string> name = storedProfileName(session.registry, request.profile);
    if (!name) {
        messages.push_back(failure(IDS_UNKNOWN_PROFILE, request.profile));
        return ExitStatus::UnknownProfile;
    }
    switchToProfile(session, *adapter, *name, request.adapter.empty() && session.applyToAll != 0,
                    messages);
    return hasFailure(messages) ? ExitStatus::Failed : ExitStatus::Ok;
}

ExitStatus undoCommand(Session& session, const CommandRequest& request, Messages& messages) {
    ExitStatus status = ExitStatus::Ok;
    AdapterInfo* adapter = requestedAdapter(session, request, status, messages);
    if (adapter == nullptr) {
        return status;
    }
    if (!undoLastSwitch(session, *adapter, request.adapter.empty() && session.applyToAll != 0,
                        messages)) {
        return ExitStatus::NothingToUndo;
    }
    return hasFailure(messages) ? ExitStatus::Failed : ExitStatus::Ok;
}

bool hasFailure(const Messages& messages) {
    return std::any_of(messages.begin(), messages.end(), [](const Message& message) {
        return (message.style & mb::kIconMask) == mb::kIconExclamation;
    });
}

}  // namespace corvane
