#pragma once

// File and folder names that a Linux file system accepts and careless code
// trips over: every byte from 1 to 255 but "/" (spread over names of
// fifteen bytes each), invalid UTF-8, a leading "-", shell metacharacters,
// markup, "%" sequences, line breaks, the cache file's own markers and
// blanks where they are easily lost. None holds "/" or begins with "."
// (hidden files are never listed), and each is unique.

#include <string>
#include <vector>

namespace quor::testing {

std::vector<std::string> hostileFileNames();

// Fewer, for folders (each gets one file of its own).
std::vector<std::string> hostileFolderNames();

// True when a name holds a CR or LF, which no line of a list can carry.
bool holdsLineBreak(const std::string& name);

}  // namespace quor::testing
