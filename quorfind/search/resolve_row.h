#pragma once

// Turns a row of the own list's results back into the real path of its
// file. The row's root name (the text before its first "/") is a folder's
// display name, or the name of a disk of a removable disk set; the saved
// list says which real folder it stands for. When the file is not there,
// the user is asked "Please insert the disk " + the folder path: OK looks
// again, Cancel gives up.
//
// The same resolution serves every window that shows own-list rows: it is a
// function of the row, the saved list and the interaction only.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/interaction.h"
#include "quorfind/search/own_list.h"
#include "quorfind/search/search_result.h"

namespace quor::find {

inline constexpr std::string_view kFileNotFoundCaption = "File Not Found";
inline constexpr std::string_view kInsertDiskText = "Please insert the disk ";

// Where a row says its file is: the root name, the folders below the root
// (ending in "/", or empty) and the file name.
struct RowLocation {
    std::string root;
    std::string middle;
    std::string fileName;

    bool operator==(const RowLocation&) const = default;
};

// The locations a row's text can mean, most likely first. The row is cut at
// its first and last "/"; the file name runs from the last "/" to the first
// blank after the extension dot, the last "." that is not the decimal point
// of a size such as "3.45MB" (the whole rest when there is none). When the
// columns themselves hold a "/" (a date such as 01/02/24), the name ending at
// the first two blanks is offered too, first. Empty for a row without "/".
std::vector<RowLocation> rowTextLocations(std::string_view row);

// The location of a search row: from its folder and name when the search
// recorded them (exact for any name), else from its text.
std::vector<RowLocation> rowLocations(const SearchRow& row);

// The real folder a root name stands for: the path of the first folder
// record whose display name equals it (case ignored), or of the first
// removable disk set one of whose disks has that name; else the root name
// itself (a display name that is its own path). Ends with "/".
std::string baseFolder(std::string_view root, const OwnList& list);

enum class DiskQuestion { Ask, Never };

// The real path of the row's file, or "" when the row names no file or the
// user cancelled the disk question (never asked with DiskQuestion::Never).
std::string resolveRow(const SearchRow& row, const OwnList& list, Interaction& user,
                       DiskQuestion question = DiskQuestion::Ask);
std::string resolveRowText(std::string_view row, const OwnList& list, Interaction& user,
                           DiskQuestion question = DiskQuestion::Ask);

// Resolves each location (first to last) and returns the first that exists
// (a folder row gives its folder; the actions that change files refuse
// folders themselves). A location whose file name is "." or ".." or holds a
// "/", whose folders hold a "." or ".." component, or whose base folder is
// not an absolute path is never resolved, so that no action reaches outside
// the folder the row names.
std::string resolveLocations(const std::vector<RowLocation>& locations, const OwnList& list,
                             Interaction& user, DiskQuestion question);

}  // namespace quor::find
