#include "quorfind/actions/playlist.h"

#include <system_error>

#include "common/file_io.h"
#include "platform/program_folder.h"

namespace quor::find {

std::string playlistDialogFolder(const FindSettings& settings) {
    const std::string path = settings.playlistPath();
    const std::size_t slash = path.rfind('/');
    if (path.empty() || slash == std::string::npos) {
        std::string home = platform::homeFolder().string();
        return home.ends_with('/') ? home : home + "/";
    }
    return path.substr(0, slash + 1);
}

int appendToPlaylist(const std::filesystem::path& playlist, const std::vector<SearchRow>& rows,
                     const ActionContext& context, FindSettings& settings) {
    if (refusedUnlessOwnList(context, RowAction::Playlist)) {
        return -1;
    }
    const auto fail = [&](const std::string& reason) {
        context.user.notice(
            "There was a problem saving the MP3 playlist to: \n" + playlist.string(), reason);
        return -1;
    };
    std::string contents;
    std::error_code error;
    if (std::filesystem::exists(playlist, error)) {
        Result<std::string> old = readFile(playlist);
        if (!old) {
            return fail(old.error());
        }
        contents = std::move(*old);
        if (!contents.empty() && !contents.ends_with('\n')) {
            contents += "\r\n";
        }
    }
    int written = 0;
    for (const SearchRow& row : rows) {
        const std::string path = resolvedPath(context, row);
        // A line of the playlist cannot carry a line break: such a path
        // would become two entries naming no file.
        if (path.empty() || path.find_first_of("\r\n") != std::string::npos) {
            continue;
        }
        contents += path + "\r\n";
        ++written;
        (void)context.user.keepResponsive();
    }
    if (Status saved = writeFileAtomically(playlist, contents); !saved) {
        return fail(saved.error());
    }
    settings.app().save(kPlaylistPath, playlist.string());
    return written;
}

}  // namespace quor::find
