#pragma once

// Quorvane's settings (application "Quorvane", section "Settings"). The
// preferences of a list come first: a saved list file keeps them
// (kSettingsLines in saved_list_format.h gives their order), and their
// fallbacks are the values that file takes for a missing key.

#include "quorvane/store/setting.h"

namespace quor::store {

// The folder records: their count (folder_records.h reads it as a count).
inline constexpr IntegerSetting kNumPaths{"NumPaths", "0"};
// "True" or "False": one line per file, with its folder.
inline constexpr TextSetting kBigList{"BigList", "False"};
inline constexpr TextSetting kFileMask{"FileMask", "*.*"};
// 1: the list is an HTML page.
inline constexpr NumberSetting kHtml{"HTML", "0"};
inline constexpr NumberSetting kIncludeLinks{"IncludeLinks", "0"};
// The files and their total size at the last build.
inline constexpr NumberSetting kNumFiles{"NumFiles", "0"};
inline constexpr TextSetting kTotalSize{"TotalSize", ""};
// The list's output file.
inline constexpr TextSetting kSavePath{"SavePath", ""};
inline constexpr NumberSetting kShowFooter{"ShowFooter", "0"};
inline constexpr NumberSetting kShowHeader{"ShowHeader", "1"};
inline constexpr NumberSetting kShowSummary{"ShowSummary", "1"};
inline constexpr NumberSetting kIncludePath{"IncludePath", "0"};
inline constexpr NumberSetting kPathAtEnd{"PathAtEnd", "0"};
// 0 none, 1 in bytes, 2 in units.
inline constexpr NumberSetting kIncludeFileSize{"IncludeFileSize", "0"};
inline constexpr NumberSetting kIncludeFileDate{"IncludeFileDate", "0"};
inline constexpr NumberSetting kIncludeMp3Info{"IncludeMP3Info", "0"};
inline constexpr NumberSetting kIncludeSongLength{"IncludeSongLength", "0"};
inline constexpr NumberSetting kIncludeEmptyDirs{"IncludeEmptyDirs", "0"};
// 0 files, 1 folders only, 2 root folders only.
inline constexpr NumberSetting kIncludeFoldersOnly{"IncludeFoldersOnly", "0"};
inline constexpr TextSetting kDownloadLink{"DownloadLink", ""};
inline constexpr NumberSetting kUseHtmlTable{"UseHTMLTable", "1"};
// The last MP3 playlist saved.
inline constexpr TextSetting kPlaylistPath{"PlaylistPath", kRootFolderPlaceholder};
// The HTML table's borders, row colours and colour.
inline constexpr NumberSetting kDisplayHtmlTable{"DisplayHTMLTable", "1"};
inline constexpr NumberSetting kAlternateTableColors{"AlternateTableColors", "1"};
inline constexpr TextSetting kHtmlTableColor{"HTMLTableColor", "LightGray"};
inline constexpr NumberSetting kIncludeFileNums{"IncludeFileNums", "0"};
// The command run after a build.
inline constexpr TextSetting kPerformAction{"PerformAction", ""};

}  // namespace quor::store
