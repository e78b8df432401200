#pragma once

// Finding one folded search text in many short lines of plain ASCII text,
// case ignored for ASCII letters. Sixteen places of a line are tried at
// once: a place is compared in full only where both the first and the last
// character of the search text stand at the right distance.

#include <cstddef>
#include <string_view>

namespace quor::find {

// Lines searched with a PlainLineMatcher must be followed by at least this
// many readable bytes (the next line, or padding at the end of the arena).
inline constexpr std::size_t kLineMatcherSlack = 16;

class PlainLineMatcher {
  public:
    // folded is the folded search text; it must outlive the matcher. An
    // empty one is found in every line.
    explicit PlainLineMatcher(std::string_view folded);

    // True when folded occurs in line with its ASCII letters lowered. The
    // kLineMatcherSlack bytes after line must be readable; they never take
    // part in the answer.
    bool contains(std::string_view line) const;

  private:
    std::string_view folded_;
    char first_ = 0;
    char last_ = 0;
    // 0x20 for a letter, so that a byte ORed with it is lowered; else 0.
    char firstCase_ = 0;
    char lastCase_ = 0;
};

}  // namespace quor::find
