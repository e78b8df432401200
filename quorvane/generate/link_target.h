#pragma once

// The download link of each file of an HTML list. A link is the download
// link base (the user's "DownloadLink", kept as typed) followed by the
// file's real path, percent-encoded as a URL path (UTF-8, RFC 3986), so
// that names holding "#", "?", "%", blanks or quotes link to themselves.

#include <string>
#include <string_view>

namespace quor::generate {

// Where the links of one folder record start.
struct LinkRoot {
    // The download link base, empty for links to the local disk. A base
    // that is not a network share ("\\machine\share") has its "\" turned
    // into "/".
    std::string base;
    // The record's real folder ("Path") ending in "/".
    std::string realRoot;
};

// The link root of a record: with a base when links are on and a download
// link is set, else the local real folder alone.
LinkRoot linkRootOf(bool linksOn, std::string_view downloadLink, std::string_view recordPath);

// The real folder of a decoded folder heading: the heading with the first
// occurrence of the display root (compared without regard to case)
// replaced by the real root; the heading itself when the root is not in it.
std::string linkFolderOf(std::string_view heading, std::string_view displayRoot,
                         std::string_view realRoot);

// The link target of a file: base + the percent-encoded folder and name.
std::string linkTarget(const LinkRoot& root, std::string_view linkFolder, std::string_view name);

// Percent-encodes every byte that may not stand in a URL path as it is:
// letters, digits, "-._~", "!$&'()*+,;=", ":", "@" and "/" stay.
std::string percentEncodePath(std::string_view path);

// The cleaning of a typed download link base: removes every "*", "?",
// "<", ">", double quote and blank, then one trailing "/" or "\".
std::string cleanDownloadLink(std::string_view typed);

}  // namespace quor::generate
