#pragma once

// Delete and Rename of the files that rows name. The rows stay as they are:
// the list shows the change after the next build in Quorvane.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "quorfind/actions/action_context.h"

namespace quor::find {

inline constexpr std::string_view kDeleteQuestion =
    "Are you sure you want to delete the selected file(s)?\n"
    "\n"
    "Note: The files will still appear in your list until you update it with Quorvane";

// After one confirmation, deletes each row's file for good (not to a waste
// bin), 100 ms apart. A file that cannot be deleted shows "There was a
// problem deleting " + path and ends the action. Folders are never deleted.
// Returns the number of files deleted.
int deleteFiles(const std::vector<SearchRow>& rows, const ActionContext& context);

// The rename dialog: given the old path, the edited path, or empty for
// Cancel.
using AskNewPath = std::function<std::optional<std::string>(const std::string& oldPath)>;

// The path a rename goes to: "" when the edit was cancelled, emptied or left
// unchanged; otherwise the edited path with *, ?, /, <, ", > and \ removed
// from its file name (the part after the last "/"; the folders before it may
// name another folder to move to).
std::string renameTarget(const std::string& oldPath, const std::optional<std::string>& edited);

// For each row: asks for the new path and renames (or moves) the file. A
// target that exists stops the whole action with "Can't rename, the file "
// + path + " already exists!" and is never replaced; a failed rename shows
// "There was a problem renaming " + path and ends the action. Returns the
// number of files renamed.
int renameFiles(const std::vector<SearchRow>& rows, const ActionContext& context,
                const AskNewPath& ask);

}  // namespace quor::find
