#include "quorvane/generate/link_target.h"

#include <cstring>

#include "common/names.h"
#include "common/text_escape.h"

namespace quor::generate {

LinkRoot linkRootOf(bool linksOn, std::string_view downloadLink, std::string_view recordPath) {
    LinkRoot root;
    root.realRoot = std::string(recordPath);
    if (root.realRoot.empty() || root.realRoot.back() != '/') {
        root.realRoot += '/';
    }
    if (linksOn && !downloadLink.empty()) {
        root.base = std::string(downloadLink);
        if (!root.base.starts_with("\\\\")) {
            for (char& c : root.base) {
                if (c == '\\') {
                    c = '/';
                }
            }
        }
    }
    return root;
}

namespace {

// Where displayRoot first occurs in heading, ignoring case; npos if not.
std::size_t findIgnoringCase(std::string_view heading, std::string_view displayRoot) {
    if (displayRoot.size() <= heading.size() &&
        equalsIgnoringCase(heading.substr(0, displayRoot.size()), displayRoot)) {
        return 0;
    }
    return asciiLower(heading).find(asciiLower(displayRoot));
}

}  // namespace

std::string linkFolderOf(std::string_view heading, std::string_view displayRoot,
                         std::string_view realRoot) {
    const std::size_t at =
        displayRoot.empty() ? std::string_view::npos : findIgnoringCase(heading, displayRoot);
    if (at == std::string_view::npos) {
        return std::string(heading);
    }
    std::string folder(heading.substr(0, at));
    folder += realRoot;
    folder += heading.substr(at + displayRoot.size());
    return folder;
}

std::string linkTarget(const LinkRoot& root, std::string_view linkFolder, std::string_view name) {
    std::string path(linkFolder);
    path += name;
    return root.base + percentEncodePath(path);
}

std::string percentEncodePath(std::string_view path) {
    return percentEncodedPath(path);
}

std::string cleanDownloadLink(std::string_view typed) {
    std::string out;
    for (const char c : typed) {
        if (std::strchr("*?<>\" ", c) == nullptr || c == '\0') {
            out += c;
        }
    }
    if (!out.empty() && (out.back() == '/' || out.back() == '\\')) {
        out.pop_back();
    }
    return out;
}

}  // namespace quor::generate
