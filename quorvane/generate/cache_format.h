#pragma once

// The folder cache file (<program folder>/<record>.txt), the catalogue every
// list, the duplicate finder and the search program read. CR LF line ends;
// every line is one of:
//
//   total           decimal digits: the first line of a fixed folder's file,
//                   the second line of each disk block
//   disk header     "?" + disk name (removable disk sets: one block per disk)
//   folder heading  "*" + display path of the folder, ending in "/"
//   file            name, then optionally "*" (or ">" for a path at the end)
//                   with filler spaces and the formatted columns
//
// A line is classified by its first character and a file line is split at
// its first "*" or ">", and a line break ends a line, so these characters
// of file and folder names are stored as percent escapes: "*" %2A, ">" %3E,
// "?" %3F, "%" %25, CR %0D, LF %0A. A name without any of them is stored
// unchanged. Every reader decodes a name before it is shown, matched,
// compared or made a path.

#include <string>
#include <string_view>

namespace quor::generate {

// The name as it is stored in a cache file.
std::string encodeCacheName(std::string_view name);

// The name a cache file holds, decoded. Text that is not a valid escape
// ("%zz", "%2") is kept as it stands.
std::string decodeCacheName(std::string_view stored);

// The name as a list line shows it: CR and LF become "?", so that a list
// line is never split.
std::string shownName(std::string_view name);

enum class CacheLineKind { DiskHeader, FolderHeading, FileOrTotal };

// The kind of a cache line, by its first character.
CacheLineKind cacheLineKind(std::string_view line);

// A file line split into its stored (still escaped) name and the rest, which
// starts with the first "*" or ">" (empty when the line has no columns).
struct CacheFileLine {
    std::string_view storedName;
    std::string_view rest;
};
CacheFileLine splitFileLine(std::string_view line);

}  // namespace quor::generate
