#pragma once

// Quorfind's settings: the keys of the search window's place, and the
// readers that turn the stored text of every setting into the values the
// program works with. Values are read at every use, never cached.

#include <string>
#include <string_view>

#include "quorvane/store/quorfind_settings.h"
#include "quorvane/store/settings_store.h"

namespace quor::find {

inline constexpr std::string_view kSearchLeft = "SearchLeft";
inline constexpr std::string_view kSearchTop = "SearchTop";
inline constexpr std::string_view kSearchWidth = "SearchWidth";
inline constexpr std::string_view kSearchHeight = "SearchHeight";

// Quorfind's settings, declared with the store (quorfind_settings.h).
using store::quorfind::kAlwaysOnTop;
using store::quorfind::kDdeSendString;
using store::quorfind::kDdeServiceName;
using store::quorfind::kEnqueueCommand;
using store::quorfind::kIncludeFolders;
using store::quorfind::kIncludeHScrollBar;
using store::quorfind::kListType;
using store::quorfind::kLocalList;
using store::quorfind::kNonLocalList;
using store::quorfind::kPlayCommand;
using store::quorfind::kPlaylistPath;
using store::quorfind::kSearchAsYouType;

inline constexpr std::string_view kDefaultSearchWidth = "4170";
inline constexpr std::string_view kDefaultSearchHeight = "4080";

// The list source of a search.
enum class ListType { OwnList = 0, TextList = 1, ListsFolder = 2 };

// The settings of Quorfind in one store.
class FindSettings {
  public:
    explicit FindSettings(store::SettingsStore& store) : app_(store, store::kQuorfind) {}

    // "ListType": 0, 1 or 2; any other value is the own list.
    ListType listType() const;
    void saveListType(ListType type);

    // Flags count as set when their leading number is exactly 1.
    bool includeFolders() const;
    bool alwaysOnTop() const;
    bool includeHScrollBar() const;
    bool searchAsYouType() const;

    std::string localList() const { return app_.get(kLocalList); }
    std::string nonLocalList() const { return app_.get(kNonLocalList); }

    // "PlaylistPath"; the home folder (with a trailing "/") when missing.
    std::string playlistPath() const;

    // "DDEServiceName" and "DDESendString", their defaults when missing.
    std::string serviceName() const;
    std::string sendTemplate() const;
    // Stores both; an empty one is stored as its default.
    void saveIrcOptions(std::string_view serviceName, std::string_view sendTemplate);

    // The player templates ("" when unset: the installed player is used).
    std::string playCommand() const { return app_.get(kPlayCommand); }
    std::string enqueueCommand() const { return app_.get(kEnqueueCommand); }

    store::AppSettings& app() { return app_; }
    const store::AppSettings& app() const { return app_; }

  private:
    bool flag(const store::NumberSetting& setting) const;

    store::AppSettings app_;
};

}  // namespace quor::find
