#include "quorfind/search/own_list_search.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <cstring>
#include <system_error>

#include "common/file_io.h"
#include "common/names.h"
#include "common/read_to_end.h"
#include "quorfind/search/ascii_finder.h"
#include "quorfind/search/scratch_buffer.h"
#include "quorfind/search/search_texts.h"
#include "quorvane/generate/cache_format.h"

namespace quor::find {

namespace {

using generate::decodeCacheName;

// The first place at or after from where a line needs a look of its own: a
// byte that is not plain ASCII text (another script, or the "%" of an
// escape), or the line end before a folder heading or disk header. Eight
// bytes at a time; text.size() when there is none.
std::size_t findEvent(std::string_view text, std::size_t from) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x80 * kOnes;
    const auto hasZeroByte = [](std::uint64_t v) { return (v - kOnes) & ~v & kHigh; };
    const auto eventAt = [&text](std::size_t i) {
        const char c = text[i];
        if ((static_cast<unsigned char>(c) & 0x80) != 0 || c == '%') {
            return true;
        }
        return c == '\n' && i + 1 < text.size() && (text[i + 1] == '*' || text[i + 1] == '?');
    };
    std::size_t i = from;
#ifdef __SSE2__
    // Sixteen bytes at a time where the processor has SSE2 (every x86-64).
    const __m128i lineEnd = _mm_set1_epi8('\n'), percent = _mm_set1_epi8('%');
    const __m128i star = _mm_set1_epi8('*'), question = _mm_set1_epi8('?');
    const char* data = text.data();
    for (; i + 17 <= text.size(); i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 1));
        const __m128i heading = _mm_and_si128(
            _mm_cmpeq_epi8(x, lineEnd),
            _mm_or_si128(_mm_cmpeq_epi8(after, star), _mm_cmpeq_epi8(after, question)));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(x, percent), heading)) |
                         _mm_movemask_epi8(x);
        if (mask != 0) {
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
        }
    }
#endif
    while (i + 8 <= text.size()) {
        std::uint64_t x;
        std::memcpy(&x, text.data() + i, 8);
        // The bytes that follow each byte of x, so that a line end is an
        // event only when a heading or disk header comes after it.
        const std::uint64_t following =
            (x >> 8) |
            (i + 8 < text.size()
                 ? static_cast<std::uint64_t>(static_cast<unsigned char>(text[i + 8])) << 56
                 : 0);
        const std::uint64_t lineEnds = hasZeroByte(x ^ ('\n' * kOnes));
        const std::uint64_t headings =
            hasZeroByte(following ^ ('*' * kOnes)) | hasZeroByte(following ^ ('?' * kOnes));
        if (((x & kHigh) | hasZeroByte(x ^ ('%' * kOnes)) | (lineEnds & headings)) == 0) {
            i += 8;
            continue;
        }
        for (const std::size_t end = i + 8; i < end; ++i) {
            if (eventAt(i)) {
                return i;
            }
        }
    }
    for (; i < text.size(); ++i) {
        if (eventAt(i)) {
            return i;
        }
    }
    return text.size();
}

// True when text starts with folded, ASCII letters of text lowered.
bool asciiStartsWithFolded(std::string_view text, std::string_view folded) {
    return text.size() >= folded.size() && asciiEqualsFolded(text.substr(0, folded.size()), folded);
}

// Scans one listing file. The search text is found in the file as a whole,
// front to back, and so are the lines that hold other scripts or escapes:
// only those lines are folded one by one.
class ListingScanner {
  public:
    ListingScanner(std::string_view contents, const TextMatcher& matcher, bool includeFolders,
                   RowList& rows)
        : data_(contents),
          finder_(contents, matcher.folded()),
          asciiNeedle_(isAscii(matcher.folded())),
          needle_(matcher.folded()),
          includeFolders_(includeFolders),
          rows_(rows) {}

    long long run() {
        std::size_t pos = 0;
        std::string_view first = nextLine(pos);
        if (first.starts_with('?')) {
            (void)nextLine(pos);
        }
        while (pos < data_.size() && !full_) {
            if (quiet() && !skipQuietLines(pos)) {
                break;
            }
            const std::size_t start = pos;
            const std::string_view line = nextLine(pos);
            if (line.empty()) {
                continue;
            }
            switch (generate::cacheLineKind(line)) {
                case generate::CacheLineKind::FolderHeading:
                    setFolder(line.substr(1), start + 1);
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

    // True when a matching row was left out because the rows were full.
    bool full() const { return full_; }

  private:
    // While the folder neither matches nor ends with the start of the search
    // text, only three kinds of line can change anything: a line where the
    // search text stands, a line that is not plain ASCII, and a heading.
    bool quiet() const { return !folderMatches_ && straddles_.empty() && !needle_.empty(); }

    // Moves pos to the start of the next line of those kinds, passing over
    // the lines between without reading them; false when there is none.
    bool skipQuietLines(std::size_t& pos) {
        if (data_[pos] == '*' || data_[pos] == '?') {
            return true;  // the line here is a heading
        }
        const std::size_t occurrence = nextOccurrence(pos);
        const std::size_t event = nextEvent(pos);
        const std::size_t target = std::min(occurrence, event);
        if (target >= data_.size()) {
            return false;
        }
        if (target == event && data_[event] == '\n') {
            pos = event + 1;  // a heading starts after this line end
            return true;
        }
        const std::size_t lineEnd =
            target > pos ? data_.rfind('\n', target - 1) : std::string_view::npos;
        if (lineEnd != std::string_view::npos && lineEnd >= pos) {
            pos = lineEnd + 1;
        }
        return true;
    }

    // The next place where the search text stands in plain text. A search
    // text of another script stands in no plain line at all.
    std::size_t nextOccurrence(std::size_t from) {
        if (!asciiNeedle_) {
            return data_.size();
        }
        if (!searched_ || (next_ != std::string_view::npos && next_ < from)) {
            next_ = finder_.find(from);
            searched_ = true;
        }
        return next_ == std::string_view::npos ? data_.size() : next_;
    }

    std::size_t nextEvent(std::size_t from) {
        if (!eventSearched_ || event_ < from) {
            event_ = findEvent(data_, from);
            eventSearched_ = true;
        }
        return event_;
    }

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

    // A folder heading: its decoded text is made only when a row needs it.
    void setFolder(std::string_view stored, std::size_t start) {
        folderStored_ = stored;
        folderReady_ = false;
        folderMatches_ = false;
        straddles_.clear();
        if (!includeFolders_ || needle_.empty()) {
            return;
        }
        std::string folded;
        if (plainAt(start, start + stored.size())) {
            folderMatches_ = occursWithin(start, start + stored.size());
            folded = asciiLower(stored);
        } else {
            folded = foldCase(decodeCacheName(stored));
            folderMatches_ = findBytes(folded, needle_) != std::string_view::npos;
        }
        // Prefix lengths p of the search text that the folder ends with: a
        // candidate folder + line also matches when the line starts with the
        // rest of the search text.
        if (!folderMatches_) {
            for (std::size_t p = 1; p < needle_.size(); ++p) {
                if (std::string_view(folded).ends_with(std::string_view(needle_).substr(0, p))) {
                    straddles_.push_back(p);
                }
            }
        }
    }

    const std::string& folder() {
        if (!folderReady_) {
            folder_ = decodeCacheName(folderStored_);
            folderReady_ = true;
        }
        return folder_;
    }

    // True when [start, end) holds plain ASCII text only. The next event is
    // kept, so the file is scanned once from front to back.
    bool plainAt(std::size_t start, std::size_t end) { return nextEvent(start) >= end; }

    bool fileLineMatches(std::string_view line, std::size_t start) {
        if (folderMatches_ || needle_.empty()) {
            return true;
        }
        if (plainAt(start, start + line.size())) {
            return occursWithin(start, start + line.size()) ||
                   (!straddles_.empty() && straddles(line));
        }
        const std::string folded = foldCase(decodedLine(line));
        return findBytes(folded, needle_) != std::string_view::npos || straddles(folded);
    }

    // True when the search text occurs in the lowered contents within
    // [start, end). The next occurrence is kept, so the file is searched
    // once from front to back.
    bool occursWithin(std::size_t start, std::size_t end) {
        const std::size_t at = nextOccurrence(start);
        return at < data_.size() && at + needle_.size() <= end;
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
        if (rows_.full()) {
            full_ = true;
            return;
        }
        const generate::CacheFileLine split = generate::splitFileLine(line);
        const std::string_view columns = shownColumns(split.rest);
        const std::string& folderText = folder();
        if (split.storedName.find('%') == std::string_view::npos) {
            rows_.addEntry(folderText, split.storedName, columns);
        } else {
            rows_.addEntry(folderText, decodeCacheName(split.storedName), columns);
        }
        ++added_;
    }

    std::string_view data_;
    AsciiFinder finder_;
    bool asciiNeedle_;
    const std::string& needle_;
    bool includeFolders_;
    RowList& rows_;
    bool full_ = false;

    std::string_view folderStored_;
    std::string folder_;
    bool folderReady_ = true;
    bool folderMatches_ = false;
    std::size_t event_ = 0;
    bool eventSearched_ = false;
    std::vector<std::size_t> straddles_;
    std::size_t next_ = 0;
    bool searched_ = false;
    long long added_ = 0;
};

}  // namespace

Result<std::string_view> readFileInto(const std::filesystem::path& file, ScratchBuffer& buffer) {
    const Result<UniqueFd> fd = openRegularFile(file);
    if (!fd) {
        return Error{fd.error()};
    }
    struct stat info {};
    const bool sized = ::fstat(fd->get(), &info) == 0 && info.st_size > 0;
    char* data = nullptr;
    const ReadOutcome read =
        readToEnd(fd->get(), sized ? static_cast<std::size_t>(info.st_size) : 65536,
                  static_cast<std::size_t>(-1), [&](std::size_t capacity, std::size_t kept) {
                      data = buffer.reserve(capacity, kept);
                      return data;
                  });
    if (read.error != 0) {
        return Error{ioErrorText("read", file, read.error)};
    }
    return std::string_view(data, read.size);
}

std::string_view shownColumns(std::string_view rest) {
    if (!rest.starts_with('*')) {
        return {};
    }
    const std::size_t end = rest.find('>');
    std::string_view columns =
        rest.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1);
    columns.remove_prefix(std::min(columns.find_first_not_of(' '), columns.size()));
    return columns;
}

long long searchListing(std::string_view contents, const TextMatcher& matcher, bool includeFolders,
                        RowList& rows) {
    return ListingScanner(contents, matcher, includeFolders, rows).run();
}

SearchResult searchOwnList(const OwnList& list, std::string_view searchText, bool includeFolders,
                           Interaction& user, const SearchLimits& limits) {
    SearchResult result;
    result.rows.setLimit(limits.maxRows, limits.maxRowBytes);
    const TextMatcher matcher(searchText);
    // Both buffers serve every file in turn: fresh memory for each file
    // would cost more than the search itself.
    ScratchBuffer contents;
    for (const ListFolder& folder : list.folders) {
        std::error_code error;
        if (!std::filesystem::exists(folder.listingFile, error)) {
            continue;
        }
        const Result<std::string_view> read = readFileInto(folder.listingFile, contents);
        if (!read) {
            user.notice(kOpenListFailed, read.error());
            result.failed = true;
            break;
        }
        ListingScanner scanner(*read, matcher, includeFolders, result.rows);
        result.matches += scanner.run();
        if (scanner.full()) {
            reportTooManyMatches(result, user);
            break;
        }
        if (user.keepResponsive()) {
            result.stopped = true;
            break;
        }
    }
    return result;
}

SearchResult searchOwnListOf(const std::filesystem::path& dataFolder, std::string_view listPath,
                             std::string_view searchText, bool includeFolders, Interaction& user,
                             const SearchLimits& limits) {
    const Result<OwnList> list = loadOwnList(dataFolder, listPath);
    if (!list) {
        user.notice(kOpenListFailed, list.error());
        SearchResult result;
        result.failed = true;
        return result;
    }
    return searchOwnList(*list, searchText, includeFolders, user, limits);
}

}  // namespace quor::find
