#include "quorfind/search/ascii_finder.h"

#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quor::find {

namespace {

constexpr auto npos = std::string_view::npos;

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// How common a character is in names, low for rare ones: letters by English
// frequency, blanks and vowels most common, other characters in between.
int commonness(char c) {
    constexpr std::string_view kByFrequency = "zqxjkvbpygfwmucldrhsnioate";
    if (c == ' ') {
        return 100;
    }
    const std::size_t rank = kByFrequency.find(c);
    return rank == npos ? 12 : static_cast<int>(rank);
}

}  // namespace

bool asciiEqualsFolded(std::string_view text, std::string_view folded) {
    if (text.size() != folded.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (lowerAscii(text[i]) != folded[i]) {
            return false;
        }
    }
    return true;
}

AsciiFinder::AsciiFinder(std::string_view text, std::string_view folded)
    : text_(text), folded_(folded) {
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (commonness(folded[i]) < commonness(folded[anchorOffset_])) {
            anchorOffset_ = i;
        }
    }
    if (!folded.empty()) {
        lower_ = folded[anchorOffset_];
        upper_ = (lower_ >= 'a' && lower_ <= 'z') ? static_cast<char>(lower_ - 32) : lower_;
    }
}

// The first place at or after from that holds letter in either case (letter
// is a lower-case ASCII letter); npos when none. A byte ORed with 0x20 is
// letter exactly when it is the letter in either case.
static std::size_t findLetter(std::string_view text, std::size_t from, char letter) {
    std::size_t i = from;
#ifdef __SSE2__
    const __m128i caseBit = _mm_set1_epi8(0x20), wanted = _mm_set1_epi8(letter);
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_or_si128(x, caseBit), wanted));
        if (mask != 0) {
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
        }
    }
#endif
    for (; i < text.size(); ++i) {
        if ((text[i] | 0x20) == letter) {
            return i;
        }
    }
    return npos;
}

std::size_t AsciiFinder::nextAnchor(std::size_t from) {
    if (upper_ != lower_) {
        if (!started_ || (nextLower_ != npos && nextLower_ < from)) {
            nextLower_ = findLetter(text_, from, lower_);
            started_ = true;
        }
        return nextLower_;
    }
    const auto scan = [this](char c, std::size_t at) -> std::size_t {
        if (at >= text_.size()) {
            return npos;
        }
        const void* hit = std::memchr(text_.data() + at, c, text_.size() - at);
        return hit == nullptr
                   ? npos
                   : static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data());
    };
    if (!started_ || (nextLower_ != npos && nextLower_ < from)) {
        nextLower_ = scan(lower_, from);
    }
    started_ = true;
    return nextLower_;
}

std::size_t AsciiFinder::find(std::size_t from) {
    if (folded_.empty()) {
        return from <= text_.size() ? from : npos;
    }
    std::size_t anchorFrom = from + anchorOffset_;
    while (true) {
        const std::size_t anchor = nextAnchor(anchorFrom);
        if (anchor == npos) {
            return npos;
        }
        const std::size_t start = anchor - anchorOffset_;
        if (start + folded_.size() <= text_.size() &&
            asciiEqualsFolded(text_.substr(start, folded_.size()), folded_)) {
            return start;
        }
        anchorFrom = anchor + 1;
    }
}

}  // namespace quor::find
