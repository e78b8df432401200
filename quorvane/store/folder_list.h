#pragma once

// The commands that change the folder list: Add Folder, Remove Folder, Move
// Up and Move Down. Each keeps the records numbered without gaps and the
// cache file names in step with the record indexes. A selection is the row
// of the folder list the command works on (std::nullopt: no row selected).
// Messages and questions go through the context's interaction.

#include <optional>
#include <string_view>

#include "quorvane/store/list_context.h"

namespace quor::store {

// The title of the folder browser that picks a folder to add.
inline constexpr std::string_view kAddFolderTitle =
    "Select the folder to add:\n(Sub-folders are included automatically)";

// Adds the chosen folder as a new last record ("Path" and "Pathname" the
// path, "Update" 1, "cdrom" 0). An empty path (the browser was cancelled)
// does nothing; a path already in the list (compared exactly) is refused
// with a notice. Returns the new record's index, for the window to select
// it and open its Folder Options.
std::optional<int> addFolder(ListContext& context, std::string_view chosenPath);

// Removes the selected record after a confirmation, deletes its cache file,
// and moves every later record and cache file down by one, all records and
// "NumPaths" in one store transaction. A cache file that cannot be renamed
// is removed (it would describe another folder under its old index) and
// named in the message. Returns true when the row was removed.
[[nodiscard]] bool removeFolder(ListContext& context, std::optional<int> selected);

// Swaps the selected record with the one above (below), cache files too.
// Nothing happens on the first (last) row. Returns true when it moved.
[[nodiscard]] bool moveFolderUp(ListContext& context, std::optional<int> selected);
[[nodiscard]] bool moveFolderDown(ListContext& context, std::optional<int> selected);

// The check that starts Folder Options from the button or the menu: true
// when a row is selected, else the notice "You must select a folder first!".
[[nodiscard]] bool checkFolderSelected(ListContext& context, std::optional<int> selected);

}  // namespace quor::store
