#include "quorfind/search/own_list_search.h"

#include <system_error>

#include "common/file_io.h"
#include "common/names.h"
#include "quorfind/search/search_texts.h"
#include "quorvane/generate/cache_format.h"

namespace quor::find {

namespace {

using generate::decodeCacheName;
using generate::shownName;

// True when a line can be matched on its bytes as they stand: ASCII only
// and no escape to decode.
bool plainLine(std::string_view line) {
    unsigned char high = 0;
    bool percent = false;
    for (char c : line) {
        high |= static_cast<unsigned char>(c);
        percent |= (c == '%');
    }
    return (high & 0x80) == 0 && !percent;
}

bool asciiStartsWithFolded(std::string_view lowered, std::string_view folded) {
    return lowered.substr(0, folded.size()) == folded;
}

// Scans one listing file. The contents are lowered (ASCII letters) once as a
// whole, so that the search text is found with one pass over the file; only
// lines that hold other letters or escapes are folded one by one.
class ListingScanner {
  public:
    ListingScanner(std::string_view contents, const TextMatcher& matcher, bool includeFolders,
                   std::vector<SearchRow>& rows)
        : data_(contents),
          lowered_(asciiLower(contents)),
          needle_(matcher.folded()),
          matcher_(matcher),
          includeFolders_(includeFolders),
          rows_(rows) {}

    long long run() {
        std::size_t pos = 0;
        std::string_view first = nextLine(pos);
        if (first.starts_with('?')) {
            (void)nextLine(pos);
        }
        while (pos < data_.size()) {
            const std::size_t start = pos;
            const std::string_view line = nextLine(pos);
            if (line.empty()) {
                continue;
            }
            switch (generate::cacheLineKind(line)) {
                case generate::CacheLineKind::FolderHeading:
                    setFolder(line.substr(1));
                    break;
                case generate::CacheLineKind::DiskHeader:
                    (void)nextLine(pos);
                    break;
                case generate::CacheLineKind::FileOrTotal:
                    if (fileLineMatches(line, start)) {
                        addRow(line);
                    }
                    break;
            }
        }
        return added_;
    }

  private:
    // The line starting at pos, without its line end; pos moves past it.
    std::string_view nextLine(std::size_t& pos) const {
        const std::size_t end = data_.find('\n', pos);
        const std::size_t stop = end == std::string_view::npos ? data_.size() : end;
        std::string_view line = data_.substr(pos, stop - pos);
        pos = end == std::string_view::npos ? data_.size() : end + 1;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        return line;
    }

    void setFolder(std::string_view stored) {
        folder_ = decodeCacheName(stored);
        folderShown_ = shownName(folder_);
        folderMatches_ = includeFolders_ && matcher_.matches(folder_);
        // Prefix lengths p of the search text that the folder ends with: a
        // candidate folder + line also matches when the line starts with the
        // rest of the search text.
        straddles_.clear();
        if (includeFolders_ && !folderMatches_ && needle_.size() > 1) {
            const std::string folded = foldCase(folder_);
            for (std::size_t p = 1; p < needle_.size(); ++p) {
                if (std::string_view(folded).ends_with(std::string_view(needle_).substr(0, p))) {
                    straddles_.push_back(p);
                }
            }
        }
    }

    bool fileLineMatches(std::string_view line, std::size_t start) {
        if (folderMatches_ || needle_.empty()) {
            return true;
        }
        if (plainLine(line)) {
            return occursWithin(start, start + line.size()) ||
                   straddles(std::string_view(lowered_).substr(start, line.size()));
        }
        const std::string folded = foldCase(decodedLine(line));
        return findBytes(folded, needle_) != std::string_view::npos || straddles(folded);
    }

    // True when the search text occurs in the lowered contents within
    // [start, end). The next occurrence is kept, so the file is searched
    // once from front to back.
    bool occursWithin(std::size_t start, std::size_t end) {
        if (!searched_ || (next_ != std::string_view::npos && next_ < start)) {
            next_ = findBytes(lowered_, needle_, start);
            searched_ = true;
        }
        return next_ != std::string_view::npos && next_ + needle_.size() <= end;
    }

    bool straddles(std::string_view foldedLine) const {
        for (std::size_t p : straddles_) {
            if (asciiStartsWithFolded(foldedLine, std::string_view(needle_).substr(p))) {
                return true;
            }
        }
        return false;
    }

    static std::string decodedLine(std::string_view line) {
        const generate::CacheFileLine split = generate::splitFileLine(line);
        return decodeCacheName(split.storedName) + std::string(split.rest);
    }

    void addRow(std::string_view line) {
        const generate::CacheFileLine split = generate::splitFileLine(line);
        SearchRow row;
        row.folder = folder_;
        row.name = decodeCacheName(split.storedName);
        row.text = folderShown_ + shownName(row.name);
        std::string_view rest = split.rest;
        if (rest.starts_with('*')) {
            rest = rest.substr(1, rest.find('>') == std::string_view::npos ? std::string_view::npos
                                                                           : rest.find('>') - 1);
            rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
            row.text += "  ";
            row.text += rest;
        }
        rows_.push_back(std::move(row));
        ++added_;
    }

    std::string_view data_;
    std::string lowered_;
    const std::string& needle_;
    const TextMatcher& matcher_;
    bool includeFolders_;
    std::vector<SearchRow>& rows_;

    std::string folder_;
    std::string folderShown_;
    bool folderMatches_ = false;
    std::vector<std::size_t> straddles_;
    std::size_t next_ = 0;
    bool searched_ = false;
    long long added_ = 0;
};

}  // namespace

long long searchListing(std::string_view contents, const TextMatcher& matcher, bool includeFolders,
                        std::vector<SearchRow>& rows) {
    return ListingScanner(contents, matcher, includeFolders, rows).run();
}

SearchResult searchOwnList(const OwnList& list, std::string_view searchText, bool includeFolders,
                           Interaction& ui) {
    SearchResult result;
    const TextMatcher matcher(searchText);
    for (const ListFolder& folder : list.folders) {
        std::error_code error;
        if (!std::filesystem::exists(folder.listingFile, error)) {
            continue;
        }
        const Result<std::string> contents = readFile(folder.listingFile);
        if (!contents) {
            ui.notice(kOpenListFailed, contents.error());
            result.failed = true;
            break;
        }
        result.matches += searchListing(*contents, matcher, includeFolders, result.rows);
        if (ui.keepResponsive()) {
            result.stopped = true;
            break;
        }
    }
    return result;
}

SearchResult searchOwnListOf(const std::filesystem::path& dataFolder, std::string_view listPath,
                             std::string_view searchText, bool includeFolders, Interaction& ui) {
    const Result<OwnList> list = loadOwnList(dataFolder, listPath);
    if (!list) {
        ui.notice(kOpenListFailed, list.error());
        SearchResult result;
        result.failed = true;
        return result;
    }
    return searchOwnList(*list, searchText, includeFolders, ui);
}

}  // namespace quor::find
