#pragma once

// The list body a build assembles in memory from every folder cache file,
// before the list file is written: the output lines in order, the running
// file count and list total size, and for an HTML list one link target per
// line.

#include <cstdint>
#include <string>
#include <vector>

#include "quorvane/generate/line_arena.h"
#include "quorvane/store/settings_store.h"

namespace quor::generate {

struct ListBody {
    // Text list: the finished lines, names decoded. HTML list: the lines in
    // cache file form (names and paths escaped as in a cache file, the "*"
    // and ">" markers kept) so that rendering can split them again.
    LineArena lines;
    // HTML list only: the same length as lines; the percent-encoded link
    // target at every file line, empty at headings, separators, empty lines
    // and folder lines. Empty for a text list.
    std::vector<std::string> linkTargets;
    // Files listed (folders in the folders-only modes).
    std::int32_t fileCount = 0;
    // Bytes of every listed folder, from the total lines of the cache files.
    double totalSize = 0;
    // The folder records left out because their cache file is missing or
    // could not be read: the record's folder and the reason.
    std::vector<std::string> skipped;
};

enum class FolderMode { Files, FoldersOnly, RootFoldersOnly };

// The list preferences the body depends on, read once when a build starts.
struct ListLayout {
    bool bigList = false;                       // "BigList": one big sorted list
    bool includePath = false;                   // "IncludePath" 1
    bool pathAtEnd = false;                     // "PathAtEnd" not 0
    bool numbered = false;                      // "IncludeFileNums" 1
    FolderMode folderMode = FolderMode::Files;  // "IncludeFoldersOnly" 0, 1, 2
    bool includeLinks = false;                  // "IncludeLinks" 1
    std::string downloadLink;                   // "DownloadLink"

    static ListLayout read(const store::AppSettings& settings);
};

// True when a flag setting holds exactly 1 (missing: its fallback).
bool settingIsOne(const store::AppSettings& settings, const store::NumberSetting& flag);

// The separator line under every folder heading of a broken-down list.
inline constexpr std::string_view kFolderSeparator =
    "--------------------------------------------------------------------------------";

}  // namespace quor::generate
