#pragma once

// The saved list file (data/<base>.lst), read by both programs: one value
// per line, CR LF line ends, each value as the settings store holds it.
//
//   line 1          the format version, "3.2" when written
//   lines 2 to 28   the preferences of kSettingsLines, in that order (their
//                   keys and fallbacks are in quorvane_settings.h)
//   then            four lines per folder record (kRecordLines), records 0
//                   to NumPaths - 1
//
// Files of older versions lack some lines: a line is present only when the
// version is greater than its readAboveVersion, and the later lines move up.
// A file is read only when it has exactly the lines its version and folder
// count give, so a line is never taken for another key (an editor's UTF-8
// byte order mark before line 1 is passed over).
//
// The other files of the saved list <base>: data/<base>.hdr and .ftr (copies
// of header.txt and footer.txt) and data/<base><i>.dat, the copy of the
// cache file of record i. The names are plain concatenation, so the saved
// lists "a1" and "a" both name a10.dat: see ListingClaims in saved_lists.h.

#include <array>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "quorvane/store/quorvane_settings.h"
#include "quorvane/store/setting.h"

namespace quor::store {

inline constexpr std::string_view kSavedListVersion = "3.2";
// The versions a file may say it has: 1 up to the current one.
inline constexpr double kOldestSavedListVersion = 1.0;
inline constexpr double kNewestSavedListVersion = 3.2;
// NumPaths is a 16-bit count that is never negative.
inline constexpr int kMaxSavedListFolders = 32767;
// Far above any real list (32767 folders of long paths), so that a stray
// file is refused before it fills memory.
inline constexpr std::size_t kMaxSavedListBytes = 64u << 20;

inline constexpr double kAlwaysRead = -std::numeric_limits<double>::infinity();

struct SavedListLine {
    std::string_view key;
    std::string_view valueWhenMissing;  // "c:\" stands for the home folder
    ValueKind kind;
    double readAboveVersion = kAlwaysRead;
};

// The line of a preference: its key, its fallback and its kind.
template <ValueKind Kind>
constexpr SavedListLine preferenceLine(const Setting<Kind>& setting,
                                       double readAboveVersion = kAlwaysRead) {
    return {setting.key, setting.fallback, Kind, readAboveVersion};
}

inline constexpr std::array<SavedListLine, 27> kSettingsLines = {{
    preferenceLine(kNumPaths),
    preferenceLine(kBigList),
    preferenceLine(kFileMask),
    preferenceLine(kHtml),
    preferenceLine(kIncludeLinks, 1.3),
    preferenceLine(kNumFiles),
    preferenceLine(kTotalSize, 1.3),
    preferenceLine(kSavePath),
    preferenceLine(kShowFooter),
    preferenceLine(kShowHeader),
    preferenceLine(kShowSummary),
    preferenceLine(kIncludePath),
    preferenceLine(kPathAtEnd),
    preferenceLine(kIncludeFileSize),
    preferenceLine(kIncludeFileDate, 1.3),
    preferenceLine(kIncludeMp3Info),
    preferenceLine(kIncludeSongLength, 1.3),
    preferenceLine(kIncludeEmptyDirs, 1.3),
    preferenceLine(kIncludeFoldersOnly, 1.3),
    preferenceLine(kDownloadLink, 2.1),
    preferenceLine(kUseHtmlTable, 3.1),
    preferenceLine(kPlaylistPath, 3.1),
    preferenceLine(kDisplayHtmlTable, 3.0),
    preferenceLine(kAlternateTableColors, 3.0),
    preferenceLine(kHtmlTableColor, 3.0),
    preferenceLine(kIncludeFileNums, 3.0),
    preferenceLine(kPerformAction),
}};

inline constexpr std::array<SavedListLine, 4> kRecordLines = {{
    {"cdrom", "0", ValueKind::Number},
    {"Path", kRootFolderPlaceholder, ValueKind::Text},
    {"Pathname", kRootFolderPlaceholder, ValueKind::Text},
    {"Update", "1", ValueKind::Number},
}};

// The names of one saved list's files, from a name argument such as
// "music.html" or "music.lst": base is the text before the first "." (the
// whole name when there is none), prefix is base + ".".
class SavedListFiles {
  public:
    SavedListFiles(const std::filesystem::path& dataFolder, std::string_view name);

    const std::string& base() const { return base_; }
    std::filesystem::path listFile() const { return folder_ / (base_ + ".lst"); }
    std::filesystem::path headerCopy() const { return folder_ / (base_ + ".hdr"); }
    std::filesystem::path footerCopy() const { return folder_ / (base_ + ".ftr"); }
    std::filesystem::path listingFile(int record) const;

  private:
    std::filesystem::path folder_;
    std::string base_;
};

// The saved list name of a file name: the text before its first ".".
std::string savedListBase(std::string_view name);

// One value read from a saved list file.
struct SavedValue {
    std::string key;
    std::string value;
};

// A saved list file taken apart: the preferences present in its version,
// and the four values of each record, converted by their kinds.
struct SavedList {
    std::string version;       // line 1 as written
    double versionNumber = 0;  // its value, kOldestSavedListVersion to kNewestSavedListVersion
    std::vector<SavedValue> settings;
    std::vector<std::array<SavedValue, 4>> records;

    // The value of a preference, or fallback when the file's version lacks it.
    std::string setting(std::string_view key, std::string_view fallback = "") const;
    template <ValueKind Kind>
    std::string setting(const Setting<Kind>& declared) const {
        return setting(declared.key, declared.fallback);
    }
};

// Splits text into lines at LF, dropping a CR before it; a last line
// without a line end counts.
std::vector<std::string_view> splitLines(std::string_view text);

// The number of lines of a file of that version with that many folders:
// line 1, the preferences the version has, four lines per folder.
std::size_t savedListLineCount(double version, int folders);

// Parses a saved list file. Fails, naming the problem, unless line 1 (after
// a UTF-8 byte order mark, if any) is a plain number from 1 to 3.2, line 2
// a folder count from 0 to 32767, and the file has exactly the lines of
// that version and count (the empty text after a final line end is no
// line). Needs no more memory than a few times the size of contents.
Result<SavedList> parseSavedList(std::string_view contents);

// The contents of a saved list file: fails, naming the file, when it is
// missing, unreadable, not a regular file (a pipe is never waited on) or
// larger than kMaxSavedListBytes.
Result<std::string> readSavedListText(const std::filesystem::path& file);

// readSavedListText and parseSavedList; a parse failure is prefixed with
// the file's path. Changes nothing anywhere.
Result<SavedList> readSavedListFile(const std::filesystem::path& file);

// The text of a saved list file for the given values (lines 2 to 28 and
// the records), as written by this program.
std::string formatSavedList(const std::vector<std::string>& settingValues,
                            const std::vector<std::array<std::string, 4>>& records);

// The value written for a line whose key is missing ("c:\" made the home
// folder).
std::string valueWhenMissing(const SavedListLine& line);

}  // namespace quor::store
