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

#include <optional>
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

// Writing cache lines. Alignment counts display columns as a monospace
// terminal shows the text: one per code point, two for East Asian wide and
// fullwidth characters; a byte that is not valid UTF-8 counts one.
std::size_t displayWidth(std::string_view utf8);

// The formatted columns of a file line, each written only when present
// (an empty text that is present still takes its width: a zero-byte file
// with sizes in bytes gets nine spaces).
struct FileLineColumns {
    std::optional<std::string_view> size;       // right-aligned in 9 columns
    std::optional<std::string_view> mp3;        // right-aligned in 5 columns
    std::optional<std::string_view> date;       // as it stands
    std::optional<std::string_view> pathAtEnd;  // display path of the folder
};

// Appends the file line of the (decoded) name to out, without a line end:
// the escaped name, then "*" and 65 - L spaces before the first column (L
// the name's display width; "* " when L is 65 or more), one space between
// later columns; a path at the end is joined by ">" and the same filler when
// it is the first column (then one more space), else by ">  ". A name with no
// column is the line alone.
void appendFileLine(std::string& out, std::string_view name, const FileLineColumns& columns);
std::string fileLine(std::string_view name, const FileLineColumns& columns);

// text right-aligned in width display columns (never cut).
std::string rightAligned(std::string_view text, std::size_t width);

// "*" + display path, the path ending in "/".
std::string folderHeadingLine(std::string_view displayPath);

// "?" + disk name.
std::string diskHeaderLine(std::string_view diskName);

// The total line: the byte count as plain decimal digits ("1E+15" from
// 1E+15 up).
std::string totalLine(double bytes);

// A display name or disk name the user gave, as a heading or disk header
// holds it: escaped as names are, so that every heading decodes as a whole
// (a display name may be a path holding "*", ">", "%" or a line break).
std::string storedDisplayName(std::string_view name);

}  // namespace quor::generate
