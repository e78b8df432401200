#include "quorvane/generate/list_body.h"

#include "common/names.h"
#include "common/number_text.h"

namespace quor::generate {

bool settingIsOne(const store::AppSettings& settings, std::string_view key,
                  std::string_view fallback) {
    return leadingNumber(settings.setting(key, fallback)) == 1.0;
}

namespace {

// "BigList" is stored as "True" or "False"; a number counts when not 0.
bool trueText(const std::string& value) {
    return asciiLower(value) == "true" || leadingNumber(value) != 0.0;
}

FolderMode folderModeOf(const std::string& value) {
    const double mode = leadingNumber(value);
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
    layout.bigList = trueText(settings.setting("BigList", "False"));
    layout.includePath = settingIsOne(settings, "IncludePath", "0");
    layout.pathAtEnd = leadingNumber(settings.setting("PathAtEnd", "0")) != 0.0;
    layout.numbered = settingIsOne(settings, "IncludeFileNums", "0");
    layout.folderMode = folderModeOf(settings.setting("IncludeFoldersOnly", "0"));
    layout.includeLinks = settingIsOne(settings, "IncludeLinks", "0");
    layout.downloadLink = settings.setting("DownloadLink", "");
    return layout;
}

}  // namespace quor::generate
