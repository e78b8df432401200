#include "quorfind/search/match.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <cstring>

#include "common/names.h"
#include "quorfind/search/ascii_finder.h"

namespace quor::find {

std::string cleanSearchText(std::string_view typed) {
    constexpr std::string_view kRemoved = "*?/<>\\";
    std::string out;
    out.reserve(typed.size());
    for (char c : typed) {
        if (kRemoved.find(c) == std::string_view::npos) {
            out += c;
        }
    }
    return out;
}

bool isAscii(std::string_view text) {
    unsigned char high = 0;
    for (char c : text) {
        high |= static_cast<unsigned char>(c);
    }
    return (high & 0x80) == 0;
}

std::string foldCase(std::string_view text) {
    if (isAscii(text)) {
        return asciiLower(text);
    }
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    unicode.foldCase(U_FOLD_CASE_DEFAULT);
    std::string out;
    unicode.toUTF8String(out);
    return out;
}

std::size_t findBytes(std::string_view haystack, std::string_view needle, std::size_t from) {
    if (from > haystack.size()) {
        return std::string_view::npos;
    }
    if (needle.empty()) {
        return from;
    }
    const void* hit =
        memmem(haystack.data() + from, haystack.size() - from, needle.data(), needle.size());
    return hit == nullptr
               ? std::string_view::npos
               : static_cast<std::size_t>(static_cast<const char*>(hit) - haystack.data());
}

TextMatcher::TextMatcher(std::string_view searchText)
    : folded_(foldCase(searchText)), asciiNeedle_(isAscii(folded_)) {}

bool TextMatcher::matches(std::string_view candidate) const {
    if (candidate.empty()) {
        return false;
    }
    if (folded_.empty()) {
        return true;
    }
    // Plain ASCII folds to plain ASCII: it is searched where it stands, and
    // never holds a search text of another script.
    if (isAscii(candidate)) {
        return asciiNeedle_ && AsciiFinder(candidate, folded_).find(0) != std::string_view::npos;
    }
    return findBytes(foldCase(candidate), folded_) != std::string_view::npos;
}

}  // namespace quor::find
