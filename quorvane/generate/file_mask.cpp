#include "quorvane/generate/file_mask.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>

namespace quor::generate {

namespace {

// The case-folded code points of a UTF-8 text; an invalid byte is kept as
// U+FFFD so that it still takes one position.
std::u32string folded(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    const auto* s = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto length = static_cast<std::int32_t>(utf8.size());
    std::int32_t i = 0;
    while (i < length) {
        UChar32 c = 0;
        U8_NEXT(s, i, length, c);
        out += static_cast<char32_t>(c < 0 ? 0xFFFD : u_foldCase(c, U_FOLD_CASE_DEFAULT));
    }
    return out;
}

// Wildcard match with single-star backtracking: linear for patterns with
// one "*", never exponential.
bool wildcardMatch(const std::u32string& pattern, const std::u32string& name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::u32string::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u32string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

FileMask::FileMask(std::string_view pattern) {
    everything_ = pattern.empty() || pattern == "*.*" || pattern == "*";
    if (!everything_) {
        pattern_ = folded(pattern);
    }
}

bool FileMask::matches(std::string_view name) const {
    if (everything_) {
        return true;
    }
    const std::u32string foldedName = folded(name);
    if (wildcardMatch(pattern_, foldedName)) {
        return true;
    }
    // On Windows a trailing ".*" also matches a name without a dot.
    if (pattern_.size() >= 2 && pattern_.ends_with(U".*") &&
        foldedName.find(U'.') == std::u32string::npos) {
        return wildcardMatch(pattern_.substr(0, pattern_.size() - 2), foldedName);
    }
    return false;
}

}  // namespace quor::generate
