#include "quorvane/removable/removable_disks.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "common/file_io.h"
#include "common/names.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/generate/sort.h"
#include "quorvane/generate/sort_disk_blocks.h"
#include "quorvane/removable/disk_blocks.h"
#include "quorvane/removable/disk_order.h"
#include "quorvane/store/folder_records.h"

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

std::vector<std::string> readLinesOrThrow(const fs::path& file) {
    Result<std::vector<std::string>> lines = readNonEmptyLines(file);
    if (!lines) {
        throw std::runtime_error(lines.error());
    }
    return std::move(*lines);
}

void checkWritten(const Status& status) {
    if (!status) {
        throw std::runtime_error(status.error());
    }
}

// The first disk set (in index order) whose cache file holds the disk, with
// that file's lines and the block's range.
struct FoundDisk {
    int record;
    std::vector<std::string> lines;
    BlockRange block;
};

std::optional<FoundDisk> findDisk(store::ListContext& context, const std::string& name) {
    for (int record : diskSetsWithCacheFiles(context)) {
        std::vector<std::string> lines = readLinesOrThrow(context.places.cacheFile(record));
        if (auto block = findBlock(lines, name)) {
            return FoundDisk{record, std::move(lines), *block};
        }
    }
    return std::nullopt;
}

}  // namespace

bool isPlaceholder(const std::optional<std::string>& selected) {
    return selected && *selected == kNoDisksRow;
}

bool checkDiskSelected(store::ListContext& context, const std::optional<std::string>& selected) {
    if (!selected) {
        context.ui.notice("You must select a disk first!");
        return false;
    }
    return true;
}

DiskList fillDiskList(store::ListContext& context) {
    DiskList list;
    try {
        for (int record : diskSetsWithCacheFiles(context)) {
            for (std::string& name :
                 diskNames(readLinesOrThrow(context.places.cacheFile(record)))) {
                list.rows.push_back(std::move(name));
                ++list.diskCount;
            }
        }
    } catch (const std::exception& error) {
        context.ui.notice("There was a problem reading the list of disks!", error.what());
    }
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
    BusyPointer busy(context.ui);
    try {
        const std::optional<FoundDisk> found = findDisk(context, *selected);
        if (!found) {
            return std::nullopt;
        }
        std::vector<std::string> files;
        // Skip the header and the disk's total line.
        for (std::size_t i = found->block.first + 2; i < found->block.end; ++i) {
            const std::string& line = found->lines[i];
            if (cacheLineKind(line) == CacheLineKind::FolderHeading) {
                continue;
            }
            const generate::CacheFileLine parts = generate::splitFileLine(line);
            std::string rest(parts.rest);
            if (!rest.empty() && rest[0] == '*') {
                rest.erase(0, 1);  // the name runs straight into its columns
            }
            files.push_back(generate::shownName(generate::decodeCacheName(parts.storedName)) +
                            rest);
        }
        generate::SortStrings(files);
        DiskView view{"List of disk: " + *selected, {}};
        for (std::size_t i = 0; i < files.size(); ++i) {
            view.text += (i == 0 ? "" : "\n") + files[i];
        }
        return view;
    } catch (const std::exception& error) {
        context.ui.notice("There was a problem reading this disk!", error.what());
    }
    return std::nullopt;
}

DiskList deleteDisk(store::ListContext& context, const std::optional<std::string>& selected) {
    if (isPlaceholder(selected) || !checkDiskSelected(context, selected)) {
        return fillDiskList(context);
    }
    if (!context.ui.confirmDestructive("Are you sure you want to delete " + *selected +
                                       "\nfrom the list?")) {
        return fillDiskList(context);
    }
    BusyPointer busy(context.ui);
    try {
        std::optional<FoundDisk> found = findDisk(context, *selected);
        if (found) {
            std::vector<std::string>& lines = found->lines;
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(found->block.first),
                        lines.begin() + static_cast<std::ptrdiff_t>(found->block.end));
            const fs::path file = context.places.cacheFile(found->record);
            checkWritten(writeLines(file, lines));
            DiskList list = fillDiskList(context);
            if (list.diskCount == 0) {
                checkWritten(removeFileIfExists(file));
            }
            return list;
        }
    } catch (const std::exception& error) {
        context.ui.notice("There was a problem deleting this disk!", error.what());
    }
    return fillDiskList(context);
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
    BusyPointer busy(context.ui);
    try {
        std::optional<FoundDisk> found = findDisk(context, *selected);
        if (found) {
            const std::vector<std::string> names = diskNames(found->lines);
            if (std::find(names.begin(), names.end(), newName) != names.end()) {
                context.ui.notice("There is already a disk with this name!");
                return fillDiskList(context);
            }
            renameBlock(found->lines, found->block, *selected, newName);
            checkWritten(writeLines(context.places.cacheFile(found->record), found->lines));
            checkWritten(generate::SortDiskBlocks(context, found->record));
        }
    } catch (const std::exception& error) {
        context.ui.notice("There was a problem renaming this disk!", error.what());
    }
    return fillDiskList(context);
}

}  // namespace quor::removable
