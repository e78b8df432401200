#pragma once

// The state and rules of the Folder Options dialog for one folder record.
// The window shows these fields, forwards the user's clicks, and closes when
// accept() says so.

#include <string>
#include <string_view>

#include "quorvane/store/list_context.h"

namespace quor::store {

// The question before a disk set's disks are discarded.
inline constexpr std::string_view kEraseDisksQuestion =
    "This will erase any removable disks you\nhave entered for this path.\nAre you sure you want "
    "to "
    "do this?";

class FolderOptions {
  public:
    // Loads the record's values (the dialog's load).
    FolderOptions(ListContext& context, int index);

    int index() const { return index_; }

    // The controls' contents, edited by the window.
    std::string path;            // "Folder:"
    std::string pathName;        // "Show name in list as:"
    bool update = true;          // "Update each time? ..."
    bool multipleDisks = false;  // "Does this folder have multiple disks? ..."

    // Which controls are enabled.
    bool updateEnabled() const { return updateEnabled_; }
    bool diskButtonsEnabled() const { return diskButtonsEnabled_; }

    // OK: stores the record and returns true (close), or shows "You must
    // enter a valid path!" and returns false (stay open). The display name
    // is cleaned of name characters unless it equals the path but for case,
    // in which case the path itself is stored.
    [[nodiscard]] bool accept();

    // The multiple-disks box was clicked; multipleDisks holds its new state.
    // Switching the record's kind discards its cache file and stores the new
    // kind at once (the two kinds of cache file have different layouts).
    // Unticking a set that has disks asks first, with No as the default.
    void multipleDisksClicked();

    // Add All's question; true when the user agreed to erase the disks, or
    // at once when the set has no disks yet. No is the default answer.
    [[nodiscard]] bool confirmAddAll();

    // True when the record's cache file holds something that erasing would
    // lose (or cannot be looked at).
    bool hasDisks() const;

  private:
    void showAsRemovable(bool removable);
    [[nodiscard]] bool confirmErase();

    ListContext& context_;
    int index_;
    int storedRemovable_ = 0;
    bool updateEnabled_ = true;
    bool diskButtonsEnabled_ = false;
};

}  // namespace quor::store
