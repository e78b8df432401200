#pragma once

// The File menu's list commands (New List, Open List, Delete List), the
// saved-list chooser's rules, and what closing the main window does to the
// saved lists. The window shows the chooser and passes its answer in.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvane/store/list_context.h"

namespace quor::store {

// Program-wide state of the list commands.
struct ListSession {
    // The list given to loadlist by the last Open List ("music.lst"); ""
    // until a list is opened, and again after New List.
    std::string openedListName;
};

// New List: the current list is saved afresh under its own name (when it
// has an output file), then the current configuration is cleared.
void newList(ListContext& context, ListSession& session);

// Open List with the chooser's answer ("music.lst"; "" when the user left
// the chooser without choosing, which changes nothing). The chosen file is
// read and checked first: one that cannot be opened is reported ("There was
// a problem opening the list! (openlist)", the problem as caption) and
// changes nothing. Otherwise the current list is saved, then replaced.
// Returns true when a list was opened.
[[nodiscard]] bool openList(ListContext& context, ListSession& session,
                            std::string_view chosenListName);

// Delete List with the chooser's answer; "" deletes nothing. The current
// configuration is not touched.
void deleteList(ListContext& context, std::string_view chosenListName);

// Closing the main window: the opened list's files are deleted and the
// current configuration saved under the name of its output file, so a list
// whose output file changed moves to the new name.
void saveOnClose(ListContext& context, const ListSession& session);

// "List: music.html, 1,234 files, 1.50MB" after a list was opened or built;
// "List:" for a new list.
std::string listLabelText(const AppSettings& settings);
inline constexpr std::string_view kEmptyListLabel = "List:";

// The file name of the current list's output file ("music.html"); "" for a
// new list. The list is saved under the text before its first ".".
std::string currentListName(const AppSettings& settings);

// "Quorvane - music.html", or "Quorvane" for a new list.
std::string windowCaption(const AppSettings& settings);

// The chooser of saved lists.
enum class ChooserMode { Open, Delete };

struct ChooserTexts {
    std::string_view caption;
    std::string_view prompt;
    std::string_view button;
};
ChooserTexts chooserTexts(ChooserMode mode);

// The saved lists of the data folder (names without ".lst"), sorted
// without regard to case.
std::vector<std::string> savedListNames(const Places& places);

// The row of names (as savedListNames gives them) that the chooser selects
// when it opens: the list current names ("music", "music.lst", or an output
// file "music.html" saved as "music"), else the only list there is;
// std::nullopt when neither applies.
std::optional<std::size_t> preselectedList(const std::vector<std::string>& names,
                                           std::string_view current);

// The chooser's Open/Delete button or a double click, with the selected
// item (std::nullopt: none). Returns std::nullopt to stay open (after "Please
// select a saved list!"), else the chosen list name to close with: item +
// ".lst", or "" when a deletion was not confirmed.
std::optional<std::string> chooseSavedList(Interaction& user, ChooserMode mode,
                                           const std::optional<std::string>& selectedItem);

}  // namespace quor::store
