#include "quorvane/ui/list_preferences.h"

#include "common/names.h"
#include "common/number_text.h"
#include "quorvane/store/quorvane_settings.h"

namespace quor::ui {

namespace {

bool flag(const store::AppSettings& settings, const store::NumberSetting& setting) {
    return settings.get(setting) != 0;
}

int choice(const store::AppSettings& settings, const store::NumberSetting& setting) {
    return static_cast<int>(settings.get(setting));
}

bool readsAsTrue(std::string_view text) {
    return equalsIgnoringCase(text, "True") || leadingNumber(text) != 0;
}

std::string box(bool ticked) {
    return ticked ? "1" : "0";
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return "";
    }
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

}  // namespace

ListPreferences readListPreferences(const store::AppSettings& settings) {
    ListPreferences p;
    p.showHeader = flag(settings, store::kShowHeader);
    p.showFooter = flag(settings, store::kShowFooter);
    p.showSummary = flag(settings, store::kShowSummary);
    p.html = flag(settings, store::kHtml);
    p.includeLinks = flag(settings, store::kIncludeLinks);
    p.useHtmlTable = flag(settings, store::kUseHtmlTable);
    p.showTableBorders = flag(settings, store::kDisplayHtmlTable);
    p.alternateColors = flag(settings, store::kAlternateTableColors);
    p.bigList = readsAsTrue(settings.get(store::kBigList));
    p.includePath = flag(settings, store::kIncludePath);
    p.pathAtEnd = flag(settings, store::kPathAtEnd);
    const int size = choice(settings, store::kIncludeFileSize);
    p.includeFileSize = size != 0;
    p.fileSizeInUnits = size == 2;
    p.includeFileDate = flag(settings, store::kIncludeFileDate);
    p.includeMp3Info = flag(settings, store::kIncludeMp3Info);
    p.includeSongLength = flag(settings, store::kIncludeSongLength);
    p.includeEmptyDirs = flag(settings, store::kIncludeEmptyDirs);
    const int folders = choice(settings, store::kIncludeFoldersOnly);
    p.foldersOnly = folders != 0;
    p.rootFoldersOnly = folders == 2;
    p.includeFileNums = flag(settings, store::kIncludeFileNums);
    p.fileMask = settings.get(store::kFileMask);
    const std::string colour = settings.get(store::kHtmlTableColor);
    p.colour = -1;
    for (std::size_t i = 0; i < kTableColours.size(); ++i) {
        if (kTableColours[i].value == colour) {
            p.colour = static_cast<int>(i);
        }
    }
    p.savePath = settings.get(store::kSavePath);
    return p;
}

std::vector<std::pair<std::string_view, std::string>> listPreferenceWrites(
    const ListPreferences& p) {
    std::vector<std::pair<std::string_view, std::string>> writes = {
        {store::kShowHeader.key, box(p.showHeader)},
        {store::kShowFooter.key, box(p.showFooter)},
        {store::kShowSummary.key, box(p.showSummary)},
        {store::kHtml.key, box(p.html)},
        {store::kIncludeLinks.key, box(p.includeLinks)},
        {store::kBigList.key, p.bigList ? "True" : "False"},
        {store::kFileMask.key, p.fileMask},
        {store::kIncludeFileSize.key,
         p.includeFileSize && p.fileSizeInUnits ? "2" : box(p.includeFileSize)},
        {store::kIncludeFileDate.key, box(p.includeFileDate)},
        {store::kIncludeMp3Info.key, box(p.includeMp3Info)},
        {store::kIncludeSongLength.key, box(p.includeSongLength)},
        {store::kIncludeEmptyDirs.key, box(p.includeEmptyDirs)},
        {store::kIncludeFoldersOnly.key,
         p.foldersOnly && p.rootFoldersOnly ? "2" : box(p.foldersOnly)},
        {store::kIncludePath.key, box(p.includePath)},
        {store::kPathAtEnd.key, box(p.pathAtEnd)},
        {store::kSavePath.key, p.savePath},
        {store::kUseHtmlTable.key, box(p.useHtmlTable)},
        {store::kDisplayHtmlTable.key, box(p.showTableBorders)},
        {store::kAlternateTableColors.key, box(p.alternateColors)},
        {store::kIncludeFileNums.key, box(p.includeFileNums)},
    };
    if (p.colour >= 0 && p.colour < static_cast<int>(kTableColours.size())) {
        writes.emplace_back(store::kHtmlTableColor.key,
                            trimmed(kTableColours[static_cast<std::size_t>(p.colour)].value));
    }
    return writes;
}

void writeListPreferences(store::AppSettings& settings, const ListPreferences& preferences) {
    const auto writes = listPreferenceWrites(preferences);
    settings.store().transaction([&] {
        for (const auto& [key, value] : writes) {
            settings.saveSetting(key, value);
        }
    });
}

std::string savePathWithExtension(std::string_view stored, std::string_view extension) {
    if (stored.empty()) {
        return "";
    }
    // Only a dot in the file name counts: a dot in a folder name must not
    // cut the path into another folder.
    const auto slash = stored.rfind('/');
    const auto nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const auto dot = stored.rfind('.');
    const bool dotInName = dot != std::string_view::npos && dot >= nameStart;
    return std::string(dotInName ? stored.substr(0, dot) : stored) + std::string(extension);
}

}  // namespace quor::ui
