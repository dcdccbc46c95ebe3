// Files as the program reads and writes them: read whole with one call, bounded by a size stated
// by the caller, and written whole beside their target, put in its place only once complete.
#pragma once

namespace corvane {

// How a whole-file read ended.
enum class FileRead {
    Read,
    CannotRead,  // missing, a directory, held by another program, or a failed read
    TooLarge,    // over the caller's limit: refused unread
};

}  // namespace corvane
