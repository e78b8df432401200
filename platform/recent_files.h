#pragma once

// The desktop's list of recently used files: the freedesktop XBEL file
// ($XDG_DATA_HOME/recently-used.xbel, else ~/.local/share/recently-used.xbel)
// that desktop file choosers read. Other applications write the same file,
// so it is changed with care: the existing text is checked to be
// well-formed XML with an "xbel" root before anything is changed, only our
// bookmark is added or updated (every other entry is kept byte for byte),
// and the file is replaced atomically. A file that cannot be understood is
// left untouched and reported.

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/result.h"

namespace quor::platform {

// The recent-files list of this user.
std::filesystem::path recentFilesList();

// Adds file (made absolute) to this user's recent-files list as opened by
// quorvane now, or updates its entry (modified and visited times, our
// application's count).
Status AddToRecentDocuments(const std::filesystem::path& file);

// The same on a given list file and time (tests, and the function above).
Status addRecentDocument(const std::filesystem::path& list, const std::filesystem::path& file,
                         std::time_t now);

// "file://" + the absolute path, percent-encoded as UTF-8 (RFC 3986 path
// characters are kept).
std::string fileUri(const std::filesystem::path& absolute);

// The MIME type a list file is announced with: text/html for .html and
// .htm, else text/plain.
std::string listMimeType(const std::filesystem::path& file);

}  // namespace quor::platform
