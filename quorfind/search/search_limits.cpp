#include "quorfind/search/search_limits.h"

#include <unistd.h>

#include <algorithm>

#include "quorfind/search/search_texts.h"

namespace quor::find {

SearchLimits windowLimitsFor(std::uint64_t physicalBytes) {
    constexpr std::uint64_t kLeastRows = 10'000'000;
    constexpr std::uint64_t kMostRows = (std::uint64_t{1} << 31) - 2;
    constexpr std::uint64_t kLeastBytes = std::uint64_t{2} << 30;
    SearchLimits limits;
    limits.maxRows =
        static_cast<std::size_t>(std::clamp(physicalBytes / 64, kLeastRows, kMostRows));
    limits.maxRowBytes = static_cast<std::size_t>(std::max(physicalBytes / 2, kLeastBytes));
    return limits;
}

SearchLimits windowLimits() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    const std::uint64_t physical =
        pages > 0 && pageSize > 0
            ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize)
            : 0;
    return windowLimitsFor(physical);
}

void reportTooManyMatches(SearchResult& result, Interaction& user) {
    if (!result.full) {
        result.full = true;
        user.notice(kTooManyMatchesText);
    }
}

}  // namespace quor::find
