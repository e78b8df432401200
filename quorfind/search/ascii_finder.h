#pragma once

// Finding a folded search text in ASCII text without lowering the text
// first: the search jumps to each place where one anchor character of the
// search text stands, in either case, and compares the rest there. The
// anchor is the search text's rarest character by a fixed English order, so
// few places are compared.

#include <cstddef>
#include <string_view>

namespace quor::find {

// True when text, with ASCII letters lowered, equals folded.
bool asciiEqualsFolded(std::string_view text, std::string_view folded);

class AsciiFinder {
  public:
    // folded is the folded search text; it must outlive the finder.
    AsciiFinder(std::string_view text, std::string_view folded);

    // The first position at or after from where the search text stands,
    // case ignored for ASCII letters; npos when none. Calls must come with
    // from not decreasing.
    std::size_t find(std::size_t from);

  private:
    std::size_t nextAnchor(std::size_t from);

    std::string_view text_;
    std::string_view folded_;
    std::size_t anchorOffset_ = 0;
    char lower_ = 0;
    char upper_ = 0;
    std::size_t nextLower_ = 0;
    bool started_ = false;
};

}  // namespace quor::find
