#pragma once

// Folder records: the catalogued folders, numbered 0 to "NumPaths" - 1
// without gaps. Record i is the settings section named "i" (decimal, no
// sign or padding) and owns the folder cache file i.txt.

#include <string>
#include <string_view>
#include <vector>

#include "quorvane/store/quorvane_settings.h"
#include "quorvane/store/settings_store.h"

namespace quor::store {

inline constexpr std::string_view kPath = "Path";
inline constexpr std::string_view kPathname = "Pathname";
inline constexpr std::string_view kUpdate = "Update";
inline constexpr std::string_view kCdrom = "cdrom";

// The four keys of a record, as stored ("" when missing).
struct FolderRecord {
    std::string path;
    std::string pathname;
    std::string update;
    std::string cdrom;

    bool operator==(const FolderRecord&) const = default;
};

// The section name of record i: "0", "1", ...
std::string recordSection(int index);

// "NumPaths" as a count: its leading numeric value rounded to a 16-bit
// integer, 0 when negative. A count that does not fit is a broken store:
// throws StoreError ("Overflow: ..."), which the operations report as their
// failure.
int numPaths(const AppSettings& settings);

// Whether numPaths can read the count: the "Overflow: ..." error when not.
Status checkNumPaths(const AppSettings& settings);

FolderRecord readFolderRecord(const AppSettings& settings, int index);
void writeFolderRecord(AppSettings& settings, int index, const FolderRecord& record);

// True when the record is a removable disk set ("cdrom" is 1).
bool isRemovableDiskSet(const FolderRecord& record);

// The "Path" of every record in index order: the rows of the folder list.
std::vector<std::string> folderListRows(const AppSettings& settings);

}  // namespace quor::store
