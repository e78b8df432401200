#include "platform/recent_files.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "common/file_io.h"
#include "common/text_escape.h"
#include "platform/program_folder.h"
#include "platform/xml_outline.h"

namespace quor::platform {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kApplication = "quorvane";
constexpr std::string_view kExec = "quorvane %u";
constexpr std::string_view kBookmarkNs = "http://www.freedesktop.org/standards/desktop-bookmarks";
constexpr std::string_view kMimeNs = "http://www.freedesktop.org/standards/shared-mime-info";

std::string isoTime(std::time_t when) {
    std::tm utc{};
    gmtime_r(&when, &utc);
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S.000000Z", &utc);
    return text;
}

std::string applicationElement(std::string_view modified, long count) {
    return "<bookmark:application name=\"" + std::string(kApplication) + "\" exec=\"" +
           xmlEscaped(kExec) + "\" modified=\"" + std::string(modified) + "\" count=\"" +
           std::to_string(count) + "\"/>";
}

std::string bookmarkElement(std::string_view uri, std::string_view mime, std::string_view added,
                            std::string_view now) {
    return "  <bookmark href=\"" + xmlEscaped(uri) + "\" added=\"" + std::string(added) +
           "\" modified=\"" + std::string(now) + "\" visited=\"" + std::string(now) +
           "\">\n"
           "    <info>\n"
           "      <metadata owner=\"http://freedesktop.org\">\n"
           "        <mime:mime-type type=\"" +
           xmlEscaped(mime) +
           "\"/>\n"
           "        <bookmark:applications>\n"
           "          " +
           applicationElement(now, 1) +
           "\n"
           "        </bookmark:applications>\n"
           "      </metadata>\n"
           "    </info>\n"
           "  </bookmark>";
}

std::string newList(std::string_view bookmark) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<xbel version=\"1.0\"\n"
           "      xmlns:bookmark=\"" +
           std::string(kBookmarkNs) +
           "\"\n"
           "      xmlns:mime=\"" +
           std::string(kMimeNs) +
           "\"\n"
           ">\n" +
           std::string(bookmark) + "\n</xbel>\n";
}

// One replacement of a byte range of the original text.
struct Edit {
    std::size_t begin;
    std::size_t end;
    std::string text;
};

// Edits at the same place end up in the order given.
std::string applyEdits(std::string_view text, std::vector<Edit> edits) {
    std::reverse(edits.begin(), edits.end());
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit& a, const Edit& b) { return a.begin > b.begin; });
    std::string out(text);
    for (const Edit& e : edits) {
        out.replace(e.begin, e.end - e.begin, e.text);
    }
    return out;
}

// Sets an attribute of a start tag: its value replaced, or the attribute
// added at the end of the tag.
Edit setAttribute(std::string_view text, const XmlElement& element, std::string_view name,
                  std::string_view value) {
    if (const XmlAttribute* a = element.attribute(name)) {
        return {a->valueBegin, a->valueEnd, xmlEscaped(value)};
    }
    std::size_t at = element.startTagEnd - (element.selfClosing ? 2 : 1);
    while (at > element.begin && (text[at - 1] == ' ' || text[at - 1] == '\n')) {
        --at;
    }
    return {at, at, " " + std::string(name) + "=\"" + xmlEscaped(value) + "\""};
}

bool isInside(const std::vector<XmlElement>& all, int index, int ancestor) {
    for (int i = all[static_cast<std::size_t>(index)].parent; i >= 0;
         i = all[static_cast<std::size_t>(i)].parent) {
        if (i == ancestor) {
            return true;
        }
    }
    return false;
}

// The edits that bring an existing bookmark up to date.
std::vector<Edit> updateBookmark(std::string_view text, const std::vector<XmlElement>& all,
                                 int bookmark, std::string_view uri, std::string_view mime,
                                 std::string_view now) {
    const XmlElement& b = all[static_cast<std::size_t>(bookmark)];
    int applications = -1;
    for (int i = bookmark + 1; i < static_cast<int>(all.size()) && isInside(all, i, bookmark);
         ++i) {
        const XmlElement& e = all[static_cast<std::size_t>(i)];
        if (e.name == "bookmark:application" && e.attribute("name") &&
            e.attribute("name")->value == kApplication) {
            const XmlAttribute* count = e.attribute("count");
            const long old = count ? std::strtol(count->value.c_str(), nullptr, 10) : 0;
            // A count at its limit (or beyond, read as the limit) stays there.
            const long next = old >= LONG_MAX ? LONG_MAX : std::max(old, 0L) + 1;
            return {setAttribute(text, b, "modified", now),
                    setAttribute(text, b, "visited", now),
                    {e.begin, e.end, applicationElement(now, next)}};
        }
        if (e.name == "bookmark:applications" && !e.selfClosing && applications < 0) {
            applications = i;
        }
    }
    if (applications >= 0) {
        const XmlElement& apps = all[static_cast<std::size_t>(applications)];
        return {
            setAttribute(text, b, "modified", now),
            setAttribute(text, b, "visited", now),
            {apps.endTagBegin, apps.endTagBegin, "  " + applicationElement(now, 1) + "\n        "}};
    }
    // A bookmark without the usual metadata: written anew, keeping when it
    // was added.
    const XmlAttribute* added = b.attribute("added");
    const std::string addedTime = added ? added->value : std::string(now);
    std::size_t begin = b.begin;
    while (begin > 0 && text[begin - 1] == ' ') {
        --begin;
    }
    return {{begin, b.end, bookmarkElement(uri, mime, addedTime, now)}};
}

Result<std::string> updatedList(std::string_view text, std::string_view uri, std::string_view mime,
                                std::string_view now) {
    std::optional<std::vector<XmlElement>> outline = outlineXml(text);
    if (!outline || outline->empty() || (*outline)[0].name != "xbel") {
        return Error{"it is not a list of bookmarks this program can read"};
    }
    const std::vector<XmlElement>& all = *outline;
    const XmlElement& root = all[0];
    const std::string wanted = percentDecoded(uri);
    for (int i = 1; i < static_cast<int>(all.size()); ++i) {
        const XmlElement& e = all[static_cast<std::size_t>(i)];
        const XmlAttribute* href = e.attribute("href");
        if (e.parent == 0 && e.name == "bookmark" && href &&
            percentDecoded(href->value) == wanted) {
            return applyEdits(text, updateBookmark(text, all, i, uri, mime, now));
        }
    }
    std::vector<Edit> edits;
    if (!root.attribute("xmlns:bookmark")) {
        edits.push_back(setAttribute(text, root, "xmlns:bookmark", kBookmarkNs));
    }
    if (!root.attribute("xmlns:mime")) {
        edits.push_back(setAttribute(text, root, "xmlns:mime", kMimeNs));
    }
    if (root.selfClosing) {
        return Error{"it holds an empty list in a form this program does not change"};
    }
    std::size_t at = root.endTagBegin;
    std::string insert = bookmarkElement(uri, mime, now, now) + "\n";
    if (at > 0 && text[at - 1] != '\n') {
        insert = "\n" + insert;
    }
    edits.push_back({at, at, insert});
    return applyEdits(text, edits);
}

}  // namespace

fs::path recentFilesList() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        return fs::path(dataHome) / "recently-used.xbel";
    }
    return homeFolder() / ".local/share/recently-used.xbel";
}

std::string fileUri(const fs::path& absolute) {
    return "file://" + percentEncodedPath(absolute.string());
}

std::string listMimeType(const fs::path& file) {
    std::string ext = file.extension().string();
    for (char& c : ext) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
    return (ext == ".html" || ext == ".htm") ? "text/html" : "text/plain";
}

Status addRecentDocument(const fs::path& list, const fs::path& file, std::time_t now) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(file, ec).lexically_normal();
    if (ec) {
        return Error{ioErrorText("find", file, ec.value())};
    }
    const std::string uri = fileUri(absolute);
    const std::string mime = listMimeType(absolute);
    const std::string time = isoTime(now);
    std::string contents;
    if (fs::exists(list, ec)) {
        Result<std::string> old = readFile(list);
        if (!old) {
            return Error{old.error()};
        }
        Result<std::string> updated = updatedList(*old, uri, mime, time);
        if (!updated) {
            return Error{"The recent files list " + list.string() +
                         " was left as it is: " + updated.error() + "."};
        }
        contents = std::move(*updated);
    } else {
        if (Status made = createFolders(list.parent_path()); !made) {
            return made;
        }
        contents = newList(bookmarkElement(uri, mime, time, time));
    }
    return writeFileAtomically(list, contents);
}

Status AddToRecentDocuments(const fs::path& file) {
    return addRecentDocument(recentFilesList(), file, std::time(nullptr));
}

}  // namespace quor::platform
