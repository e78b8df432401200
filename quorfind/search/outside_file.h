#pragma once

// Opening files that come from other people (text lists, the Lists folder)
// so that no name can make the search hang or read without end: only
// regular files are opened, a link only ever to look at what it points to,
// and the open itself never waits (a named pipe without a writer would
// block an ordinary open for good). Devices, pipes and sockets are never
// opened at all.

#include <filesystem>
#include <string>
#include <utility>

#include "common/result.h"
#include "common/unique_fd.h"

namespace quor::find {

// An open file descriptor, closed with the object.
using FileHandle = UniqueFd;

enum class FileKind {
    Regular,     // open for reading
    Missing,     // nothing of that name (or a folder of its path is missing)
    Folder,      // a folder, or a link to one
    Other,       // a pipe, socket or device, a link to one, or a link to nothing
    Unreadable,  // it could not be looked at or opened (no permission, a link loop, ...)
};

struct OutsideFile {
    FileKind kind = FileKind::Missing;
    FileHandle file;     // open when kind is Regular
    std::string reason;  // for Folder, Other and Unreadable: what the user is told
};

// Looks at path (following links) and opens it for reading when it is a
// regular file; what it is otherwise, without opening it.
OutsideFile openOutsideFile(const std::filesystem::path& path);

// Reads up to size bytes into buffer, retrying when a signal interrupts;
// 0 at the end of the file. Fails with the reason, naming path.
Result<std::size_t> readSome(const FileHandle& file, char* buffer, std::size_t size,
                             const std::filesystem::path& path);

}  // namespace quor::find
