#pragma once

// The MP3 playlist export: every catalogued file as a full path on disk,
// from the folder cache files alone, appended to an M3U file.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "quorvane/store/list_context.h"

namespace quor::generate {

// The real folder of a decoded folder heading of a record: a heading that
// begins with the record's display name (compared without regard to case),
// and every heading of a removable disk set, is the record's real folder
// followed by the rest of the heading; any other heading (the display name
// is the folder's own path) is taken as it stands.
std::string playlistFolderOf(std::string_view heading, std::string_view displayName,
                             std::string_view realFolder, bool removable);

// One full path per catalogued file, sorted. A record whose cache file is
// missing is reported (a "Warning") and skipped. A path holding a line break
// is left out: an M3U line cannot carry it.
std::vector<std::string> buildPlaylistPaths(store::ListContext& context);

// Adds the paths to the end of the playlist file (created when missing),
// keeping what it held, by writing the whole new file atomically; then
// saves the file as "PlaylistPath". When the file cannot be read or written
// the user is told, nothing changes and the failure is returned.
Status saveToPlaylist(store::ListContext& context, const std::filesystem::path& playlist);

// The folder the playlist dialog opens in: "PlaylistPath" up to and
// including its last "/", the program folder when it is empty, the home
// folder when it is the default.
std::string playlistStartFolder(store::ListContext& context);

}  // namespace quor::generate
