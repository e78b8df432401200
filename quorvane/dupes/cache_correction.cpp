#include "quorvane/dupes/cache_correction.h"

#include <string>

#include "common/file_io.h"
#include "common/names.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/store/saved_list_format.h"

namespace quor::dupes {

using generate::CacheLineKind;
using generate::cacheLineKind;

Status correctCacheFile(const std::filesystem::path& cacheFile, std::string_view folderText,
                        std::string_view oldLine, std::optional<std::string_view> newLine) {
    Result<std::string> contents = readFile(cacheFile);
    if (!contents) {
        return Error{contents.error()};
    }
    std::string corrected;
    corrected.reserve(contents->size() + 2);
    bool inSection = false;
    bool changed = false;
    for (std::string_view line : store::splitLines(*contents)) {
        switch (cacheLineKind(line)) {
            case CacheLineKind::FolderHeading:
                inSection = equalsIgnoringCase(line.substr(1), folderText);
                break;
            case CacheLineKind::DiskHeader:
                inSection = false;
                break;
            case CacheLineKind::FileOrTotal:
                if (inSection && line == oldLine) {
                    changed = true;
                    if (!newLine) {
                        continue;
                    }
                    line = *newLine;
                }
                break;
        }
        corrected += line;
        corrected += "\r\n";
    }
    if (!changed) {
        return Status::success();
    }
    return writeFileAtomically(cacheFile, corrected);
}

}  // namespace quor::dupes
