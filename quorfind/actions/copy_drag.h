#pragma once

// Copy text and the file drag: what the window puts on the clipboard or
// hands to the drop target.

#include <optional>
#include <string>
#include <vector>

#include "quorfind/actions/action_context.h"

namespace quor::find {

inline constexpr std::string_view kDragFailedText = "There was a problem dragging the file(s)!";
inline constexpr std::string_view kCopyFailedText =
    "There was a problem copying text to the clipboard!";

// The rows' shown text joined by CR LF, no line break after the last. Works
// for every list source and never resolves a row.
std::string joinedText(const std::vector<SearchRow>& rows);

// The resolved paths of the rows for a drag, in row order, rows that name no
// file left out; empty (after the refusal) for another list source.
std::vector<std::string> dragPaths(const std::vector<SearchRow>& rows,
                                   const ActionContext& context);

// The paths as a text/uri-list: file:// addresses with every byte outside
// the unreserved set and "/" percent-encoded, CR LF after each.
std::string uriList(const std::vector<std::string>& paths);

}  // namespace quor::find
