#pragma once

// Quorfind's settings: the keys it keeps in the section "Settings" of the
// application "Quorfind", their defaults, and the readers that turn their
// text into the values the program works with. Values are read at every use,
// never cached.

#include <string>
#include <string_view>

#include "quorvane/store/settings_store.h"

namespace quor::find {

inline constexpr std::string_view kSearchLeft = "SearchLeft";
inline constexpr std::string_view kSearchTop = "SearchTop";
inline constexpr std::string_view kSearchWidth = "SearchWidth";
inline constexpr std::string_view kSearchHeight = "SearchHeight";
inline constexpr std::string_view kAlwaysOnTop = "AlwaysOnTop";
inline constexpr std::string_view kIncludeFolders = "IncludeFolders";
inline constexpr std::string_view kIncludeHScrollBar = "IncludeHScrollBar";
// Linux addition: the search window shows the rows of each key as it is typed.
inline constexpr std::string_view kSearchAsYouType = "SearchAsYouType";
inline constexpr std::string_view kListType = "ListType";
inline constexpr std::string_view kLocalList = "LocalList";
inline constexpr std::string_view kNonLocalList = "NonLocalList";
inline constexpr std::string_view kPlaylistPath = "PlaylistPath";
inline constexpr std::string_view kDdeServiceName = "DDEServiceName";
inline constexpr std::string_view kDdeSendString = "DDESendString";
// Linux additions: the audio player's command templates ("%F" is the path).
inline constexpr std::string_view kPlayCommand = "PlayCommand";
inline constexpr std::string_view kEnqueueCommand = "EnqueueCommand";

inline constexpr std::string_view kDefaultSearchWidth = "4170";
inline constexpr std::string_view kDefaultSearchHeight = "4080";
inline constexpr std::string_view kDefaultServiceName = "mIRC";
inline constexpr std::string_view kDefaultSendString = "/DCC send %N %P";

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
    bool includeFolders() const;  // default 1
    bool alwaysOnTop() const;     // default 0
    bool includeHScrollBar() const;
    bool searchAsYouType() const;  // default 1

    std::string localList() const { return app_.setting(kLocalList); }
    std::string nonLocalList() const { return app_.setting(kNonLocalList); }

    // "PlaylistPath"; the home folder (with a trailing "/") when missing.
    std::string playlistPath() const;

    // "DDEServiceName" and "DDESendString", their defaults when missing.
    std::string serviceName() const;
    std::string sendTemplate() const;
    // Stores both; an empty one is stored as its default.
    void saveIrcOptions(std::string_view serviceName, std::string_view sendTemplate);

    // The player templates ("" when unset: the installed player is used).
    std::string playCommand() const { return app_.setting(kPlayCommand); }
    std::string enqueueCommand() const { return app_.setting(kEnqueueCommand); }

    store::AppSettings& app() { return app_; }
    const store::AppSettings& app() const { return app_; }

  private:
    bool flag(std::string_view key, std::string_view fallback) const;

    store::AppSettings app_;
};

}  // namespace quor::find
