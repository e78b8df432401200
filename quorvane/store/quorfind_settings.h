#pragma once

// Quorfind's settings (application "Quorfind", section "Settings"), declared
// with the store because Quorvane sets the list Quorfind opens on and reads
// its player command. FindSettings (quorfind/settings.h) reads them as the
// search program uses them; the search window's place has its own keys
// there.

#include "quorvane/store/setting.h"

namespace quor::store::quorfind {

// Flags: set when their leading number is exactly 1.
inline constexpr NumberSetting kAlwaysOnTop{"AlwaysOnTop", "0"};
inline constexpr NumberSetting kIncludeFolders{"IncludeFolders", "1"};
inline constexpr NumberSetting kIncludeHScrollBar{"IncludeHScrollBar", "1"};
// Linux addition: the search window shows the rows of each key as it is typed.
inline constexpr NumberSetting kSearchAsYouType{"SearchAsYouType", "1"};
// The list source: 0 the own list, 1 a text list, 2 a folder of lists.
inline constexpr NumberSetting kListType{"ListType", "0"};
// The own list's output file, and the last other list searched.
inline constexpr TextSetting kLocalList{"LocalList", ""};
inline constexpr TextSetting kNonLocalList{"NonLocalList", ""};
// The last MP3 playlist saved.
inline constexpr TextSetting kPlaylistPath{"PlaylistPath", kRootFolderPlaceholder};
// The chat program that sends files, and the command it is sent.
inline constexpr TextSetting kDdeServiceName{"DDEServiceName", "mIRC"};
inline constexpr TextSetting kDdeSendString{"DDESendString", "/DCC send %N %P"};
// Linux additions: the audio player's command templates ("%F" is the path;
// empty: the installed player).
inline constexpr TextSetting kPlayCommand{"PlayCommand", ""};
inline constexpr TextSetting kEnqueueCommand{"EnqueueCommand", ""};

}  // namespace quor::store::quorfind
