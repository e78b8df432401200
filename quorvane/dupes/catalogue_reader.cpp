#include "quorvane/dupes/catalogue_reader.h"

#include <algorithm>
#include <new>

#include "common/file_io.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/saved_list_format.h"

namespace quor::dupes {

using generate::CacheLineKind;
using generate::cacheLineKind;

void addCacheFileEntries(std::string_view contents, EntryStore& entries) {
    const std::vector<std::string_view> lines = store::splitLines(contents);
    std::size_t next = 0;
    if (next < lines.size() && cacheLineKind(lines[next++]) == CacheLineKind::DiskHeader) {
        ++next;  // the first disk's total
    }
    std::string_view folderText;
    while (next < lines.size()) {
        const std::string_view line = lines[next++];
        switch (cacheLineKind(line)) {
            case CacheLineKind::FolderHeading:
                folderText = line.substr(1);
                break;
            case CacheLineKind::DiskHeader:
                ++next;  // that disk's total
                break;
            case CacheLineKind::FileOrTotal:
                // No file has an empty name: a blank line is no entry.
                if (!line.empty()) {
                    entries.add(folderText, line);
                }
                break;
        }
    }
}

namespace {

// Reads record i's cache file into reading; false when it failed.
bool readRecord(const store::ListContext& context, int i, CatalogueReading& reading) {
    const std::filesystem::path file = context.places.cacheFile(i);
    if (!isRegularFile(file)) {
        return true;
    }
    Result<std::string> contents = readFile(file);
    if (!contents) {
        reading.failure = contents.error();
        return false;
    }
    addCacheFileEntries(*contents, reading.entries);
    return true;
}

}  // namespace

CatalogueReading readCatalogue(const store::ListContext& context, bool includeRemovables,
                               std::size_t expectedEntries) {
    CatalogueReading reading;
    try {
        // A hint only: a wild count must not cost memory.
        reading.entries.reserve(std::min<std::size_t>(expectedEntries, 4'000'000));
        const store::AppSettings settings = context.settings();
        const int records = store::numPaths(settings);
        for (int i = 0; i < records; ++i) {
            if (!includeRemovables &&
                store::isRemovableDiskSet(store::readFolderRecord(settings, i))) {
                continue;
            }
            ++reading.includedFolders;
            if (!readRecord(context, i, reading)) {
                return reading;
            }
            if (context.user.keepResponsive()) {
                reading.stopped = true;
                return reading;
            }
        }
    } catch (const store::StoreError& error) {
        reading.failure = error.what();
    } catch (const std::bad_alloc& error) {
        reading.failure = error.what();  // a catalogue too large to hold
    }
    return reading;
}

}  // namespace quor::dupes
