#pragma once

// The searches of other people's lists: one text list chosen by the user,
// or every file of the program folder's "Lists" folder. Each non-empty
// line of a list is a candidate and, when it matches, a row as it stands
// (from the Lists folder with the file's name in upper case and " - " in
// front). Files are read whole and decoded as listTextAsUtf8 says.

#include <filesystem>
#include <string_view>

#include "common/interaction.h"
#include "quorfind/search/search_result.h"

namespace quor::find {

// Adds the matching lines of text (LF, CR LF or CR line ends) as rows, each
// prefixed by prefix; returns how many it added.
long long searchLines(std::string_view text, std::string_view searchText, std::string_view prefix,
                      std::vector<SearchRow>& rows);

// Searches the text list at file. A missing file gives no rows; one that
// cannot be read shows "There was a problem opening the file!". Lets events
// run after each megabyte of the list and ends early on a stop request.
SearchResult searchTextList(const std::filesystem::path& file, std::string_view searchText,
                            Interaction& ui);

// Searches every regular file of listsFolder, in name order. A file that
// cannot be read shows its failure and the search goes on with the next.
// Lets events run after each file and ends early on a stop request. With no
// file read at all, shows the "No Lists Found" message after the search.
SearchResult searchListsFolder(const std::filesystem::path& listsFolder,
                               std::string_view searchText, Interaction& ui);

// The name of a list file as its rows show it: upper case in every script.
std::string upperCaseName(std::string_view name);

}  // namespace quor::find
