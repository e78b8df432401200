#pragma once

// The own list held in memory, so that it can be searched again at every
// key without reading its files: the candidate lines of every listing file
// in one arena of bytes, one small record per line, and the folders they
// belong to. A search gives the numbers of the matching lines, in list
// order, and a row is made only when it is shown. Searching a loaded list
// gives the rows, and their order, that searchOwnList gives.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "quorfind/search/own_list.h"
#include "quorfind/search/search_row.h"

namespace quor::find {

// What a file looked like when it was read: enough to see that it was
// replaced, rewritten or removed since.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;

    static FileStamp of(const std::filesystem::path& file);
    bool operator==(const FileStamp&) const = default;
};

class LoadedList {
  public:
    using LineNumbers = std::vector<std::uint32_t>;

    // Reads the saved list of listPath in dataFolder and its listing files.
    // Missing listing files count as empty, as in searchOwnList. Fails with
    // the reason when the saved list or a listing file that exists cannot be
    // read, or when the files hold more than maxBytes or maxLines lines.
    static Result<std::shared_ptr<const LoadedList>> load(const std::filesystem::path& dataFolder,
                                                          std::string_view listPath,
                                                          std::size_t maxBytes,
                                                          std::size_t maxLines);

    // True when a file the list was read from changed since (another size,
    // modification time or inode, created or removed).
    bool changed() const;

    std::size_t lineCount() const { return lines_.size(); }
    // The bytes the list holds in memory.
    std::size_t bytesHeld() const;

    // The lines that hold folded (a TextMatcher's folded text), with their
    // folder's display path in front when includeFolders. Only the lines of
    // within are tried when given (ascending line numbers, say the matches of
    // a text that folded contains). Nothing when stop was requested first.
    std::optional<LineNumbers> search(std::string_view folded, bool includeFolders,
                                      const LineNumbers* within, std::stop_token stop) const;

    // The row of a line, as searchOwnList shows it; line < lineCount().
    SearchRow row(std::uint32_t line) const;

  private:
    struct Line {
        std::uint64_t offset = 0;
        std::uint32_t size = 0;
        std::uint32_t folder = 0;
    };
    struct Folder {
        std::string shown;   // decoded display path
        std::string folded;  // shown, case folded
    };
    // A line with an escape or another script: matched by its folded text.
    struct FoldedLine {
        std::uint32_t line = 0;
        std::uint32_t size = 0;
        std::uint64_t offset = 0;  // in folded_
    };
    class Search;

    LoadedList() = default;
    Status addListing(std::string_view contents);
    void addLine(std::string_view line);
    std::string_view text(const Line& line) const {
        return {arena_.data() + line.offset, line.size};
    }

    std::vector<std::pair<std::filesystem::path, FileStamp>> stamps_;
    std::string arena_;
    std::string folded_;
    std::vector<Line> lines_;
    std::vector<Folder> folders_;
    std::vector<FoldedLine> foldedLines_;  // by line number
};

}  // namespace quor::find
