#pragma once

// The rows of a search, kept compactly: a search may find tens of millions
// of rows, and a std::string for each would cost several times the list it
// came from. Row texts are appended to large blocks and found again through
// one 32-bit offset per row; the rows of one Lists file keep their shared
// prefix (the file's name) once per run of rows, not once per row. A row is
// made into a SearchRow only when it is asked for (to show or act on it).

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "quorfind/search/search_row.h"

namespace quor::find {

class RowList {
  public:
    // A row longer than this is cut to it (no list line comes near it).
    static constexpr std::size_t kMaxRowBytes = std::size_t{1} << 30;

    RowList() = default;
    RowList(RowList&& other) noexcept { *this = std::move(other); }
    RowList& operator=(RowList&& other) noexcept;
    RowList(const RowList&) = delete;
    RowList& operator=(const RowList&) = delete;

    std::size_t size() const { return rowCount_; }
    bool empty() const { return rowCount_ == 0; }

    // The row's shown text: its run's prefix, then its own text.
    std::string text(std::size_t row) const;
    // The row's shown text in two parts, its run's prefix and its own text,
    // without copying them; valid until the list changes. row < size().
    std::pair<std::string_view, std::string_view> textParts(std::size_t row) const;
    // The row as a value; row < size().
    SearchRow operator[](std::size_t row) const;
    // Every row as a value (for actions that take them all).
    std::vector<SearchRow> toVector() const;

    // Rows added from now on show prefix in front of their text, until the
    // next setPrefix or add. Stored once however many rows follow.
    void setPrefix(std::string_view prefix);
    // Adds a row of text, after the current prefix.
    void addText(std::string_view text);
    // Adds an own-list row, as SearchRow::entry makes it, without a prefix.
    void addEntry(std::string_view folder, std::string_view name, std::string_view columns = {});
    // Adds a row as it stands, without a prefix.
    void add(const SearchRow& row);
    void clear() { *this = RowList(); }

    // A list is full once it holds maxRows rows or maxBytes bytes of memory;
    // rows can still be added, and the searches check full() before they do.
    void setLimit(std::size_t maxRows, std::size_t maxBytes);
    bool full() const { return rowCount_ >= maxRows_ || bytesHeld_ >= maxBytes_; }
    // The memory the rows hold, in bytes.
    std::size_t bytesHeld() const { return bytesHeld_; }

    // Iterates the rows as SearchRow values.
    class Iterator {
      public:
        using iterator_category = std::input_iterator_tag;
        using value_type = SearchRow;
        using difference_type = std::ptrdiff_t;
        using reference = SearchRow;
        using pointer = void;

        Iterator() = default;
        Iterator(const RowList* list, std::size_t row) : list_(list), row_(row) {}
        SearchRow operator*() const { return (*list_)[row_]; }
        Iterator& operator++() {
            ++row_;
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++row_;
            return before;
        }
        bool operator==(const Iterator& other) const { return row_ == other.row_; }

      private:
        const RowList* list_ = nullptr;
        std::size_t row_ = 0;
    };
    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, rowCount_}; }

  private:
    struct Block {
        std::unique_ptr<char[]> bytes;
        std::uint32_t used = 0;
        std::uint32_t capacity = 0;
        std::size_t firstRow = 0;  // the row whose text starts the block
    };
    struct Run {
        std::size_t firstRow = 0;
        std::string prefix;
    };
    struct Stored {
        std::string_view text;  // without the prefix
        bool entry = false;
        std::uint32_t folderSize = 0;
        std::uint32_t nameSize = 0;
    };

    // Appends a row made of parts (cut at kMaxRowBytes); an entry row keeps
    // its folder and name sizes in a small header before its text.
    void append(std::initializer_list<std::string_view> parts, bool entry,
                std::uint32_t folderSize = 0, std::uint32_t nameSize = 0);
    char* reserveRow(std::size_t bytes, std::uint32_t flags);
    std::uint32_t offsetOf(std::size_t row) const;
    Stored stored(std::size_t row) const;
    std::string_view prefixOf(std::size_t row) const;

    std::vector<Block> blocks_;
    std::vector<std::unique_ptr<std::uint32_t[]>> offsetChunks_;
    std::size_t rowCount_ = 0;
    std::vector<Run> runs_;
    // The rare own-list rows whose names hold a line break, by row number.
    std::vector<std::pair<std::size_t, std::shared_ptr<const SearchRow::Exact>>> exact_;
    std::size_t bytesHeld_ = 0;
    std::size_t maxRows_ = std::numeric_limits<std::size_t>::max();
    std::size_t maxBytes_ = std::numeric_limits<std::size_t>::max();
};

}  // namespace quor::find
