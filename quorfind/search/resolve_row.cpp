#include "quorfind/search/resolve_row.h"

#include <system_error>

#include "common/file_io.h"
#include "common/names.h"
#include "quorvane/store/saved_list_format.h"

namespace quor::find {

namespace {

constexpr auto npos = std::string_view::npos;

// The dot that starts the extension: the last "." after from that is not
// followed, two characters further on, by "MB".
std::size_t extensionDot(std::string_view row, std::size_t from) {
    std::size_t found = npos;
    for (std::size_t d = row.find('.', from); d != npos; d = row.find('.', d + 1)) {
        if (row.substr(d + 3 < row.size() ? d + 3 : row.size(), 2) != "MB") {
            found = d;
        }
    }
    return found;
}

RowLocation cutAt(std::string_view row, std::size_t first, std::size_t last, std::size_t nameEnd) {
    RowLocation location;
    location.root = std::string(row.substr(0, first));
    location.middle = std::string(row.substr(first + 1, last - first));
    location.fileName =
        std::string(row.substr(last + 1, nameEnd == npos ? npos : nameEnd - last - 1));
    return location;
}

bool diskSetHasDisk(const ListFolder& folder, std::string_view name) {
    const Result<std::string> contents = readFile(folder.listingFile);
    if (!contents) {
        return false;
    }
    for (std::string_view line : store::splitLines(*contents)) {
        if (line.starts_with('?') && equalsIgnoringCase(line.substr(1), name)) {
            return true;
        }
    }
    return false;
}

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

bool pathExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error);
}

// A row that climbs with "." or "..", or whose file name holds a "/",
// names nothing of the list: every name in it came from a folder listing,
// which never holds them. An empty file name is a folder row.
bool staysBelowItsRoot(const RowLocation& location) {
    return location.fileName.find('/') == std::string::npos && staysBelow(location.fileName) &&
           staysBelow(location.middle);
}

// The folder a row is resolved below: a record's real folder, or a root
// name that is a path of its own. Never a relative path, which would be
// taken from wherever the program was started.
bool isUsableBase(const std::string& base) {
    return base.starts_with('/') && base.find('\0') == std::string::npos;
}

}  // namespace

std::vector<RowLocation> rowTextLocations(std::string_view row) {
    const std::size_t first = row.find('/');
    if (first == npos) {
        return {};
    }
    const std::size_t last = row.rfind('/');
    std::size_t dot = extensionDot(row, last + 1);
    if (dot == npos) {
        dot = last;
    }
    const RowLocation described = cutAt(row, first, last, row.find(' ', dot));

    const std::size_t columns = row.find("  ", first);
    if (columns != npos && columns < last) {
        const std::size_t nameLast = row.rfind('/', columns);
        if (nameLast != npos && nameLast >= first) {
            const RowLocation beforeColumns = cutAt(row, first, nameLast, columns);
            if (beforeColumns != described) {
                return {beforeColumns, described};
            }
        }
    }
    return {described};
}

std::vector<RowLocation> rowLocations(const SearchRow& row) {
    const std::string folder = row.folder();
    const std::size_t first = folder.find('/');
    if (row.name().empty() || first == npos) {
        return rowTextLocations(row.text());
    }
    RowLocation location;
    location.root = folder.substr(0, first);
    location.middle = folder.substr(first + 1);
    location.fileName = row.name();
    return {location};
}

std::string baseFolder(std::string_view root, const OwnList& list) {
    for (const ListFolder& folder : list.folders) {
        if (equalsIgnoringCase(folder.displayName, root) ||
            (folder.removable && diskSetHasDisk(folder, root))) {
            return withSlash(folder.path);
        }
    }
    return withSlash(std::string(root));
}

std::string resolveLocations(const std::vector<RowLocation>& locations, const OwnList& list,
                             Interaction& user, DiskQuestion question) {
    if (locations.empty()) {
        return {};
    }
    std::vector<std::string> folders;
    std::vector<std::string> paths;
    for (const RowLocation& location : locations) {
        const std::string base = baseFolder(location.root, list);
        if (isUsableBase(base) && staysBelowItsRoot(location)) {
            folders.push_back(base + location.middle);
            paths.push_back(folders.back() + location.fileName);
        }
    }
    if (paths.empty()) {
        return {};
    }
    while (true) {
        for (const std::string& path : paths) {
            if (pathExists(path)) {
                return path;
            }
        }
        if (question == DiskQuestion::Never ||
            !user.okOrCancel(std::string(kInsertDiskText) + folders.front(),
                             kFileNotFoundCaption)) {
            return {};
        }
    }
}

std::string resolveRow(const SearchRow& row, const OwnList& list, Interaction& user,
                       DiskQuestion question) {
    if (!row.name().empty() && row.folder().find('/') != npos) {
        return resolveLocations(rowLocations(row), list, user, question);
    }
    return resolveRowText(row.text(), list, user, question);
}

std::string resolveRowText(std::string_view row, const OwnList& list, Interaction& user,
                           DiskQuestion question) {
    std::vector<RowLocation> locations = rowTextLocations(row);
    for (RowLocation& location : locations) {
        location.fileName = std::string(withoutBlanksAround(location.fileName));
    }
    return resolveLocations(locations, list, user, question);
}

}  // namespace quor::find
