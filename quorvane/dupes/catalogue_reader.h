#pragma once

// Reads the folder cache files of the catalogued folders into duplicate
// entries, in record order, file line by file line.

#include <optional>
#include <string>
#include <string_view>

#include "quorvane/dupes/entry_store.h"
#include "quorvane/store/list_context.h"

namespace quor::dupes {

struct CatalogueReading {
    EntryStore entries;
    int includedFolders = 0;             // records that took part, with or without a cache file
    bool stopped = false;                // a stop request ended the reading early
    std::optional<std::string> failure;  // what went wrong; the entries read before it stay
};

// Reads the cache file of every record 0 to "NumPaths" - 1, except removable
// disk sets when includeRemovables is false. A missing cache file is passed
// over. In a file, the first line (the total) is skipped, and after a disk
// header also the disk's total; a folder heading sets the folder text; any
// other non-empty line is a file line and becomes an entry. After each
// included record the user gets a chance to ask for a stop
// (Interaction::keepResponsive), which ends the reading there.
// expectedEntries sizes the store up front; more entries are still read.
// An unreadable cache file or a settings failure ends the reading with
// failure set.
CatalogueReading readCatalogue(const store::ListContext& context, bool includeRemovables,
                               std::size_t expectedEntries);

// Adds the entries of one cache file's text to entries.
void addCacheFileEntries(std::string_view contents, EntryStore& entries);

}  // namespace quor::dupes
