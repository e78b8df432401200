#include "quorvane/generate/list_body.h"

#include "common/names.h"
#include "common/number_text.h"
#include "quorvane/store/quorvane_settings.h"

namespace quor::generate {

bool settingIsOne(const store::AppSettings& settings, const store::NumberSetting& flag) {
    return settings.get(flag) == 1.0;
}

namespace {

// "BigList" is stored as "True" or "False"; a number counts when not 0.
bool trueText(const std::string& value) {
    return asciiLower(value) == "true" || leadingNumber(value) != 0.0;
}

FolderMode folderModeOf(double mode) {
    if (mode == 1.0) {
        return FolderMode::FoldersOnly;
    }
    if (mode == 2.0) {
        return FolderMode::RootFoldersOnly;
    }
    return FolderMode::Files;
}

}  // namespace

ListLayout ListLayout::read(const store::AppSettings& settings) {
    ListLayout layout;
    layout.bigList = trueText(settings.get(store::kBigList));
    layout.includePath = settingIsOne(settings, store::kIncludePath);
    layout.pathAtEnd = settings.get(store::kPathAtEnd) != 0.0;
    layout.numbered = settingIsOne(settings, store::kIncludeFileNums);
    layout.folderMode = folderModeOf(settings.get(store::kIncludeFoldersOnly));
    layout.includeLinks = settingIsOne(settings, store::kIncludeLinks);
    layout.downloadLink = settings.get(store::kDownloadLink);
    return layout;
}

}  // namespace quor::generate
