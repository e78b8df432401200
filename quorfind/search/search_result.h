#pragma once

#include <string>
#include <vector>

namespace quor::find {

// One row of the result list. For a row of the own list, folder and name
// hold the decoded display path of its folder and the file's name, so that
// the row can be turned back into a real path without guessing where the
// name ends; rows of other sources leave them empty.
struct SearchRow {
    std::string text;
    std::string folder;
    std::string name;

    bool operator==(const SearchRow&) const = default;
};

struct SearchResult {
    std::vector<SearchRow> rows;
    long long matches = 0;
    bool stopped = false;  // a stop request ended the reading early
    int listsRead = 0;     // files of the Lists folder read
    bool failed = false;   // a failure message was shown
};

// The rows to show when a search has finished: its rows, or the single row
// "No Matches Found" when nothing matched.
std::vector<std::string> shownRows(const SearchResult& result);

}  // namespace quor::find
