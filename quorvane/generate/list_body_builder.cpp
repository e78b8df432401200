#include "quorvane/generate/list_body_builder.h"

#include "common/file_io.h"
#include "common/text_lines.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/generate/sort.h"

namespace quor::generate {

namespace {

// The lines of a text as views into it, read as readTextLines reads them.
std::vector<std::string_view> textLineViews(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        lines.push_back(nextLine(text, pos, LoneCr::InLine));
    }
    return lines;
}

// Lines added to the body between two polls of keepResponsive.
constexpr std::size_t kLinesPerPoll = 4096;

// The folder in front of the name: one big list with the path in front.
bool pathInFront(const ListLayout& layout) {
    return layout.bigList && layout.includePath && !layout.pathAtEnd;
}

std::string missingCacheText(const std::string& recordPath) {
    return "There was a problem opening the file list for the \n" + recordPath +
           " directory. Skipped!";
}

}  // namespace

ListBodyBuilder::ListBodyBuilder(store::ListContext& context, ListKind kind, const Collation& order)
    : context_(context), kind_(kind), order_(order) {}

ListBody ListBodyBuilder::build() {
    BusyPointer busy(context_.user);
    const store::AppSettings settings = context_.settings();
    layout_ = ListLayout::read(settings);
    const int records = store::numPaths(settings);
    for (int i = 0; i < records; ++i) {
        addRecord(i, i == records - 1);
        poll();
    }
    if (layout_.bigList || layout_.folderMode != FolderMode::Files) {
        sortRange(0, body_.lines.size());
        if (layout_.numbered) {
            numberRange(0, body_.lines.size());
        }
    }
    return std::move(body_);
}

void ListBodyBuilder::addRecord(int index, bool last) {
    Record record;
    record.folder = store::readFolderRecord(context_.settings(), index);
    record.displayRoot = displayRootOf(record.folder.pathname);
    record.removable = store::isRemovableDiskSet(record.folder);
    record.linkRoot = linkRootOf(layout_.includeLinks, layout_.downloadLink, record.folder.path);

    const std::filesystem::path file = context_.places.cacheFile(index);
    const Result<std::string> text =
        isRegularFile(file) ? readFile(file) : Result<std::string>(Error{});
    if (!text) {
        context_.user.notice(missingCacheText(record.folder.path), kWarningCaption);
        body_.skipped.push_back(record.folder.path + ": " +
                                (text.error().empty() ? "it has no listing" : text.error()));
        return;
    }
    const CacheLines lines = textLineViews(*text);
    firstHeading_ = true;
    groupStart_ = body_.lines.size();
    currentFolder_ = record.displayRoot;
    linkFolder_ = record.linkRoot.realRoot;
    switch (layout_.folderMode) {
        case FolderMode::FoldersOnly:
            readFolders(lines, record);
            break;
        case FolderMode::RootFoldersOnly:
            readRootFolders(lines, record);
            break;
        case FolderMode::Files:
            readFiles(lines, record);
            if (!layout_.bigList && !last) {
                append("");
            }
            break;
    }
}

// The total line that opens a fixed folder's file; a removable set opens
// with its first disk header, which the main loop handles.
std::size_t ListBodyBuilder::skipStart(const CacheLines& lines, const Record&) {
    if (!lines.empty() && cacheLineKind(lines[0]) == CacheLineKind::FileOrTotal) {
        body_.totalSize += totalOf(lines[0]);
        return 1;
    }
    return 0;
}

// A disk header and the disk's total line after it; returns the index of
// the line after them. A missing total line is not made up.
std::size_t ListBodyBuilder::skipDiskHeader(const CacheLines& lines, std::size_t at) {
    if (at + 1 < lines.size() && cacheLineKind(lines[at + 1]) == CacheLineKind::FileOrTotal) {
        body_.totalSize += totalOf(lines[at + 1]);
        return at + 2;
    }
    return at + 1;
}

void ListBodyBuilder::readFiles(const CacheLines& lines, const Record& record) {
    for (std::size_t i = skipStart(lines, record); i < lines.size();) {
        const std::string_view line = lines[i];
        switch (cacheLineKind(line)) {
            case CacheLineKind::DiskHeader:
                i = skipDiskHeader(lines, i);
                continue;
            case CacheLineKind::FolderHeading: {
                currentFolder_ = decodeDisplayPath(line.substr(1));
                linkFolder_ =
                    linkFolderOf(currentFolder_, record.displayRoot, record.linkRoot.realRoot);
                if (!layout_.bigList) {
                    heading(shownName(currentFolder_), encodeCacheName(currentFolder_));
                }
                break;
            }
            case CacheLineKind::FileOrTotal:
                if (!line.empty()) {
                    fileLine(line, record);
                }
                break;
        }
        ++i;
    }
    if (!layout_.bigList) {
        closeGroup();
    }
}

void ListBodyBuilder::readFolders(const CacheLines& lines, const Record& record) {
    for (std::size_t i = skipStart(lines, record); i < lines.size();) {
        const std::string_view line = lines[i];
        const CacheLineKind kind = cacheLineKind(line);
        if (kind == CacheLineKind::DiskHeader) {
            i = skipDiskHeader(lines, i);
            continue;
        }
        if (kind == CacheLineKind::FolderHeading) {
            const std::string folder = decodeDisplayPath(line.substr(1));
            append(kind_ == ListKind::Html ? encodeCacheName(folder) : shownName(folder));
            ++body_.fileCount;
        }
        ++i;
    }
}

void ListBodyBuilder::readRootFolders(const CacheLines& lines, const Record& record) {
    std::string diskRoot;
    for (std::size_t i = skipStart(lines, record); i < lines.size();) {
        const std::string_view line = lines[i];
        const CacheLineKind kind = cacheLineKind(line);
        if (kind == CacheLineKind::DiskHeader) {
            diskRoot = std::string(line.substr(1)) + "/";
            i = skipDiskHeader(lines, i);
            continue;
        }
        ++i;
        if (kind != CacheLineKind::FolderHeading) {
            continue;
        }
        const std::string h = decodeDisplayPath(line.substr(1));
        if (h == record.displayRoot || h == diskRoot ||
            (lastRootFolder_ && h.find(*lastRootFolder_) != std::string::npos)) {
            continue;
        }
        const std::size_t from = diskRoot.empty() ? record.displayRoot.size() : diskRoot.size();
        const std::size_t slash = h.find('/', from);
        if (slash == std::string::npos) {
            continue;  // not below this root: there is no first level to show
        }
        lastRootFolder_ = h.substr(0, slash + 1);
        append(kind_ == ListKind::Html ? encodeCacheName(*lastRootFolder_)
                                       : shownName(*lastRootFolder_));
        ++body_.fileCount;
    }
}

void ListBodyBuilder::heading(const std::string& shown, const std::string& stored) {
    if (firstHeading_) {
        firstHeading_ = false;
    } else {
        closeGroup();
        append("");
    }
    append(kind_ == ListKind::Html ? stored : shown);
    append(std::string(kFolderSeparator));
    groupStart_ = body_.lines.size();
}

void ListBodyBuilder::fileLine(std::string_view line, const Record& record) {
    if (kind_ == ListKind::Text && line.find('%') == std::string_view::npos) {
        appendPlainTextFileLine(line);  // nothing to decode: the common case
    } else {
        const DecodedFileLine file = decodeFileLine(line);
        if (kind_ == ListKind::Html) {
            append(htmlFileLine(file), linkTarget(record.linkRoot, linkFolder_, file.name));
        } else {
            append(textFileLine(file));
        }
    }
    ++body_.fileCount;
}

// The two markers a text line drops: always the "*", and the path marker
// ">" in a broken-down list or a big list with the path at the end.
static bool dropsPathMarker(const ListLayout& layout) {
    return !layout.bigList || (layout.includePath && layout.pathAtEnd);
}

// Room for the number a numbered list puts in front ("2147483647. "), so
// that numbering does not copy the line again.
constexpr std::size_t kNumberRoom = 12;

void ListBodyBuilder::appendPlainTextFileLine(std::string_view line) {
    std::string& text = scratch_;
    text.clear();
    const std::string_view prefix = pathInFront(layout_) ? currentFolder_ : std::string_view();
    text += prefix;
    const std::size_t star = line.find('*');
    if (star == std::string_view::npos) {
        text += line;
    } else {
        text += line.substr(0, star);
        text += line.substr(star + 1);
    }
    if (dropsPathMarker(layout_)) {
        if (const std::size_t marker = text.find('>', prefix.size()); marker != std::string::npos) {
            text.erase(marker, 1);
        }
    }
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = '?';
        }
    }
    append(text);
}

std::string ListBodyBuilder::textFileLine(const DecodedFileLine& file) const {
    // The broken-down list and a big list with the path at the end drop both
    // markers; the other big lists drop only the "*".
    const bool dropPathMarker = dropsPathMarker(layout_);
    std::string text = pathInFront(layout_) ? currentFolder_ : std::string();
    text += file.name;
    text += file.columns;
    if (file.hasPathMarker) {
        if (!dropPathMarker) {
            text += '>';
        }
        text += file.pathFiller;
        text += file.path;
    }
    return shownName(text);
}

std::string ListBodyBuilder::htmlFileLine(const DecodedFileLine& file) const {
    std::string line = pathInFront(layout_) ? encodeCacheName(currentFolder_) : std::string();
    line += encodeCacheName(file.name);
    if (file.hasColumnMarker) {
        line += '*';
    }
    line += file.columns;
    if (file.hasPathMarker) {
        line += '>';
        line += file.pathFiller;
        line += encodeCacheName(file.path);
    }
    return line;
}

void ListBodyBuilder::append(std::string_view line, std::string target) {
    if (body_.lines.size() % kLinesPerPoll == kLinesPerPoll - 1) {
        poll();
    }
    body_.lines.push_back(line, layout_.numbered ? kNumberRoom : 0);
    if (kind_ == ListKind::Html) {
        body_.linkTargets.push_back(std::move(target));
    }
}

// Events run between cache files and every few thousand lines; a stop is
// for the caller to see.
void ListBodyBuilder::poll() {
    (void)context_.user.keepResponsive();
}

void ListBodyBuilder::closeGroup() {
    sortRange(groupStart_, body_.lines.size());
    if (layout_.numbered) {
        numberRange(groupStart_, body_.lines.size());
    }
    groupStart_ = body_.lines.size();
}

void ListBodyBuilder::sortRange(std::size_t first, std::size_t end) {
    if (end <= first + 1) {
        return;
    }
    const auto low = static_cast<std::int32_t>(first);
    const auto high = static_cast<std::int32_t>(end - 1);
    const SortPoll poll = [this] { this->poll(); };
    if (kind_ == ListKind::Html) {
        sortLinesPaired(body_.lines, body_.linkTargets, low, high, order_, poll);
    } else {
        sortLines(body_.lines, low, high, order_, poll);
    }
}

void ListBodyBuilder::numberRange(std::size_t first, std::size_t end) {
    for (std::size_t i = first; i < end; ++i) {
        body_.lines.prepend(i, std::to_string(++runningNumber_) + ". ");
    }
}

}  // namespace quor::generate
