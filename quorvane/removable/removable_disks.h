#pragma once

// The Removable Disks window's operations: the list of every disk of every
// disk set, and viewing, deleting and renaming one disk. Rows are disk
// names; a selection is the selected row (std::nullopt: none).

#include <optional>
#include <string>
#include <vector>

#include "quorvane/store/list_context.h"

namespace quor::removable {

inline constexpr std::string_view kNoDisksRow = "There are no removable disks in the list.";

struct DiskList {
    std::vector<std::string> rows;  // sorted without regard to case
    int diskCount = 0;

    // "Number of disks: 3".
    std::string statusText() const { return "Number of disks: " + std::to_string(diskCount); }
};

// Every disk header of every disk set with a cache file; the single row
// kNoDisksRow when there is none.
DiskList fillDiskList(store::ListContext& context);

struct DiskView {
    std::string caption;  // "List of disk: " + name
    std::string text;     // the disk's files, sorted, lines joined by "\n"
};

// The files of the selected disk (name and columns, no folder headings), or
// nothing when no set holds that disk.
std::optional<DiskView> viewDisk(store::ListContext& context,
                                 const std::optional<std::string>& selected);

// Deletes the selected disk's block after a confirmation; the set's cache
// file is removed when no disk is left anywhere. Returns the refreshed list.
DiskList deleteDisk(store::ListContext& context, const std::optional<std::string>& selected);

// Renames the selected disk to newName (already cleaned by the rename
// dialog; "" or the old name changes nothing): its header and its own folder
// headings, then the set's blocks are put back in name order. A name that
// another disk of the same set has is refused. Returns the refreshed list.
DiskList renameDisk(store::ListContext& context, const std::optional<std::string>& selected,
                    const std::string& newName);

// True when the selection is the kNoDisksRow placeholder.
bool isPlaceholder(const std::optional<std::string>& selected);

// The notice for a command that needs a selected disk: true when there is
// one (the placeholder row counts as none for delete and rename).
[[nodiscard]] bool checkDiskSelected(store::ListContext& context,
                                     const std::optional<std::string>& selected);

}  // namespace quor::removable
