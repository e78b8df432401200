#pragma once

// The actions of the Duplicate Files window on a selected row: Open (or
// play), Delete and Rename. Each first resolves the row (row_resolution.h);
// Delete and Rename also correct the cache file that lists the file, so
// the catalogue stays in step without a rebuild, and keep the rows and the
// row map aligned. Messages and questions go through the Interaction.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "quorvane/dupes/dupes_search.h"
#include "quorvane/dupes/file_opener.h"
#include "quorvane/store/list_context.h"

namespace quor::dupes {

inline constexpr std::string_view kSelectFileToRename = "You must first select a file to rename!";
inline constexpr std::string_view kSelectFileToDelete = "You must first select a file to delete!";
inline constexpr std::string_view kNotRegistered =
    "This file type is not registered with the system\n"
    "or the registered program could not be found.";
inline constexpr std::string_view kDeleteFailed = "There was a problem deleting this file!";
inline constexpr std::string_view kRenameFailed = "There was a problem renaming this file!";
inline constexpr std::string_view kRenameCaption = "Rename File";

// The rename dialog: shows the current name in both boxes and gives the
// text of the new-name box on OK, or nothing on Cancel.
class RenameDialog {
  public:
    virtual ~RenameDialog() = default;
    virtual std::optional<std::string> ask(std::string_view currentName) = 0;
};

// The new file name the dialog hands back: on OK a text that is not empty
// and differs from the current name, with every * ? / < " > \ removed;
// otherwise the text unchanged; on Cancel the empty text.
std::string renameDialogResult(std::string_view currentName,
                               const std::optional<std::string>& typed);

enum class ActionOutcome {
    Nothing,    // no row, an empty row, or a name left unchanged
    Cancelled,  // the user said No or Cancel, or the target name exists
    Done,
    Failed,  // a message told the user what went wrong
};

// Opens the file of the selected row with "open", and when that fails and
// it is a sound file, with "play"; otherwise says "This file type is not
// registered ..." with the reason "open" gave after an empty line.
ActionOutcome openRow(const store::ListContext& context, const DupesRows& list,
                      std::optional<std::size_t> selected, FileOpener& opener);

// Asks "Are you sure you want to delete the" / "file: " + path + "?",
// deletes the file, removes the row, drops the file's line from its cache
// file and lowers "NumFiles" by one. Without a selection: "You must first
// select a file to delete!".
ActionOutcome deleteRow(const store::ListContext& context, DupesRows& list,
                        std::optional<std::size_t> selected);

// Asks for the new name, refuses a name that exists in the folder ("Can't
// rename, the file " + name + " already exists!"), renames the file, shows
// the new name in every row of that file and writes the new line into its
// cache file. Without a selection: "You must first select a file to
// rename!".
ActionOutcome renameRow(const store::ListContext& context, DupesRows& list,
                        std::optional<std::size_t> selected, RenameDialog& dialog);

}  // namespace quor::dupes
