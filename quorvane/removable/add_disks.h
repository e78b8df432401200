#pragma once

// The add-disk dialog: reads disks one after another into a removable disk
// set, each under a name the user gives. The window shows these texts and
// calls add() for the Add button and done() when the user is finished.

#include <string>
#include <vector>

#include "quorvane/generate/removable_disk_state.h"
#include "quorvane/store/list_context.h"

namespace quor::removable {

class AddDisks {
  public:
    // Opens the dialog for the set state.recordIndex: with addToSet set, the
    // disks already in its cache file are listed.
    AddDisks(store::ListContext& context, generate::RemovableDiskState& state);

    // "Add All Disks for /media/cdrom" or "Add New Disks for /media/cdrom".
    const std::string& caption() const { return caption_; }
    // The disks of this set, sorted without regard to case.
    const std::vector<std::string>& disks() const { return disks_; }
    // "Enter a name for disk 3:" and the suggested name "Disk 3".
    std::string prompt() const;
    std::string suggestedName() const;

    // Reads the disk in the drive under typedName (cleaned of name
    // characters). Refuses an empty name or one the set already lists, with
    // a notice. Returns true when the disk was read and written.
    [[nodiscard]] bool add(const std::string& typedName);

    // Done: puts the set's disk blocks in name order.
    void done();

    // The volume label of the drive, for the "Get Disk Label" button.
    std::string driveLabel() const;

  private:
    void listDisk(const std::string& name);

    store::ListContext& context_;
    generate::RemovableDiskState& state_;
    std::string drivePath_;
    std::string caption_;
    std::vector<std::string> disks_;
};

}  // namespace quor::removable
