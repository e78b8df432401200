#include "quorvane/removable/removable_disks.h"

#include <algorithm>

#include "common/file_io.h"
#include "common/names.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/generate/sort.h"
#include "quorvane/generate/sort_disk_blocks.h"
#include "quorvane/removable/disk_blocks.h"
#include "quorvane/removable/disk_order.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/operation_failure.h"

namespace quor::removable {

namespace fs = std::filesystem;
using generate::CacheLineKind;
using generate::cacheLineKind;

namespace {

// The disk sets that have a cache file, in index order.
std::vector<int> diskSetsWithCacheFiles(store::ListContext& context) {
    std::vector<int> sets;
    const store::AppSettings settings = context.settings();
    const int count = store::numPaths(settings);
    for (int i = 0; i < count; ++i) {
        if (store::isRemovableDiskSet(store::readFolderRecord(settings, i)) &&
            isRegularFile(context.places.cacheFile(i))) {
            sets.push_back(i);
        }
    }
    return sets;
}

// The first disk set (in index order) whose cache file holds the disk, with
// that file's lines and the block's range.
struct FoundDisk {
    int record;
    std::vector<std::string> lines;
    BlockRange block;
};

// Nothing when no disk set holds the disk.
Result<std::optional<FoundDisk>> findDisk(store::ListContext& context, const std::string& name) {
    for (int record : diskSetsWithCacheFiles(context)) {
        Result<std::vector<std::string>> lines =
            readNonEmptyLines(context.places.cacheFile(record));
        if (!lines) {
            return Error{lines.error()};
        }
        if (auto block = findBlock(*lines, name)) {
            return std::optional<FoundDisk>(FoundDisk{record, std::move(*lines), *block});
        }
    }
    return std::optional<FoundDisk>();
}

// The names of the disks of every disk set, unsorted.
Status collectDiskNames(store::ListContext& context, DiskList& list) {
    for (int record : diskSetsWithCacheFiles(context)) {
        Result<std::vector<std::string>> lines =
            readNonEmptyLines(context.places.cacheFile(record));
        if (!lines) {
            return Error{lines.error()};
        }
        for (std::string& name : diskNames(*lines)) {
            list.rows.push_back(std::move(name));
            ++list.diskCount;
        }
    }
    return Status::success();
}

// The files of the disk's block as the disk view shows them, sorted.
std::vector<std::string> diskFiles(const FoundDisk& found) {
    std::vector<std::string> files;
    // Skip the header and the disk's total line.
    for (std::size_t i = found.block.first + 2; i < found.block.end; ++i) {
        const std::string& line = found.lines[i];
        if (cacheLineKind(line) == CacheLineKind::FolderHeading) {
            continue;
        }
        const generate::CacheFileLine parts = generate::splitFileLine(line);
        std::string rest(parts.rest);
        if (!rest.empty() && rest[0] == '*') {
            rest.erase(0, 1);  // the name runs straight into its columns
        }
        files.push_back(generate::shownName(generate::decodeCacheName(parts.storedName)) + rest);
    }
    generate::SortStrings(files);
    return files;
}

}  // namespace

bool isPlaceholder(const std::optional<std::string>& selected) {
    return selected && *selected == kNoDisksRow;
}

bool checkDiskSelected(store::ListContext& context, const std::optional<std::string>& selected) {
    if (!selected) {
        context.user.notice("You must select a disk first!");
        return false;
    }
    return true;
}

DiskList fillDiskList(store::ListContext& context) {
    DiskList list;
    // A set that cannot be read is told; the disks read before it are listed.
    (void)store::runOperation(context.user, {"There was a problem reading the list of disks!"},
                              [&] { return collectDiskNames(context, list); });
    std::sort(list.rows.begin(), list.rows.end(), caseInsensitiveLess);
    if (list.rows.empty()) {
        list.rows.emplace_back(kNoDisksRow);
    }
    return list;
}

std::optional<DiskView> viewDisk(store::ListContext& context,
                                 const std::optional<std::string>& selected) {
    if (!checkDiskSelected(context, selected)) {
        return std::nullopt;
    }
    BusyPointer busy(context.user);
    std::optional<DiskView> view;  // nothing when the disk is gone or cannot be read (told)
    (void)store::runOperation(
        context.user, {"There was a problem reading this disk!"}, [&]() -> Status {
            Result<std::optional<FoundDisk>> found = findDisk(context, *selected);
            if (!found) {
                return Error{found.error()};
            }
            if (*found) {
                const std::vector<std::string> files = diskFiles(**found);
                view = DiskView{"List of disk: " + *selected, {}};
                for (std::size_t i = 0; i < files.size(); ++i) {
                    view->text += (i == 0 ? "" : "\n") + files[i];
                }
            }
            return Status::success();
        });
    return view;
}

DiskList deleteDisk(store::ListContext& context, const std::optional<std::string>& selected) {
    if (isPlaceholder(selected) || !checkDiskSelected(context, selected)) {
        return fillDiskList(context);
    }
    if (!context.user.confirmDestructive("Are you sure you want to delete " + *selected +
                                         "\nfrom the list?")) {
        return fillDiskList(context);
    }
    BusyPointer busy(context.user);
    std::optional<DiskList> left;
    const bool deleted = store::runOperation(
        context.user, {"There was a problem deleting this disk!"}, [&]() -> Status {
            Result<std::optional<FoundDisk>> found = findDisk(context, *selected);
            if (!found) {
                return Error{found.error()};
            }
            if (!*found) {
                return Status::success();
            }
            std::vector<std::string>& lines = (*found)->lines;
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>((*found)->block.first),
                        lines.begin() + static_cast<std::ptrdiff_t>((*found)->block.end));
            const fs::path file = context.places.cacheFile((*found)->record);
            if (Status written = writeLines(file, lines); !written) {
                return written;
            }
            left = fillDiskList(context);
            // A set whose last disk went has no cache file left.
            return left->diskCount == 0 ? removeFileIfExists(file) : Status::success();
        });
    return deleted && left ? std::move(*left) : fillDiskList(context);
}

namespace {

// The block's lines with the disk named newName: its header, and its folder
// headings that begin with the old name's folder.
void renameBlock(std::vector<std::string>& lines, const BlockRange& block,
                 const std::string& oldName, const std::string& newName) {
    const std::string oldRoot = "*" + generate::encodeCacheName(oldName) + "/";
    const std::string newRoot = "*" + generate::encodeCacheName(newName) + "/";
    lines[block.first] = "?" + generate::encodeCacheName(newName);
    for (std::size_t i = block.first + 1; i < block.end; ++i) {
        std::string& line = lines[i];
        if (cacheLineKind(line) == CacheLineKind::FolderHeading && line.size() >= oldRoot.size() &&
            equalsIgnoringCase(std::string_view(line).substr(0, oldRoot.size()), oldRoot)) {
            line = newRoot + line.substr(oldRoot.size());
        }
    }
}

}  // namespace

DiskList renameDisk(store::ListContext& context, const std::optional<std::string>& selected,
                    const std::string& newName) {
    if (isPlaceholder(selected) || !checkDiskSelected(context, selected) || newName.empty() ||
        newName == *selected) {
        return fillDiskList(context);
    }
    BusyPointer busy(context.user);
    // A failure is told; the list shows the disks as they are now either way.
    (void)store::runOperation(
        context.user, {"There was a problem renaming this disk!"}, [&]() -> Status {
            Result<std::optional<FoundDisk>> found = findDisk(context, *selected);
            if (!found || !*found) {
                return found ? Status::success() : Status(Error{found.error()});
            }
            FoundDisk& disk = **found;
            const std::vector<std::string> names = diskNames(disk.lines);
            if (std::find(names.begin(), names.end(), newName) != names.end()) {
                context.user.notice("There is already a disk with this name!");
                return Status::success();
            }
            renameBlock(disk.lines, disk.block, *selected, newName);
            if (Status written = writeLines(context.places.cacheFile(disk.record), disk.lines);
                !written) {
                return written;
            }
            return generate::SortDiskBlocks(context, disk.record);
        });
    return fillDiskList(context);
}

}  // namespace quor::removable
