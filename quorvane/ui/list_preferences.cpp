#include "quorvane/ui/list_preferences.h"

#include "common/names.h"
#include "common/number_text.h"

namespace quor::ui {

namespace {

bool flag(const store::AppSettings& settings, std::string_view key, std::string_view fallback) {
    return leadingNumber(settings.setting(key, fallback)) != 0;
}

int choice(const store::AppSettings& settings, std::string_view key) {
    return static_cast<int>(leadingNumber(settings.setting(key, "0")));
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
    p.showHeader = flag(settings, "ShowHeader", "1");
    p.showFooter = flag(settings, "ShowFooter", "0");
    p.showSummary = flag(settings, "ShowSummary", "1");
    p.html = flag(settings, "HTML", "0");
    p.includeLinks = flag(settings, "IncludeLinks", "0");
    p.useHtmlTable = flag(settings, "UseHTMLTable", "1");
    p.showTableBorders = flag(settings, "DisplayHTMLTable", "1");
    p.alternateColors = flag(settings, "AlternateTableColors", "1");
    p.bigList = readsAsTrue(settings.setting("BigList", "False"));
    p.includePath = flag(settings, "IncludePath", "0");
    p.pathAtEnd = flag(settings, "PathAtEnd", "0");
    const int size = choice(settings, "IncludeFileSize");
    p.includeFileSize = size != 0;
    p.fileSizeInUnits = size == 2;
    p.includeFileDate = flag(settings, "IncludeFileDate", "0");
    p.includeMp3Info = flag(settings, "IncludeMP3Info", "0");
    p.includeSongLength = flag(settings, "IncludeSongLength", "0");
    p.includeEmptyDirs = flag(settings, "IncludeEmptyDirs", "0");
    const int folders = choice(settings, "IncludeFoldersOnly");
    p.foldersOnly = folders != 0;
    p.rootFoldersOnly = folders == 2;
    p.includeFileNums = flag(settings, "IncludeFileNums", "0");
    p.fileMask = settings.setting("FileMask", "*.*");
    const std::string colour = settings.setting("HTMLTableColor", generate::kDefaultTableColour);
    p.colour = -1;
    for (std::size_t i = 0; i < kTableColours.size(); ++i) {
        if (kTableColours[i].value == colour) {
            p.colour = static_cast<int>(i);
        }
    }
    p.savePath = settings.setting("SavePath");
    return p;
}

std::vector<std::pair<std::string_view, std::string>> listPreferenceWrites(
    const ListPreferences& p) {
    std::vector<std::pair<std::string_view, std::string>> writes = {
        {"ShowHeader", box(p.showHeader)},
        {"ShowFooter", box(p.showFooter)},
        {"ShowSummary", box(p.showSummary)},
        {"HTML", box(p.html)},
        {"IncludeLinks", box(p.includeLinks)},
        {"BigList", p.bigList ? "True" : "False"},
        {"FileMask", p.fileMask},
        {"IncludeFileSize", p.includeFileSize && p.fileSizeInUnits ? "2" : box(p.includeFileSize)},
        {"IncludeFileDate", box(p.includeFileDate)},
        {"IncludeMP3Info", box(p.includeMp3Info)},
        {"IncludeSongLength", box(p.includeSongLength)},
        {"IncludeEmptyDirs", box(p.includeEmptyDirs)},
        {"IncludeFoldersOnly", p.foldersOnly && p.rootFoldersOnly ? "2" : box(p.foldersOnly)},
        {"IncludePath", box(p.includePath)},
        {"PathAtEnd", box(p.pathAtEnd)},
        {"SavePath", p.savePath},
        {"UseHTMLTable", box(p.useHtmlTable)},
        {"DisplayHTMLTable", box(p.showTableBorders)},
        {"AlternateTableColors", box(p.alternateColors)},
        {"IncludeFileNums", box(p.includeFileNums)},
    };
    if (p.colour >= 0 && p.colour < static_cast<int>(kTableColours.size())) {
        writes.emplace_back("HTMLTableColor",
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
