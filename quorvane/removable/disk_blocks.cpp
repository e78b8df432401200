#include "quorvane/removable/disk_blocks.h"

#include "common/file_io.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/store/saved_list_format.h"

namespace quor::removable {

using generate::CacheLineKind;
using generate::cacheLineKind;
using generate::decodeCacheName;

Result<std::vector<std::string>> readNonEmptyLines(const std::filesystem::path& cacheFile) {
    Result<std::string> contents = readFile(cacheFile);
    if (!contents) {
        return Error{contents.error()};
    }
    std::vector<std::string> lines;
    for (std::string_view line : store::splitLines(*contents)) {
        if (!line.empty()) {
            lines.emplace_back(line);
        }
    }
    return lines;
}

Status writeLines(const std::filesystem::path& cacheFile, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return writeFileAtomically(cacheFile, text);
}

std::vector<std::string> diskNames(const std::vector<std::string>& lines) {
    std::vector<std::string> names;
    for (const std::string& line : lines) {
        if (cacheLineKind(line) == CacheLineKind::DiskHeader) {
            names.push_back(decodeCacheName(std::string_view(line).substr(1)));
        }
    }
    return names;
}

std::optional<BlockRange> findBlock(const std::vector<std::string>& lines, std::string_view name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (cacheLineKind(lines[i]) != CacheLineKind::DiskHeader ||
            decodeCacheName(std::string_view(lines[i]).substr(1)) != name) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < lines.size() && cacheLineKind(lines[end]) != CacheLineKind::DiskHeader) {
            ++end;
        }
        return BlockRange{i, end};
    }
    return std::nullopt;
}

}  // namespace quor::removable
