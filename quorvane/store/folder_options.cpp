#include "quorvane/store/folder_options.h"

#include <filesystem>
#include <system_error>

#include "common/file_io.h"
#include "common/names.h"
#include "common/number_text.h"
#include "quorvane/store/folder_records.h"

namespace quor::store {

FolderOptions::FolderOptions(ListContext& context, int index) : context_(context), index_(index) {
    const FolderRecord record = readFolderRecord(context.settings(), index);
    storedRemovable_ = toInt16(leadingNumber(record.cdrom)).value_or(0);
    path = record.path;
    pathName = record.pathname;
    update = record.update.empty() || leadingNumber(record.update) != 0;
    multipleDisks = isRemovableDiskSet(record);
    showAsRemovable(multipleDisks);
}

void FolderOptions::showAsRemovable(bool removable) {
    diskButtonsEnabled_ = removable;
    updateEnabled_ = !removable;
    if (removable) {
        update = false;
    }
}

bool FolderOptions::accept() {
    if (path.empty()) {
        context_.user.notice("You must enter a valid path!");
        return false;
    }
    // A display name that differs from the path is cleaned of the name
    // characters (shown cleaned in the box); one that is empty, equal to the
    // path but for case, or nothing but name characters gives the path.
    std::string displayName = path;
    if (!pathName.empty() && !equalsIgnoringCase(pathName, path)) {
        pathName = stripNameCharacters(pathName);
        if (!pathName.empty()) {
            displayName = pathName;
        }
    }
    AppSettings settings = context_.settings();
    const std::string section = recordSection(index_);
    context_.store.transaction([&] {
        settings.save(section, kPath, path);
        settings.save(section, kPathname, displayName);
        settings.save(section, kUpdate, update ? "1" : "0");
        settings.save(section, kCdrom, multipleDisks ? "1" : "0");
    });
    return true;
}

void FolderOptions::multipleDisksClicked() {
    AppSettings settings = context_.settings();
    const std::string section = recordSection(index_);
    auto storeKind = [&] {
        (void)removeFileIfExists(context_.places.cacheFile(index_));  // errors ignored
        context_.store.transaction([&] {
            settings.save(section, kUpdate, update ? "1" : "0");
            settings.save(section, kCdrom, multipleDisks ? "1" : "0");
        });
    };
    if (!multipleDisks && storedRemovable_ != 0) {
        if (confirmErase()) {
            showAsRemovable(false);
            update = true;
            storedRemovable_ = 0;
            storeKind();
        } else {
            storedRemovable_ = 1;
            multipleDisks = true;
        }
        return;
    }
    if (storedRemovable_ == 0) {
        update = true;
        updateEnabled_ = true;
    }
    if (static_cast<int>(multipleDisks) != storedRemovable_) {
        showAsRemovable(true);
        storedRemovable_ = 1;
        storeKind();
    }
}

bool FolderOptions::confirmAddAll() {
    return confirmErase();
}

// Only a set with disks read is asked about: without a cache file (or with
// an empty one) there is nothing to erase. A cache file that cannot be
// looked at counts as holding disks, so the question is never skipped by
// mistake.
bool FolderOptions::hasDisks() const {
    std::error_code error;
    const auto size = std::filesystem::file_size(context_.places.cacheFile(index_), error);
    if (error) {
        return error != std::errc::no_such_file_or_directory;
    }
    return size > 0;
}

bool FolderOptions::confirmErase() {
    return !hasDisks() || context_.user.confirmDestructive(kEraseDisksQuestion);
}

}  // namespace quor::store
