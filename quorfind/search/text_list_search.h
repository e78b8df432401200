#pragma once

// The searches of other people's lists: one text list chosen by the user,
// or every file of the program folder's "Lists" folder. Each non-empty
// line of a list is a candidate and, when it matches, a row as it stands
// (from the Lists folder with the file's name in upper case and " - " in
// front). Lists are read in pieces and decoded line by line (list_lines.h),
// so a list of any size is searched in memory that does not grow with it,
// beyond the rows found. Only regular files are read (outside_file.h).

#include <filesystem>
#include <string_view>

#include "common/interaction.h"
#include "quorfind/search/search_limits.h"
#include "quorfind/search/search_result.h"

namespace quor::find {

// Searches the text list at file. A missing file gives no rows and sets
// listMissing; one that is not a regular file or cannot be read shows
// "There was a problem opening the file!" (with the rows found before a
// read failure). Lets events run after each piece of the list and ends
// early on a stop request.
SearchResult searchTextList(const std::filesystem::path& file, std::string_view searchText,
                            Interaction& user, const SearchLimits& limits = {});

// Searches every regular file of listsFolder, in name order, passing over
// folders and hidden files (names starting with "."). An entry that is not
// a regular file (a pipe, socket, device, a link to one or to nothing), or
// that cannot be read, shows its failure and counts in listsUnread; the
// search goes on with the next. Lets events run after each piece and each
// file, and ends early on a stop request. With no file read at all, shows
// the "No Lists Found" message after the search.
SearchResult searchListsFolder(const std::filesystem::path& listsFolder,
                               std::string_view searchText, Interaction& user,
                               const SearchLimits& limits = {});

// The name of a list file as its rows show it: upper case in every script.
std::string upperCaseName(std::string_view name);

}  // namespace quor::find
