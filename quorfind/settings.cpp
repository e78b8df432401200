#include "quorfind/settings.h"

#include "common/number_text.h"
#include "platform/program_folder.h"

namespace quor::find {

ListType FindSettings::listType() const {
    const double value = leadingNumber(app_.setting(kListType, "0"));
    if (value == 1) {
        return ListType::TextList;
    }
    if (value == 2) {
        return ListType::ListsFolder;
    }
    return ListType::OwnList;
}

void FindSettings::saveListType(ListType type) {
    app_.saveSetting(kListType, std::to_string(static_cast<int>(type)));
}

bool FindSettings::flag(std::string_view key, std::string_view fallback) const {
    return leadingNumber(app_.setting(key, fallback)) == 1;
}

bool FindSettings::includeFolders() const {
    return flag(kIncludeFolders, "1");
}

bool FindSettings::alwaysOnTop() const {
    return flag(kAlwaysOnTop, "0");
}

bool FindSettings::includeHScrollBar() const {
    return flag(kIncludeHScrollBar, "1");
}

bool FindSettings::searchAsYouType() const {
    return flag(kSearchAsYouType, "1");
}

std::string FindSettings::playlistPath() const {
    if (!app_.contains(store::kSettings, kPlaylistPath)) {
        std::string home = platform::homeFolder().string();
        if (home.empty() || home.back() != '/') {
            home += '/';
        }
        return home;
    }
    return app_.setting(kPlaylistPath);
}

std::string FindSettings::serviceName() const {
    return app_.setting(kDdeServiceName, kDefaultServiceName);
}

std::string FindSettings::sendTemplate() const {
    return app_.setting(kDdeSendString, kDefaultSendString);
}

void FindSettings::saveIrcOptions(std::string_view serviceName, std::string_view sendTemplate) {
    app_.saveSetting(kDdeServiceName, serviceName.empty() ? kDefaultServiceName : serviceName);
    app_.saveSetting(kDdeSendString, sendTemplate.empty() ? kDefaultSendString : sendTemplate);
}

}  // namespace quor::find
