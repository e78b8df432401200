#pragma once

// Keeps a folder cache file in step after a file was renamed or deleted,
// without a rebuild: only the file's own line in its own folder's section
// changes (the lines after the heading "*" + folder text up to the next
// folder heading or disk header), so a file of the same name in another
// folder keeps its line.

#include <filesystem>
#include <optional>
#include <string_view>

#include "common/result.h"

namespace quor::dupes {

// Rewrites cacheFile with oldLine in the section of folderText (heading
// compared without regard to case) replaced by *newLine, or left out when
// newLine is empty. The file is replaced atomically, with CR LF line ends;
// when no line matches it is left as it is. Fails with the reason when the
// file cannot be read or written; it is then unchanged.
Status correctCacheFile(const std::filesystem::path& cacheFile, std::string_view folderText,
                        std::string_view oldLine, std::optional<std::string_view> newLine);

}  // namespace quor::dupes
