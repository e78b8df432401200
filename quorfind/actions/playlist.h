#pragma once

// Save to MP3 playlist: the resolved paths of the rows are appended, one a
// line, to an M3U file of the user's choice (created when missing). No
// header line is written; rows that name no file are left out, and so are
// paths holding a line break, which no M3U line can carry.

#include <filesystem>
#include <string>
#include <vector>

#include "quorfind/actions/action_context.h"

namespace quor::find {

inline constexpr std::string_view kPlaylistDialogTitle =
    "Save MP3 Playlist As: (choose an existing file to append)";
inline constexpr std::string_view kPlaylistFilter = "Playlist Files (*.M3U)|*.m3u";

// The folder the save dialog starts in: "PlaylistPath" up to and including
// its last "/", or the home folder when that is empty.
std::string playlistDialogFolder(const FindSettings& settings);

// Appends the rows' paths to playlist and stores it as "PlaylistPath". The
// file is replaced as a whole (old lines, then the new ones), so a failure
// leaves it as it was; it shows "There was a problem saving the MP3
// playlist to: " and the path. Returns the number of paths written, or -1
// when refused or failed.
int appendToPlaylist(const std::filesystem::path& playlist, const std::vector<SearchRow>& rows,
                     const ActionContext& context, FindSettings& settings);

}  // namespace quor::find
