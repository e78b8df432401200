#include "quorvane/dupes/row_resolution.h"

#include "common/file_io.h"
#include "common/names.h"
#include "quorvane/dupes/stored_name.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/saved_list_format.h"

namespace quor::dupes {

using generate::CacheLineKind;
using generate::cacheLineKind;
using generate::decodeCacheName;

namespace {

std::string withSlash(std::string text) {
    if (text.empty() || text.back() != '/') {
        text += '/';
    }
    return text;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos;
}

// True when the cache file of a removable set has a header for diskName.
Result<bool> setHoldsDisk(const std::filesystem::path& cacheFile, std::string_view diskName) {
    Result<std::string> contents = readFile(cacheFile);
    if (!contents) {
        return Error{contents.error()};
    }
    for (std::string_view line : store::splitLines(*contents)) {
        if (cacheLineKind(line) == CacheLineKind::DiskHeader &&
            equalsIgnoringCase(decodeCacheName(line.substr(1)), diskName)) {
            return true;
        }
    }
    return false;
}

// The real folder for folder (decoded) under record i, if it fits there.
Result<std::optional<std::string>> realFolderIn(const store::ListContext& context, int i,
                                                std::string_view folder) {
    const store::FolderRecord record = store::readFolderRecord(context.settings(), i);
    if (!store::isRemovableDiskSet(record)) {
        const std::string displayName = withSlash(record.pathname);
        if (!startsWithIgnoringCase(folder, displayName)) {
            return std::optional<std::string>();
        }
        return std::optional(withSlash(record.path) +
                             std::string(folder.substr(displayName.size())));
    }
    const std::filesystem::path cacheFile = context.places.cacheFile(i);
    const std::size_t slash = folder.find('/');
    if (slash == std::string_view::npos || !isRegularFile(cacheFile)) {
        return std::optional<std::string>();
    }
    Result<bool> holds = setHoldsDisk(cacheFile, folder.substr(0, slash));
    if (!holds) {
        return Error{holds.error()};
    }
    if (!*holds) {
        return std::optional<std::string>();
    }
    return std::optional(withSlash(record.path) + std::string(folder.substr(slash + 1)));
}

}  // namespace

bool waitForFile(const store::ListContext& context, const ResolvedRow& resolved) {
    while (!isRegularFile(resolved.fullPath)) {
        if (!context.user.okOrCancel(std::string(kInsertDisk) + resolved.realFolder,
                                     kFileNotFoundCaption)) {
            return false;
        }
    }
    return true;
}

Result<std::optional<ResolvedRow>> resolveRow(const store::ListContext& context,
                                              std::string_view storedName) {
    const StoredNameParts parts = splitStoredName(storedName);
    ResolvedRow resolved;
    resolved.storedName = storedName;
    resolved.folderText = parts.folderText;
    resolved.cacheLine = parts.cacheLine;
    resolved.fileName = fileNameOfLine(parts.cacheLine);
    const std::string folder = decodeCacheName(parts.folderText);
    if (!isPlainFileName(resolved.fileName)) {
        return Error{"The catalogue names no usable file: \"" + resolved.fileName + "\""};
    }

    const int records = store::numPaths(context.settings());
    for (int i = 0; i < records && resolved.record < 0; ++i) {
        Result<std::optional<std::string>> real = realFolderIn(context, i, folder);
        if (!real) {
            return Error{real.error()};
        }
        if (real->has_value()) {
            resolved.record = i;
            resolved.realFolder = **real;
        }
    }
    if (resolved.record < 0) {
        return Error{"No catalogued folder holds " + folder};
    }
    const std::string record = store::readFolderRecord(context.settings(), resolved.record).path;
    if (!staysBelow(std::string_view(resolved.realFolder).substr(withSlash(record).size()))) {
        return Error{"The catalogue names a folder outside " + record + ": " + folder};
    }
    resolved.fullPath = resolved.realFolder + resolved.fileName;
    if (!waitForFile(context, resolved)) {
        return std::optional<ResolvedRow>();
    }
    return std::optional(std::move(resolved));
}

Result<std::optional<int>> findListingCacheFile(const store::ListContext& context,
                                                std::string_view folderText) {
    const int records = store::numPaths(context.settings());
    for (int i = 0; i < records; ++i) {
        const std::filesystem::path file = context.places.cacheFile(i);
        if (!isRegularFile(file)) {
            continue;
        }
        Result<std::string> contents = readFile(file);
        if (!contents) {
            return Error{contents.error()};
        }
        for (std::string_view line : store::splitLines(*contents)) {
            if (cacheLineKind(line) == CacheLineKind::FolderHeading &&
                equalsIgnoringCase(line.substr(1), folderText)) {
                return std::optional(i);
            }
        }
    }
    return std::optional<int>();
}

}  // namespace quor::dupes
