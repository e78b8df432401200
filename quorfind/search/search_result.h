#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quor::find {

// One row of the result list. A row of the own list also knows where its
// folder's display path and its file's name lie in the text, so that it can
// be turned back into a real path without guessing where the name ends;
// rows of other sources are text only.
class SearchRow {
  public:
    SearchRow() = default;
    // A row that is text only.
    explicit SearchRow(std::string text) : text_(std::move(text)) {}
    SearchRow(const char* text) : text_(text) {}

    // An own-list row: folder + name, then two blanks and the columns when
    // there are any. Line breaks in names are shown as "?".
    static SearchRow entry(std::string_view folder, std::string_view name,
                           std::string_view columns = {});

    const std::string& text() const { return text_; }
    // The decoded display path of the row's folder and the file's name;
    // empty for a row that is text only.
    std::string folder() const;
    std::string name() const;

    bool operator==(const SearchRow& other) const { return text_ == other.text_; }

  private:
    struct Exact {
        std::string folder;
        std::string name;
    };

    std::string text_;
    std::uint32_t folderSize_ = 0;
    std::uint32_t nameSize_ = 0;
    // Only when the shown text differs from the names (a line break).
    std::shared_ptr<const Exact> exact_;
};

struct SearchResult {
    std::vector<SearchRow> rows;
    long long matches = 0;
    bool stopped = false;  // a stop request ended the reading early
    int listsRead = 0;     // files of the Lists folder read
    bool failed = false;   // a failure message was shown
    // Lists that could not be read or were passed over (a pipe, a device, an
    // unreadable or malformed file), each already named in a message.
    int listsUnread = 0;
    // The text list or own list to search does not exist (the window passes
    // it over silently; the command line says so).
    bool listMissing = false;
};

// The rows to show when a search has finished: its rows' texts, or the
// single row "No Matches Found" when nothing matched.
std::vector<std::string> shownRows(const SearchResult& result);

}  // namespace quor::find
