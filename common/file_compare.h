#pragma once

// Checks that a file already holds given contents, so that a copy or a
// rewrite that would change nothing is neither made nor flushed to disk.
// Every check reads with pread in bounded chunks (the descriptors' offsets
// are left alone, memory stays small whatever the size) and compares sizes
// first, so files that differ in length cost one fstat each.

#include <filesystem>
#include <string_view>

#include "common/unique_fd.h"

namespace quor {

// Opens path for a comparison: the descriptor of a regular file, or none
// (missing, unreadable, a symbolic link, a pipe or a device). A final symbolic link is not
// followed, so a link in a file's place never counts as the file; a pipe is never waited on.
UniqueFd openForComparison(const std::filesystem::path& path);

// True when the regular file open as fd holds exactly contents. A read
// error or a file that changes length while read counts as different.
bool fileHolds(int fd, std::string_view contents);

// True when the regular files open as a and b hold the same bytes. A read
// error counts as different.
bool sameContents(int a, int b);

// True when a and b are one file under two names (device and inode).
bool sameFile(int a, int b);

}  // namespace quor
