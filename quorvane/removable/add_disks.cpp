#include "quorvane/removable/add_disks.h"

#include <algorithm>

#include "common/file_io.h"
#include "common/names.h"
#include "platform/volume_label.h"
#include "quorvane/generate/scanner.h"
#include "quorvane/generate/sort_disk_blocks.h"
#include "quorvane/removable/disk_blocks.h"
#include "quorvane/removable/disk_order.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/operation_failure.h"
#include "quorvane/store/quorvane_settings.h"

namespace quor::removable {

AddDisks::AddDisks(store::ListContext& context, generate::RemovableDiskState& state)
    : context_(context), state_(state) {
    const store::AppSettings settings = context.settings();
    drivePath_ = settings.get(store::recordSection(state.recordIndex), store::kPath);
    if (!state.addToSet) {
        caption_ = "Add All Disks for " + drivePath_;
        return;
    }
    caption_ = "Add New Disks for " + drivePath_;
    const auto file = context.places.cacheFile(state.recordIndex);
    if (!isRegularFile(file)) {
        return;
    }
    Result<std::vector<std::string>> lines = readNonEmptyLines(file);
    if (!lines) {
        context.user.notice("There was a problem reading the list of disks!", lines.error());
        return;
    }
    for (const std::string& name : diskNames(*lines)) {
        listDisk(name);
    }
}

void AddDisks::listDisk(const std::string& name) {
    disks_.insert(std::upper_bound(disks_.begin(), disks_.end(), name, caseInsensitiveLess), name);
}

std::string AddDisks::prompt() const {
    return "Enter a name for disk " + std::to_string(disks_.size() + 1) + ":";
}

std::string AddDisks::suggestedName() const {
    return "Disk " + std::to_string(disks_.size() + 1);
}

bool AddDisks::add(const std::string& typedName) {
    if (typedName.empty()) {
        context_.user.notice("You must enter a name for this disk!");
        return false;
    }
    const std::string name = stripNameCharacters(typedName);
    if (name.empty() || std::find(disks_.begin(), disks_.end(), name) != disks_.end()) {
        context_.user.notice(name.empty() ? "You must enter a name for this disk!"
                                          : "There is already a disk with this name!");
        return false;
    }
    BusyPointer busy(context_.user);
    listDisk(name);
    bool written = false;
    const bool read =
        store::runOperation(context_.user, {"There was a problem reading the disk!,, error"}, [&] {
            store::AppSettings settings = context_.settings();
            settings.save(store::recordSection(state_.recordIndex), store::kPathname, name);
            const std::string mask = settings.get(store::kFileMask);
            generate::Scanner scanner(context_);
            scanner.reset();
            (void)scanner.Scan(drivePath_, mask, state_.recordIndex);
            // A failed write has been told by the scanner.
            written = scanner.WriteCacheFile(state_.recordIndex, state_).ok();
            return Status::success();
        });
    if (!read || !written) {
        return false;
    }
    state_.newFile = false;
    state_.addToSet = true;
    return true;
}

void AddDisks::done() {
    (void)generate::SortDiskBlocks(context_, state_.recordIndex);
}

std::string AddDisks::driveLabel() const {
    return platform::volumeLabel(drivePath_);
}

}  // namespace quor::removable
