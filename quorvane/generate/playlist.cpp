#include "quorvane/generate/playlist.h"

#include <cstdlib>

#include "common/file_io.h"
#include "common/names.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/generate/cache_reader.h"
#include "quorvane/generate/sort.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/quorvane_settings.h"

namespace quor::generate {

namespace {

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    std::string folder = home != nullptr ? home : "";
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string withSlash(std::string text) {
    if (text.empty() || text.back() != '/') {
        text += '/';
    }
    return text;
}

// The paths of one record's cache file, appended to paths.
void addRecordPaths(const std::vector<std::string>& lines, const store::FolderRecord& record,
                    std::vector<std::string>& paths) {
    const bool removable = store::isRemovableDiskSet(record);
    const std::string displayRoot = withSlash(record.pathname);
    const std::string realRoot = withSlash(record.path);
    std::string folder = realRoot;
    std::size_t i = 0;
    if (!lines.empty() && cacheLineKind(lines[0]) == CacheLineKind::FileOrTotal) {
        i = 1;  // the total line
    }
    for (; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        switch (cacheLineKind(line)) {
            case CacheLineKind::DiskHeader:
                ++i;  // and its total line
                break;
            case CacheLineKind::FolderHeading:
                folder = playlistFolderOf(decodeDisplayPath(line.substr(1)), record.pathname,
                                          realRoot, removable);
                break;
            case CacheLineKind::FileOrTotal: {
                if (line.empty()) {
                    break;
                }
                std::string path = folder + decodeCacheName(splitFileLine(line).storedName);
                if (path.find_first_of("\r\n") == std::string::npos) {
                    paths.push_back(std::move(path));
                }
                break;
            }
        }
    }
}

}  // namespace

std::string playlistFolderOf(std::string_view heading, std::string_view displayName,
                             std::string_view realFolder, bool removable) {
    const std::size_t slash = heading.find('/');
    if (slash == std::string_view::npos) {
        return std::string(heading);
    }
    std::string_view name = displayName;
    while (!name.empty() && name.back() == '/') {
        name.remove_suffix(1);
    }
    if (removable || equalsIgnoringCase(heading.substr(0, slash), name)) {
        return withSlash(std::string(realFolder)) + std::string(heading.substr(slash + 1));
    }
    return std::string(heading);
}

std::vector<std::string> buildPlaylistPaths(store::ListContext& context) {
    const store::AppSettings settings = context.settings();
    std::vector<std::string> paths;
    const int records = store::numPaths(settings);
    for (int i = 0; i < records; ++i) {
        const store::FolderRecord record = store::readFolderRecord(settings, i);
        const std::filesystem::path file = context.places.cacheFile(i);
        Result<std::vector<std::string>> lines =
            isRegularFile(file) ? readCacheLines(file) : Result<std::vector<std::string>>(Error{});
        if (!lines) {
            context.user.notice("There was a problem opening the file list for the \n" +
                                    record.path + " directory. Skipped!",
                                kWarningCaption);
            continue;
        }
        addRecordPaths(*lines, record, paths);
    }
    SortStrings(paths);
    return paths;
}

Status saveToPlaylist(store::ListContext& context, const std::filesystem::path& playlist) {
    const std::vector<std::string> paths = buildPlaylistPaths(context);
    std::string contents;
    Status saved;
    if (std::filesystem::exists(playlist)) {
        Result<std::string> old = readFile(playlist);
        saved = old ? Status() : Status(Error{old.error()});
        if (old) {
            contents = std::move(*old);
        }
    }
    if (!contents.empty() && contents.back() != '\n') {
        contents += "\r\n";  // the old last line keeps its own line
    }
    for (const std::string& path : paths) {
        contents += path;
        contents += "\r\n";
    }
    if (saved) {
        saved = writeFileAtomically(playlist, contents);
    }
    if (!saved) {
        context.user.notice(
            "There was a problem saving the MP3 playlist to: \n" + playlist.string() + "!",
            store::kQuorvane);
        return saved;
    }
    context.settings().save(store::kPlaylistPath, playlist.string());
    return saved;
}

std::string playlistStartFolder(store::ListContext& context) {
    // Missing: the home folder as HOME gives it.
    const std::string chosen =
        context.settings().get(store::kPlaylistPath.withFallback(homeFolder()));
    if (chosen.empty()) {
        return withSlash(context.places.programFolder().string());
    }
    const std::size_t slash = chosen.rfind('/');
    return slash == std::string::npos ? std::string() : chosen.substr(0, slash + 1);
}

}  // namespace quor::generate
