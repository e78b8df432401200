#include "quorfind/settings.h"

#include "platform/program_folder.h"

namespace quor::find {

ListType FindSettings::listType() const {
    const double value = app_.get(kListType);
    if (value == 1) {
        return ListType::TextList;
    }
    if (value == 2) {
        return ListType::ListsFolder;
    }
    return ListType::OwnList;
}

void FindSettings::saveListType(ListType type) {
    app_.save(kListType, std::to_string(static_cast<int>(type)));
}

bool FindSettings::flag(const store::NumberSetting& setting) const {
    return app_.get(setting) == 1;
}

bool FindSettings::includeFolders() const {
    return flag(kIncludeFolders);
}

bool FindSettings::alwaysOnTop() const {
    return flag(kAlwaysOnTop);
}

bool FindSettings::includeHScrollBar() const {
    return flag(kIncludeHScrollBar);
}

bool FindSettings::searchAsYouType() const {
    return flag(kSearchAsYouType);
}

std::string FindSettings::playlistPath() const {
    if (!app_.contains(kPlaylistPath)) {
        std::string home = platform::homeFolder().string();
        if (home.empty() || home.back() != '/') {
            home += '/';
        }
        return home;
    }
    return app_.get(kPlaylistPath);
}

std::string FindSettings::serviceName() const {
    return app_.get(kDdeServiceName);
}

std::string FindSettings::sendTemplate() const {
    return app_.get(kDdeSendString);
}

void FindSettings::saveIrcOptions(std::string_view serviceName, std::string_view sendTemplate) {
    app_.save(kDdeServiceName, serviceName.empty() ? kDdeServiceName.fallback : serviceName);
    app_.save(kDdeSendString, sendTemplate.empty() ? kDdeSendString.fallback : sendTemplate);
}

}  // namespace quor::find
