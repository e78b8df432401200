#include "quorfind/search/plain_line_matcher.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "quorfind/search/ascii_finder.h"

namespace quor::find {

namespace {

char caseBitOf(char c) {
    return (c >= 'a' && c <= 'z') ? 0x20 : 0;
}

}  // namespace

PlainLineMatcher::PlainLineMatcher(std::string_view folded) : folded_(folded) {
    if (!folded.empty()) {
        first_ = folded.front();
        last_ = folded.back();
        firstCase_ = caseBitOf(first_);
        lastCase_ = caseBitOf(last_);
    }
}

bool PlainLineMatcher::contains(std::string_view line) const {
    const std::size_t length = folded_.size();
    if (length == 0) {
        return true;
    }
    if (line.size() < length) {
        return false;
    }
    // Every start position of the search text within the line.
    const std::size_t starts = line.size() - length + 1;
    const char* data = line.data();
    const auto matchesAt = [&](std::size_t at) {
        return asciiEqualsFolded(line.substr(at, length), folded_);
    };
    std::size_t i = 0;
#ifdef __SSE2__
    const __m128i first = _mm_set1_epi8(first_), last = _mm_set1_epi8(last_);
    const __m128i firstCase = _mm_set1_epi8(firstCase_), lastCase = _mm_set1_epi8(lastCase_);
    for (; i < starts; i += 16) {
        // Reads up to 15 bytes past the last start (and its search text):
        // within the slack, and masked off below.
        const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i tail =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + length - 1));
        const __m128i both = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(head, firstCase), first),
                                           _mm_cmpeq_epi8(_mm_or_si128(tail, lastCase), last));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(both));
        if (starts - i < 16) {
            mask &= (1u << (starts - i)) - 1;
        }
        while (mask != 0) {
            if (matchesAt(i + static_cast<std::size_t>(__builtin_ctz(mask)))) {
                return true;
            }
            mask &= mask - 1;
        }
    }
    return false;
#else
    for (; i < starts; ++i) {
        if (matchesAt(i)) {
            return true;
        }
    }
    return false;
#endif
}

}  // namespace quor::find
