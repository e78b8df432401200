#include "quorfind/search/text_list_search.h"

#include <unicode/unistr.h>

#include <algorithm>
#include <memory>
#include <system_error>
#include <vector>

#include "quorfind/search/list_lines.h"
#include "quorfind/search/match.h"
#include "quorfind/search/outside_file.h"
#include "quorfind/search/search_texts.h"

namespace quor::find {

namespace fs = std::filesystem;

std::string upperCaseName(std::string_view name) {
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(icu::StringPiece(
        name.data(), static_cast<int32_t>(std::min<std::size_t>(name.size(), 4096))));
    unicode.toUpper();
    std::string out;
    unicode.toUTF8String(out);
    return out;
}

namespace {

// One search over one list file or many: the matcher, the piece buffer
// shared by every file, and the result the rows go to.
class ListSearch {
  public:
    ListSearch(std::string_view searchText, const SearchLimits& limits, Interaction& user,
               SearchResult& result)
        : matcher_(searchText),
          limits_(limits),
          pieceBytes_(std::max<std::size_t>(limits.pieceBytes, 1)),
          piece_(std::make_unique_for_overwrite<char[]>(pieceBytes_)),
          user_(user),
          result_(result) {}

    // Reads the open file front to back, adding its matching lines with
    // prefix in front. Ends early on a stop request or a full result (both
    // marked in it); fails with the reason when a read fails.
    Status searchFile(const FileHandle& file, const fs::path& path, std::string_view prefix) {
        result_.rows.setPrefix(prefix);
        ListLines lines(limits_.maxLineBytes);
        if (!matcher_.empty()) {
            lines.passOverPlainLinesWithout(matcher_.folded());
        }
        const ListLines::Sink onLine = [this](std::string_view line) { return add(line); };
        while (true) {
            const Result<std::size_t> got = readSome(file, piece_.get(), pieceBytes_, path);
            if (!got) {
                return Error{got.error()};
            }
            if (*got == 0) {
                break;
            }
            if (!lines.feed(std::string_view(piece_.get(), *got), onLine)) {
                return {};
            }
            if (user_.keepResponsive()) {
                result_.stopped = true;
                return {};
            }
        }
        (void)lines.finish(onLine);
        return {};
    }

  private:
    bool add(std::string_view line) {
        if (!matcher_.matches(line)) {
            return true;
        }
        if (result_.rows.full()) {
            reportTooManyMatches(result_, user_);
            return false;
        }
        result_.rows.addText(line);
        ++result_.matches;
        return true;
    }

    TextMatcher matcher_;
    const SearchLimits& limits_;
    std::size_t pieceBytes_;
    std::unique_ptr<char[]> piece_;
    Interaction& user_;
    SearchResult& result_;
};

SearchResult emptyResult(const SearchLimits& limits) {
    SearchResult result;
    result.rows.setLimit(limits.maxRows, limits.maxRowBytes);
    return result;
}

}  // namespace

SearchResult searchTextList(const fs::path& file, std::string_view searchText, Interaction& user,
                            const SearchLimits& limits) {
    SearchResult result = emptyResult(limits);
    const auto fail = [&](const std::string& reason) {
        user.notice(kOpenTextListFailed, reason);
        result.failed = true;
        ++result.listsUnread;
    };
    const OutsideFile opened = openOutsideFile(file);
    if (opened.kind == FileKind::Missing) {
        result.listMissing = true;
    } else if (opened.kind != FileKind::Regular) {
        fail(opened.reason);
    } else if (const Status read =
                   ListSearch(searchText, limits, user, result).searchFile(opened.file, file, "");
               !read) {
        fail(read.error());
    }
    return result;
}

namespace {

// The entries of folder that are not hidden, in name order.
std::vector<fs::path> visibleEntries(const fs::path& folder, std::error_code& error) {
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!it->path().filename().string().starts_with('.')) {
            entries.push_back(it->path());
        }
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

}  // namespace

SearchResult searchListsFolder(const fs::path& listsFolder, std::string_view searchText,
                               Interaction& user, const SearchLimits& limits) {
    SearchResult result = emptyResult(limits);
    std::error_code error;
    const std::vector<fs::path> entries = visibleEntries(listsFolder, error);
    if (error && error != std::errc::no_such_file_or_directory) {
        user.notice(listsFolderFailedText(listsFolder.parent_path().string()), error.message());
        result.failed = true;
        return result;
    }
    ListSearch search(searchText, limits, user, result);
    const auto unread = [&](const fs::path& entry, const std::string& reason) {
        user.notice(listsFileFailedText(entry.string()), reason);
        ++result.listsUnread;
    };
    for (const fs::path& entry : entries) {
        const OutsideFile opened = openOutsideFile(entry);
        if (opened.kind == FileKind::Regular) {
            ++result.listsRead;
            const std::string prefix = upperCaseName(entry.filename().string()) + " - ";
            if (const Status read = search.searchFile(opened.file, entry, prefix); !read) {
                unread(entry, read.error());
            }
        } else if (opened.kind == FileKind::Unreadable) {
            ++result.listsRead;
            unread(entry, opened.reason);
        } else if (opened.kind == FileKind::Other) {
            unread(entry, opened.reason);
        }
        if (result.stopped || result.full) {
            break;
        }
        if (user.keepResponsive()) {
            result.stopped = true;
            break;
        }
    }
    if (result.listsRead == 0) {
        user.notice(kNoListsText, kNoListsCaption);
    }
    return result;
}

}  // namespace quor::find
