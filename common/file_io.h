#pragma once

// File operations with their failures turned into the text the user sees.
//
// Files the programs own are replaced atomically: the new contents go to a
// temporary file in the same folder, which is flushed to disk and renamed
// over the old file, and then the folder itself is flushed. A crash or a
// full disk therefore leaves either the old file or the new one, whole,
// never a mixture.

#include <filesystem>
#include <string>
#include <string_view>

#include "common/result.h"

namespace quor {

// Opens file for reading when it is a regular file (after following links)
// and returns the descriptor, which the caller closes. The open never waits:
// a pipe in the file's place is refused, not waited on, and a device is
// never read without end. Fails, naming the file.
Result<int> openRegularFile(const std::filesystem::path& file);

// Reads a whole regular file (see openRegularFile). Fails, naming the file,
// when it is missing, unreadable, anything but a regular file, or larger
// than maxBytes (then without reading more than maxBytes + 64 KiB).
Result<std::string> readFile(const std::filesystem::path& file,
                             std::size_t maxBytes = static_cast<std::size_t>(-1));

// Replaces (or creates) file with contents, atomically. A replaced file
// keeps its permission bits; a new one gets 0666 less the umask.
Status writeFileAtomically(const std::filesystem::path& file, std::string_view contents);

// Copies source over target atomically (target is whole at every moment).
Status copyFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target);

// Copies source to target atomically unless target exists (as anything,
// even a dangling link). An existing target is never replaced, not even one
// that appears while the copy is made. True when the copy was made, false
// when target was already there.
Result<bool> copyFileIfMissing(const std::filesystem::path& source,
                               const std::filesystem::path& target);

// Creates target with contents atomically unless target exists, with the
// same guarantees as copyFileIfMissing. True when the file was made.
Result<bool> writeFileIfMissing(const std::filesystem::path& target, std::string_view contents);

// Renames from to to (replacing to), then flushes the folder of to.
Status renameFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Deletes file if it exists; a missing file is success.
Status removeFileIfExists(const std::filesystem::path& file);

// True when path names an existing regular file (following links).
bool isRegularFile(const std::filesystem::path& path);

// True when path names an existing folder (following links).
bool isFolder(const std::filesystem::path& path);

// Creates folder and its missing parents.
Status createFolders(const std::filesystem::path& folder);

// "Could not <action> <path>: <reason from errno>".
std::string ioErrorText(std::string_view action, const std::filesystem::path& path, int errnum);

}  // namespace quor
