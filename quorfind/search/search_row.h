#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace quor::find {

class RowList;

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
    friend class RowList;

    struct Exact {
        std::string folder;
        std::string name;
    };

    SearchRow(std::string text, std::uint32_t folderSize, std::uint32_t nameSize,
              std::shared_ptr<const Exact> exact)
        : text_(std::move(text)),
          folderSize_(folderSize),
          nameSize_(nameSize),
          exact_(std::move(exact)) {}

    std::string text_;
    std::uint32_t folderSize_ = 0;
    std::uint32_t nameSize_ = 0;
    // Only when the shown text differs from the names (a line break).
    std::shared_ptr<const Exact> exact_;
};

}  // namespace quor::find
