#pragma once

// What every action on result rows works with: the list source, the own
// list for resolving rows, the user, and the pauses between rows (a real
// wait in the program, recorded in tests).

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/interaction.h"
#include "quorfind/search/own_list.h"
#include "quorfind/search/search_result.h"
#include "quorfind/settings.h"

namespace quor::find {

using Pause = std::function<void(std::chrono::milliseconds)>;

// Waits on the calling thread.
void sleepPause(std::chrono::milliseconds duration);

struct ActionContext {
    ListType listType = ListType::OwnList;
    const OwnList& list;
    Interaction& user;
    Pause pause = sleepPause;
};

// The actions that need the own list, each with its refusal.
enum class RowAction { Open, Queue, Delete, Rename, Playlist, Drag, DccSend };

// The first line of the refusal of action ("You can only open files from
// your local list. Go to the"); the second line is always the same.
std::string_view refusalFirstLine(RowAction action);
inline constexpr std::string_view kRefusalSecondLine = "FILE menu and choose \"Search Your List\".";

// Shows the refusal and returns true when the list is not the own list.
[[nodiscard]] bool refusedUnlessOwnList(const ActionContext& context, RowAction action);

// The real path of a row for an action ("" when it names no file or the
// user gave up on the disk).
std::string resolvedPath(const ActionContext& context, const SearchRow& row);

}  // namespace quor::find
