#include "quorvane/generate/cache_reader.h"

#include "common/file_io.h"
#include "common/number_text.h"
#include "common/text_lines.h"
#include "quorvane/generate/cache_format.h"

namespace quor::generate {

namespace {

Result<std::vector<std::string>> readLines(const std::filesystem::path& file, LoneCr loneCr) {
    Result<std::string> text = readFile(file);
    if (!text) {
        return Error{text.error()};
    }
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < text->size();) {
        lines.emplace_back(nextLine(*text, pos, loneCr));
    }
    return lines;
}

}  // namespace

Result<std::vector<std::string>> readTextLines(const std::filesystem::path& file) {
    return readLines(file, LoneCr::InLine);
}

Result<std::vector<std::string>> readUserTextLines(const std::filesystem::path& file) {
    return readLines(file, LoneCr::EndsLine);
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
