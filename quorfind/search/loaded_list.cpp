#include "quorfind/search/loaded_list.h"

#include <sys/stat.h>

#include <algorithm>
#include <limits>

#include "common/file_io.h"
#include "quorfind/search/ascii_finder.h"
#include "quorfind/search/match.h"
#include "quorfind/search/own_list_search.h"
#include "quorfind/search/plain_line_matcher.h"
#include "quorvane/generate/cache_format.h"

namespace quor::find {

namespace fs = std::filesystem;

namespace {

// Marks a line that is matched by its folded text (Line::folder).
constexpr std::uint32_t kFoldedFlag = std::uint32_t{1} << 31;
// Stop requests are looked at after this many lines.
constexpr std::size_t kStopCheckLines = 8192;

bool isPlain(std::string_view line) {
    return isAscii(line) && line.find('%') == std::string_view::npos;
}

// The line starting at pos, without its line end; pos moves past it.
std::string_view nextLine(std::string_view data, std::size_t& pos) {
    const std::size_t end = data.find('\n', pos);
    const std::size_t stop = end == std::string_view::npos ? data.size() : end;
    std::string_view line = data.substr(pos, stop - pos);
    pos = end == std::string_view::npos ? data.size() : end + 1;
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

FileStamp FileStamp::of(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        return {};
    }
    return {true, static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

Result<std::shared_ptr<const LoadedList>> LoadedList::load(const fs::path& dataFolder,
                                                           std::string_view listPath,
                                                           std::size_t maxBytes,
                                                           std::size_t maxLines) {
    const store::SavedListFiles files(dataFolder, listFileName(listPath));
    std::shared_ptr<LoadedList> loaded(new LoadedList);
    loaded->stamps_.emplace_back(files.listFile(), FileStamp::of(files.listFile()));
    const Result<OwnList> list = loadOwnList(dataFolder, listPath);
    if (!list) {
        return Error{list.error()};
    }
    std::uint64_t total = 0;
    for (const ListFolder& folder : list->folders) {
        loaded->stamps_.emplace_back(folder.listingFile, FileStamp::of(folder.listingFile));
        total += static_cast<std::uint64_t>(
            std::max<std::int64_t>(0, loaded->stamps_.back().second.size));
    }
    if (total > maxBytes) {
        return Error{"the list is too large to keep in memory"};
    }
    loaded->arena_.reserve(static_cast<std::size_t>(total) + kLineMatcherSlack);
    loaded->folders_.push_back({});
    for (std::size_t i = 1; i < loaded->stamps_.size(); ++i) {
        const auto& [file, stamp] = loaded->stamps_[i];
        if (!stamp.exists) {
            continue;
        }
        const Result<std::string> contents = readFile(file, maxBytes - loaded->arena_.size());
        if (!contents) {
            return Error{contents.error()};
        }
        if (Status added = loaded->addListing(*contents); !added) {
            return Error{added.error()};
        }
        if (loaded->lines_.size() > maxLines) {
            return Error{"the list has too many lines to keep in memory"};
        }
    }
    loaded->arena_.append(kLineMatcherSlack, '\0');
    loaded->arena_.shrink_to_fit();
    return std::shared_ptr<const LoadedList>(std::move(loaded));
}

// The lines of a listing file as searchListing takes them: the first line
// (the count, or a disk header and its count) is passed over, folder
// headings start a folder, other disk headers take their count line along.
Status LoadedList::addListing(std::string_view contents) {
    std::uint32_t folder = 0;  // no heading yet: the empty folder
    std::size_t pos = 0;
    if (nextLine(contents, pos).starts_with('?')) {
        (void)nextLine(contents, pos);
    }
    while (pos < contents.size()) {
        const std::string_view line = nextLine(contents, pos);
        if (line.empty()) {
            continue;
        }
        switch (generate::cacheLineKind(line)) {
            case generate::CacheLineKind::FolderHeading: {
                std::string shown = generate::decodeCacheName(line.substr(1));
                std::string folded = foldCase(shown);
                folders_.push_back({std::move(shown), std::move(folded)});
                folder = static_cast<std::uint32_t>(folders_.size() - 1);
                break;
            }
            case generate::CacheLineKind::DiskHeader:
                (void)nextLine(contents, pos);
                break;
            case generate::CacheLineKind::FileOrTotal:
                if (line.size() >= kFoldedFlag || folders_.size() >= kFoldedFlag ||
                    lines_.size() >= std::numeric_limits<std::uint32_t>::max()) {
                    return Error{"the list has too many lines to keep in memory"};
                }
                lines_.push_back({arena_.size(), static_cast<std::uint32_t>(line.size()), folder});
                addLine(line);
                break;
        }
    }
    return {};
}

void LoadedList::addLine(std::string_view line) {
    arena_.append(line).push_back('\n');
    if (isPlain(line)) {
        return;
    }
    const generate::CacheFileLine split = generate::splitFileLine(line);
    const std::string folded =
        foldCase(generate::decodeCacheName(split.storedName) + std::string(split.rest));
    const auto number = static_cast<std::uint32_t>(lines_.size() - 1);
    foldedLines_.push_back({number, static_cast<std::uint32_t>(folded.size()), folded_.size()});
    folded_ += folded;
    lines_.back().folder |= kFoldedFlag;
}

bool LoadedList::changed() const {
    return std::any_of(stamps_.begin(), stamps_.end(),
                       [](const auto& item) { return FileStamp::of(item.first) != item.second; });
}

std::size_t LoadedList::bytesHeld() const {
    std::size_t bytes = arena_.capacity() + folded_.capacity() + lines_.capacity() * sizeof(Line) +
                        foldedLines_.capacity() * sizeof(FoldedLine);
    for (const Folder& folder : folders_) {
        bytes += sizeof(Folder) + folder.shown.capacity() + folder.folded.capacity();
    }
    return bytes;
}

// One search: what each folder contributes, worked out once, then each line.
class LoadedList::Search {
  public:
    Search(const LoadedList& list, std::string_view folded, bool includeFolders)
        : list_(list),
          needle_(folded),
          asciiNeedle_(isAscii(folded)),
          plain_(folded),
          finder_(std::string_view(list.arena_).substr(0, list.arena_.size() - kLineMatcherSlack),
                  folded),
          includeFolders_(includeFolders) {
        if (includeFolders_) {
            prepareFolders();
        }
    }

    // True when line number matches; a plain line is looked at on its own.
    bool matches(std::uint32_t number) {
        return matches(number, [this](std::string_view text) {
            return asciiNeedle_ && plain_.contains(text);
        });
    }

    // The same, with the search text found in the arena as a whole, front
    // to back: lines come in order, so the next place is kept between them.
    bool matchesInOrder(std::uint32_t number) {
        return matches(number, [this, number](std::string_view) {
            const Line& line = list_.lines_[number];
            if (!asciiNeedle_) {
                return false;
            }
            if (!searched_ || (next_ != std::string_view::npos && next_ < line.offset)) {
                next_ = finder_.find(line.offset);
                searched_ = true;
            }
            return next_ != std::string_view::npos &&
                   next_ + needle_.size() <= line.offset + line.size;
        });
    }

  private:
    template <class PlainOccurs>
    bool matches(std::uint32_t number, const PlainOccurs& plainOccurs) {
        const Line& line = list_.lines_[number];
        const std::uint32_t folder = line.folder & ~kFoldedFlag;
        if (includeFolders_ && folderMatches_[folder] != 0) {
            return true;
        }
        if ((line.folder & kFoldedFlag) == 0) {
            const std::string_view text = list_.text(line);
            return plainOccurs(text) || straddles(folder, text);
        }
        const std::string_view text = foldedText(number);
        return findBytes(text, needle_) != std::string_view::npos || straddles(folder, text);
    }

    // For each folder: does it hold the search text, and which starts of
    // the search text does it end with (a line that starts with the rest
    // then matches across the two).
    void prepareFolders() {
        folderMatches_.assign(list_.folders_.size(), 0);
        straddleStarts_.assign(list_.folders_.size() + 1, 0);
        for (std::size_t f = 0; f < list_.folders_.size(); ++f) {
            const std::string_view folded = list_.folders_[f].folded;
            straddleStarts_[f] = static_cast<std::uint32_t>(prefixes_.size());
            if (!folded.empty() && findBytes(folded, needle_) != std::string_view::npos) {
                folderMatches_[f] = 1;
                continue;
            }
            for (std::size_t p = 1; p < needle_.size(); ++p) {
                if (folded.ends_with(needle_.substr(0, p))) {
                    prefixes_.push_back(p);
                }
            }
        }
        straddleStarts_.back() = static_cast<std::uint32_t>(prefixes_.size());
    }

    bool straddles(std::uint32_t folder, std::string_view foldedLine) const {
        if (!includeFolders_) {
            return false;
        }
        for (std::uint32_t i = straddleStarts_[folder]; i < straddleStarts_[folder + 1]; ++i) {
            const std::string_view rest = needle_.substr(prefixes_[i]);
            if (foldedLine.size() >= rest.size() &&
                asciiEqualsFolded(foldedLine.substr(0, rest.size()), rest)) {
                return true;
            }
        }
        return false;
    }

    // Line numbers come in ascending order, so the folded lines are walked
    // once from front to back.
    std::string_view foldedText(std::uint32_t number) {
        const auto& folded = list_.foldedLines_;
        while (cursor_ < folded.size() && folded[cursor_].line < number) {
            ++cursor_;
        }
        if (cursor_ >= folded.size() || folded[cursor_].line != number) {
            cursor_ = static_cast<std::size_t>(
                std::lower_bound(folded.begin(), folded.end(), number,
                                 [](const FoldedLine& item, std::uint32_t wanted) {
                                     return item.line < wanted;
                                 }) -
                folded.begin());
        }
        const FoldedLine& item = folded[cursor_];
        return {list_.folded_.data() + item.offset, item.size};
    }

    const LoadedList& list_;
    std::string_view needle_;
    bool asciiNeedle_;
    PlainLineMatcher plain_;
    AsciiFinder finder_;
    std::size_t next_ = 0;
    bool searched_ = false;
    bool includeFolders_;
    std::vector<char> folderMatches_;
    std::vector<std::uint32_t> straddleStarts_;
    std::vector<std::size_t> prefixes_;
    std::size_t cursor_ = 0;
};

std::optional<LoadedList::LineNumbers> LoadedList::search(std::string_view folded,
                                                          bool includeFolders,
                                                          const LineNumbers* within,
                                                          std::stop_token stop) const {
    const std::size_t count = within != nullptr ? within->size() : lines_.size();
    const auto numberAt = [within](std::size_t i) {
        return within != nullptr ? (*within)[i] : static_cast<std::uint32_t>(i);
    };
    LineNumbers found;
    if (folded.empty()) {
        found.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            found[i] = numberAt(i);
        }
        return found;
    }
    Search search(*this, folded, includeFolders);
    // Every line, or most of them: the arena is searched from front to back
    // as a whole, which costs less than a look at each line.
    const bool everyLine = count == lines_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i % kStopCheckLines == 0 && stop.stop_requested()) {
            return std::nullopt;
        }
        const std::uint32_t number = numberAt(i);
        if (everyLine ? search.matchesInOrder(number) : search.matches(number)) {
            found.push_back(number);
        }
    }
    return found;
}

SearchRow LoadedList::row(std::uint32_t number) const {
    const Line& line = lines_[number];
    const generate::CacheFileLine split = generate::splitFileLine(text(line));
    const std::string& folder = folders_[line.folder & ~kFoldedFlag].shown;
    const std::string_view columns = shownColumns(split.rest);
    if (split.storedName.find('%') == std::string_view::npos) {
        return SearchRow::entry(folder, split.storedName, columns);
    }
    return SearchRow::entry(folder, generate::decodeCacheName(split.storedName), columns);
}

}  // namespace quor::find
