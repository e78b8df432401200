#pragma once

// The ordering routines every list uses: a quicksort of an index range of a
// string array in the locale's case-insensitive order (see collation.h),
// on the whole text of each element. The sort is not stable: elements that
// compare equal (names that differ only in case) may end in either order,
// and it always takes the same steps, so the same input gives the same
// output.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "quorvane/generate/collation.h"
#include "quorvane/generate/line_arena.h"

namespace quor::generate {

// Called now and then while a long range is sorted (after every few
// thousand elements), so that a window stays live; it must not touch the
// array.
using SortPoll = std::function<void()>;

// Sorts a[first..last] (inclusive) in place; a range with first not below
// last is left unchanged. first and last must lie within a when first <
// last.
void SortStrings(std::vector<std::string>& a, std::int32_t first, std::int32_t last,
                 const Collation& order = Collation::forUserLocale(), const SortPoll& poll = {});

// The same, moving companion[i] with keys[i] at every swap.
void SortStringsPaired(std::vector<std::string>& keys, std::vector<std::string>& companion,
                       std::int32_t first, std::int32_t last,
                       const Collation& order = Collation::forUserLocale(),
                       const SortPoll& poll = {});

// The same two for compact lines: the same steps, so the same order as a
// string array holding the same lines.
void sortLines(LineArena& lines, std::int32_t first, std::int32_t last,
               const Collation& order = Collation::forUserLocale(), const SortPoll& poll = {});
void sortLinesPaired(LineArena& lines, std::vector<std::string>& companion, std::int32_t first,
                     std::int32_t last, const Collation& order = Collation::forUserLocale(),
                     const SortPoll& poll = {});

// Sorts the whole array.
inline void SortStrings(std::vector<std::string>& a,
                        const Collation& order = Collation::forUserLocale()) {
    SortStrings(a, 0, static_cast<std::int32_t>(a.size()) - 1, order);
}

}  // namespace quor::generate
