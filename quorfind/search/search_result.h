#pragma once

#include <string>
#include <vector>

#include "quorfind/search/row_list.h"
#include "quorfind/search/search_row.h"

namespace quor::find {

struct SearchResult {
    RowList rows;
    long long matches = 0;
    bool stopped = false;  // a stop request ended the reading early
    int listsRead = 0;     // files of the Lists folder read
    bool failed = false;   // a failure message was shown
    // Lists that could not be read or were passed over (a pipe, a device, an
    // unreadable or malformed file), each already named in a message.
    int listsUnread = 0;
    // The text list or own list to search does not exist (the window passes
    // it over silently; the command line says so).
    bool listMissing = false;
    // The rows reached their limit: the search ended there, with a message.
    bool full = false;
};

// The rows to show when a search has finished: its rows' texts, or the
// single row "No Matches Found" when nothing matched.
std::vector<std::string> shownRows(const SearchResult& result);

}  // namespace quor::find
