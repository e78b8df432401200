#pragma once

// The duplicate search behind the Duplicate Files window's Search button:
// reads the catalogue, finds the pairs of near-identical names and lays
// them out as the rows of the window's list, each pair as its two files
// and an empty separator row.
//
// While it runs the window shows the caption "Searching..." and the button
// "Stop"; the Stop click reaches the search through
// Interaction::keepResponsive, which the search calls after each cache file
// and after each entry compared (so that call should be cheap). Everything
// else it says goes through the Interaction too: the refusal notice, the
// status text "Found N possible duplicate files.", the failure message.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvane/store/list_context.h"

namespace quor::dupes {

inline constexpr std::string_view kDupesCaption = "Duplicate Files";
inline constexpr std::string_view kSearchingCaption = "Searching...";
inline constexpr std::string_view kSearchButton = "Search";
inline constexpr std::string_view kStopButton = "Stop";
inline constexpr std::string_view kNoListYet = "You must first create a list!";
inline constexpr std::string_view kNoDuplicatesRow = "No duplicate files found.";
inline constexpr std::string_view kOpenFailed = "There was a problem opening the file list!";
inline constexpr std::string_view kInstructionRow = "Double click on a file to open or run it.";

// The list of the window and, row for row, the stored name behind each row
// (empty for separator and message rows, which no action works on).
struct DupesRows {
    std::vector<std::string> rows;
    std::vector<std::string> rowMap;

    // The list as the window opens it: the single instruction row.
    static DupesRows initial();
    void add(std::string row, std::string storedName);
};

struct DupesSearchResult {
    DupesRows list;
    int pairCount = 0;
    bool refused = false;  // "NumFiles" was below 2: nothing was searched
};

// "Found N possible duplicate files."
std::string foundPairsStatus(int pairCount);

// The window caption and the button caption for the two states.
inline std::string_view dupesWindowCaption(bool searching) {
    return searching ? kSearchingCaption : kDupesCaption;
}
inline std::string_view searchButtonCaption(bool searching) {
    return searching ? kStopButton : kSearchButton;
}

// Runs a search. Refuses with the notice "You must first create a list!"
// when "NumFiles" is below 2 or absent. Otherwise clears the status text,
// calls searching(true) (may be empty) and shows the busy pointer, reads
// the catalogue with the options of dupes_options.h, compares, and calls
// searching(false) at the end. No pair gives the single row "No duplicate
// files found.". A failure while reading shows "There was a problem opening
// the file list!" with the failure as caption and ends the search without
// comparing; a stop request ends it early with the pairs found so far.
// pairListed (may be empty) is called after each pair's three rows were
// added, with the list so far, so that a window can show rows as they come.
DupesSearchResult searchDuplicates(
    const store::ListContext& context, const std::function<void(bool searching)>& searching = {},
    const std::function<void(const DupesRows& listSoFar)>& pairListed = {});

}  // namespace quor::dupes
