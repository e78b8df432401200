#pragma once

// The disk blocks of a removable disk set's cache file: "?" + disk name, the
// disk's total line, then its folder headings and file lines, one block per
// disk read. These helpers read and rewrite the blocks; every rewrite drops
// empty lines and replaces the file atomically.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace quor::removable {

// The lines of a cache file without its empty lines.
Result<std::vector<std::string>> readNonEmptyLines(const std::filesystem::path& cacheFile);

// Writes lines with CR LF ends, atomically.
Status writeLines(const std::filesystem::path& cacheFile, const std::vector<std::string>& lines);

// The disk names of the blocks, decoded, in file order.
std::vector<std::string> diskNames(const std::vector<std::string>& lines);

// The index range [first, end) of the block of the disk named name (decoded,
// compared exactly), or nothing when the file has no such disk.
struct BlockRange {
    std::size_t first;
    std::size_t end;
};
std::optional<BlockRange> findBlock(const std::vector<std::string>& lines, std::string_view name);

}  // namespace quor::removable
