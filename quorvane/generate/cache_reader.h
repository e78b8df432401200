#pragma once

// Reading folder cache files (see cache_format.h) for the list writers and
// the playlist export: the file's lines, and the names and display paths in
// them decoded and made fit for one list line.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace quor::generate {

// The lines of a text file, without their line ends (LF or CR LF). A last
// line without a line end is kept; the empty text after a final line end is
// not a line. Fails with the reason when the file cannot be read.
Result<std::vector<std::string>> readTextLines(const std::filesystem::path& file);

// The lines of a text the user writes in an editor (the page template, the
// header and the footer): as above, and a CR alone ends a line too, as older
// Mac editors save them, so marker lines are still found.
Result<std::vector<std::string>> readUserTextLines(const std::filesystem::path& file);

// The lines of a cache file (read as above).
inline Result<std::vector<std::string>> readCacheLines(const std::filesystem::path& file) {
    return readTextLines(file);
}

// The display path of a folder heading (without its "*") or of a path
// column, decoded whole: the display name at its start is escaped like the
// folder names after it.
std::string decodeDisplayPath(std::string_view stored);

// A cache file line split at its markers, decoded. name is the text before
// the first "*" (else before the first ">", else the whole line); columns
// is what follows the "*" up to the path marker ">" (filler and columns);
// path is the display path after the ">" and its filler spaces; pathFiller
// holds those spaces. The texts are decoded but still may hold CR or LF.
struct DecodedFileLine {
    std::string name;
    bool hasColumnMarker = false;
    std::string columns;
    bool hasPathMarker = false;
    std::string pathFiller;
    std::string path;
};
DecodedFileLine decodeFileLine(std::string_view line);

// The display root of a record: its display name with "/" appended when it
// does not already end in one.
std::string displayRootOf(std::string_view pathname);

// The value of a total line: its leading number (0 for anything else).
double totalOf(std::string_view line);

}  // namespace quor::generate
