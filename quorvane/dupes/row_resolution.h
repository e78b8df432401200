#pragma once

// Turns a duplicate row's stored name back into the real file: which folder
// record lists it, the real folder, and the full path, asking for the disk
// when the file is on a removable disk that is not in the drive.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"
#include "quorvane/store/list_context.h"

namespace quor::dupes {

inline constexpr std::string_view kInsertDisk = "Please insert the disk ";
inline constexpr std::string_view kFileNotFoundCaption = "File Not Found";

struct ResolvedRow {
    std::string storedName;
    std::string folderText;  // as the cache file holds it (escaped), ends in "/"
    std::string cacheLine;   // as the cache file holds it (escaped)
    std::string fileName;    // decoded
    int record = -1;
    std::string realFolder;  // ends in "/"
    std::string fullPath;    // realFolder + fileName
};

// Finds the record the stored name belongs to and the real path. The lowest
// record index that fits decides: a fixed folder fits when its display name
// (with "/") begins the folder text, without regard to case, and the real
// folder is its "Path" with the rest of the folder text; a removable disk
// set fits when its cache file has a disk header naming the folder text's
// first component, and the real folder is its "Path" with the folder text
// after that component.
//
// When no file exists at the path, asks "Please insert the disk " + real
// folder (OK, Cancel; caption "File Not Found") until the file is there or
// the user cancels, which gives an empty optional. Fails when no record
// holds the folder, when the row names no safe path (a file name "." or
// ".." or with "/", a ".." folder below the record), or when a cache file
// cannot be read.
Result<std::optional<ResolvedRow>> resolveRow(const store::ListContext& context,
                                              std::string_view storedName);

// Asks for the disk until a file exists at resolved.fullPath; false when the
// user cancelled.
[[nodiscard]] bool waitForFile(const store::ListContext& context, const ResolvedRow& resolved);

// The index of the first record (0 to "NumPaths" - 1) whose cache file has
// the folder heading "*" + folderText (without regard to case); empty when
// none has. Fails when a cache file cannot be read.
Result<std::optional<int>> findListingCacheFile(const store::ListContext& context,
                                                std::string_view folderText);

}  // namespace quor::dupes
