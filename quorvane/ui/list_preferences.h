#pragma once

// The values of the List Preferences dialog as the store holds them: how
// each stored value is shown when the dialog opens, and what OK writes, in
// its fixed order.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "quorvane/generate/table_colour.h"
#include "quorvane/store/quorvane_settings.h"
#include "quorvane/store/settings_store.h"

namespace quor::ui {

using generate::kTableColours;
using generate::TableColour;

struct ListPreferences {
    bool showHeader = true;
    bool showFooter = false;
    bool showSummary = true;
    bool html = false;
    bool includeLinks = false;
    bool useHtmlTable = true;
    bool showTableBorders = true;
    bool alternateColors = true;
    bool bigList = false;
    bool includePath = false;
    bool pathAtEnd = false;
    bool includeFileSize = false;
    bool fileSizeInUnits = false;
    bool includeFileDate = false;
    bool includeMp3Info = false;
    bool includeSongLength = false;
    bool includeEmptyDirs = false;
    bool foldersOnly = false;
    bool rootFoldersOnly = false;
    bool includeFileNums = false;
    std::string fileMask{store::kFileMask.fallback};
    int colour = -1;  // index into kTableColours; -1 when none is selected
    std::string savePath;

    bool operator==(const ListPreferences&) const = default;
};

// The stored values as the dialog shows them on opening.
ListPreferences readListPreferences(const store::AppSettings& settings);

// What OK writes, key and value, in the order they are written. No
// "HTMLTableColor" when no colour is selected; "IncludeFileSize" is "2" only
// with both size boxes ticked, "IncludeFoldersOnly" "2" only with both
// folder boxes ticked.
std::vector<std::pair<std::string_view, std::string>> listPreferenceWrites(
    const ListPreferences& preferences);

// Writes them, in that order, as one store transaction.
void writeListPreferences(store::AppSettings& settings, const ListPreferences& preferences);

// The output file with the extension of the chosen format (".html",
// ".txt"): the stored path with its file name's extension replaced, or the
// extension appended when the file name has none; "" stays "".
std::string savePathWithExtension(std::string_view storedSavePath, std::string_view extension);

}  // namespace quor::ui
