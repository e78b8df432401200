#pragma once

// How much a search keeps and how it reads: the result list's limit, and
// the piece and line sizes of reading other people's lists. The defaults
// serve the command line (no limit on rows); the window takes its limit
// from the machine's memory; tests make everything small.

#include <cstddef>
#include <cstdint>
#include <limits>

#include "common/interaction.h"
#include "quorfind/search/list_lines.h"
#include "quorfind/search/search_result.h"

namespace quor::find {

// Lists are read in pieces of this many bytes, with events run after each.
inline constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

struct SearchLimits {
    // Rows kept at most, and the memory they may hold; a match beyond them
    // shows kTooManyMatchesText once and ends the search.
    std::size_t maxRows = std::numeric_limits<std::size_t>::max();
    std::size_t maxRowBytes = std::numeric_limits<std::size_t>::max();
    std::size_t pieceBytes = kPieceBytes;
    std::size_t maxLineBytes = kMaxLineBytes;
};

// The window's limits on a machine with physicalBytes of memory: a row for
// every 64 bytes of it, at least ten million and fewer than the view can
// count (2^31), and rows holding at most half of it (at least 2 GiB).
SearchLimits windowLimitsFor(std::uint64_t physicalBytes);
// The same for this machine.
SearchLimits windowLimits();

// Marks the result full and, the first time, says so.
void reportTooManyMatches(SearchResult& result, Interaction& user);

}  // namespace quor::find
