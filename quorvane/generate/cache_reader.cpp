#include "quorvane/generate/cache_reader.h"

#include <algorithm>

#include "common/file_io.h"
#include "common/number_text.h"
#include "quorvane/generate/cache_format.h"

namespace quor::generate {

namespace {

// Splits text into lines at LF and CR LF, and at a lone CR as well when
// loneCrEndsLine.
std::vector<std::string> splitLines(const std::string& all, bool loneCrEndsLine) {
    const char* ends = loneCrEndsLine ? "\r\n" : "\n";
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = std::min(all.find_first_of(ends, start), all.size());
        std::size_t next = end + 1;
        if (end < all.size() && all[end] == '\r' && next < all.size() && all[next] == '\n') {
            ++next;
        } else if (end > start && all[end - 1] == '\r') {
            --end;  // CR LF, or a last line ending in CR
        }
        lines.emplace_back(all, start, end - start);
        start = next;
    }
    return lines;
}

Result<std::vector<std::string>> readLines(const std::filesystem::path& file, bool loneCrEndsLine) {
    Result<std::string> text = readFile(file);
    if (!text) {
        return Error{text.error()};
    }
    return splitLines(*text, loneCrEndsLine);
}

}  // namespace

Result<std::vector<std::string>> readTextLines(const std::filesystem::path& file) {
    return readLines(file, false);
}

Result<std::vector<std::string>> readUserTextLines(const std::filesystem::path& file) {
    return readLines(file, true);
}

std::string decodeDisplayPath(std::string_view stored) {
    return decodeCacheName(stored);
}

DecodedFileLine decodeFileLine(std::string_view line) {
    DecodedFileLine out;
    const CacheFileLine split = splitFileLine(line);
    out.name = decodeCacheName(split.storedName);
    std::string_view rest = split.rest;
    if (!rest.empty() && rest[0] == '*') {
        out.hasColumnMarker = true;
        rest.remove_prefix(1);
    }
    const std::size_t pathMarker = rest.find('>');
    out.columns = std::string(rest.substr(0, pathMarker));
    if (pathMarker == std::string_view::npos) {
        return out;
    }
    out.hasPathMarker = true;
    std::string_view path = rest.substr(pathMarker + 1);
    const std::size_t pathStart = std::min(path.find_first_not_of(' '), path.size());
    out.pathFiller = std::string(path.substr(0, pathStart));
    out.path = decodeDisplayPath(path.substr(pathStart));
    return out;
}

std::string displayRootOf(std::string_view pathname) {
    std::string root(pathname);
    if (root.empty() || root.back() != '/') {
        root += '/';
    }
    return root;
}

double totalOf(std::string_view line) {
    return leadingNumber(line);
}

}  // namespace quor::generate
