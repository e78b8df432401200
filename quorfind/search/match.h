#pragma once

// The match rule of every search: the search text is one substring (blanks
// included, no wildcards) found anywhere in a candidate, letter case ignored
// for every script (Unicode case folding, so "straße" finds "STRASSE" and
// "éCOLE" finds "École"). An empty search text matches every non-empty
// candidate.

#include <string>
#include <string_view>

namespace quor::find {

// The search text as typed, without every "*", "?", "/", "<", ">" and "\"
// ("*.mp3" is searched as ".mp3", "c:\music" as "c:music").
std::string cleanSearchText(std::string_view typed);

// The Unicode case folding of a UTF-8 text. Bytes that are not UTF-8 fold to
// U+FFFD, so they never match a letter.
std::string foldCase(std::string_view text);

// True when every byte is below 0x80.
bool isAscii(std::string_view text);

class TextMatcher {
  public:
    explicit TextMatcher(std::string_view searchText);

    // True when the search text occurs in candidate, case ignored; an empty
    // search text matches every non-empty candidate.
    bool matches(std::string_view candidate) const;

    // The folded search text: what a folded candidate must contain.
    const std::string& folded() const { return folded_; }
    bool empty() const { return folded_.empty(); }

  private:
    std::string folded_;
    bool asciiNeedle_ = true;
};

// Finds needle in haystack; npos when absent. Both are compared byte by byte.
std::size_t findBytes(std::string_view haystack, std::string_view needle, std::size_t from = 0);

}  // namespace quor::find
