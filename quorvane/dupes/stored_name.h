#pragma once

// The stored name of a duplicate entry: the folder text of the cache file's
// most recent folder heading (a display path ending in "/", still escaped as
// the cache file holds it) immediately followed by the file's cache line,
// character for character. Rows of the duplicate list are shown from it,
// and the actions turn it back into a real path and a cache line.

#include <string>
#include <string_view>

namespace quor::dupes {

// A stored name taken apart. The file name cannot hold "/", and the
// escaping keeps "*" and ">" out of names, so the folder text ends at the
// last "/" before the line's first "*" or ">".
struct StoredNameParts {
    std::string_view folderText;  // escaped, ends in "/" (empty when none)
    std::string_view cacheLine;   // escaped, exactly as in the cache file
};
StoredNameParts splitStoredName(std::string_view storedName);

// The file name of a cache line, decoded: the text before its first "*" or
// ">" (the whole line when it has neither).
std::string fileNameOfLine(std::string_view cacheLine);

// The row the duplicate list shows for a stored name: cut before its first
// ">"; when what remains has a "*", the text before it, two blanks, and the
// text after it without its leading blanks; otherwise what remains. Names
// are decoded, and line breaks in them shown as "?".
std::string displayForm(std::string_view storedName);

}  // namespace quor::dupes
