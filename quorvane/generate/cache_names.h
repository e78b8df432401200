#pragma once

// Names in folder cache files. A cache line is classified by its first
// character ("*" heading, "?" disk, else a file) and split at "*" and ">",
// and a line break ends it, so these characters of file and folder names are
// stored as percent escapes: "*" %2A, ">" %3E, "?" %3F, "%" %25, CR %0D,
// LF %0A. A name without any of them is stored unchanged. Every reader
// decodes a name before it is shown, matched, compared or made a path.

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

}  // namespace quor::generate
