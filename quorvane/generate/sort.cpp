#include "quorvane/generate/sort.h"

#include <utility>

namespace quor::generate {

namespace {

// The middle index (first + last) / 2, halves rounded to the even
// neighbour: (0 + 3) / 2 is 2, (1 + 4) / 2 is 2.
std::int32_t middleIndex(std::int32_t first, std::int32_t last) {
    const std::int64_t sum = static_cast<std::int64_t>(first) + last;
    std::int64_t half = sum / 2;
    if (sum % 2 != 0 && half % 2 != 0) {
        ++half;  // sum is odd and positive here: round .5 up to the even value
    }
    return static_cast<std::int32_t>(half);
}

// The quicksort on precomputed collation keys. swap(i, j) exchanges the
// elements (and whatever travels with them).
template <class Swap>
void quicksort(std::vector<std::string>& keys, std::int32_t first, std::int32_t last, Swap& swap) {
    while (first < last) {
        std::int32_t low = first;
        std::int32_t high = last;
        const std::string pivot = keys[static_cast<std::size_t>(middleIndex(first, last))];
        while (low <= high) {
            while (keys[static_cast<std::size_t>(low)] < pivot && low < last) {
                ++low;
            }
            while (pivot < keys[static_cast<std::size_t>(high)] && high > first) {
                --high;
            }
            if (low > high) {
                break;
            }
            std::swap(keys[static_cast<std::size_t>(low)], keys[static_cast<std::size_t>(high)]);
            swap(low, high);
            ++low;
            --high;
        }
        // The two parts are disjoint, so sorting them in either order gives
        // the same result: recurse into the smaller one and loop on the
        // larger one, which keeps the stack shallow whatever the input.
        if (high - first < last - low) {
            if (first < high) {
                quicksort(keys, first, high, swap);
            }
            first = low;
        } else {
            if (low < last) {
                quicksort(keys, low, last, swap);
            }
            last = high;
        }
    }
}

std::vector<std::string> keysOf(const std::vector<std::string>& a, std::int32_t first,
                                std::int32_t last, const Collation& order) {
    std::vector<std::string> keys(a.size());
    for (std::int32_t i = first; i <= last; ++i) {
        keys[static_cast<std::size_t>(i)] = order.sortKey(a[static_cast<std::size_t>(i)]);
    }
    return keys;
}

}  // namespace

void SortStrings(std::vector<std::string>& a, std::int32_t first, std::int32_t last,
                 const Collation& order) {
    if (first >= last) {
        return;
    }
    std::vector<std::string> keys = keysOf(a, first, last, order);
    auto swap = [&a](std::int32_t i, std::int32_t j) {
        std::swap(a[static_cast<std::size_t>(i)], a[static_cast<std::size_t>(j)]);
    };
    quicksort(keys, first, last, swap);
}

void SortStringsPaired(std::vector<std::string>& keys, std::vector<std::string>& companion,
                       std::int32_t first, std::int32_t last, const Collation& order) {
    if (first >= last) {
        return;
    }
    std::vector<std::string> sortKeys = keysOf(keys, first, last, order);
    auto swap = [&keys, &companion](std::int32_t i, std::int32_t j) {
        std::swap(keys[static_cast<std::size_t>(i)], keys[static_cast<std::size_t>(j)]);
        std::swap(companion[static_cast<std::size_t>(i)], companion[static_cast<std::size_t>(j)]);
    };
    quicksort(sortKeys, first, last, swap);
}

}  // namespace quor::generate
