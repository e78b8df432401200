#pragma once

// The search of the user's own list: every folder listing file of the saved
// list, in folder order. Each file line is a candidate, with its folder's
// display path in front when folder names take part ("IncludeFolders" 1);
// names are decoded from the cache file escaping before they are matched or
// shown. A row is the folder's display path + the file name, and, when the
// line has columns, two blanks and the columns (the path at the end left out).

#include <filesystem>
#include <string_view>

#include "common/interaction.h"
#include "common/result.h"
#include "quorfind/search/match.h"
#include "quorfind/search/own_list.h"
#include "quorfind/search/search_limits.h"
#include "quorfind/search/search_result.h"

namespace quor::find {

class ScratchBuffer;

// Reads a whole file into buffer, reusing its memory; the text stays valid
// until the buffer's next use.
Result<std::string_view> readFileInto(const std::filesystem::path& file, ScratchBuffer& buffer);

// Adds the rows of one folder listing file's contents that match, and
// returns how many it added. Stops before a row that would go beyond the
// rows' limit (RowList::full).
long long searchListing(std::string_view contents, const TextMatcher& matcher, bool includeFolders,
                        RowList& rows);

// The columns a row shows of the rest of a file line (generate::splitFileLine):
// the text after its "*" and up to its ">", without leading blanks; empty
// when the line has no columns.
std::string_view shownColumns(std::string_view rest);

// Searches every listing file of list. Missing listing files are passed
// over; one that exists but cannot be read shows "There was a problem
// opening your list!" and ends the search with the rows found so far. Lets
// events run after each file and ends early when a stop was requested, or
// when a row would go beyond the limit of limits.
SearchResult searchOwnList(const OwnList& list, std::string_view searchText, bool includeFolders,
                           Interaction& user, const SearchLimits& limits = {});

// Loads the saved list of the list output file listPath from dataFolder and
// searches it. A saved list that exists but cannot be read shows the same
// failure message and gives no rows.
SearchResult searchOwnListOf(const std::filesystem::path& dataFolder, std::string_view listPath,
                             std::string_view searchText, bool includeFolders, Interaction& user,
                             const SearchLimits& limits = {});

}  // namespace quor::find
