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

// The collation keys of a[base..], indexed by the element's own index.
struct RangeKeys {
    std::vector<std::string> keys;
    std::int32_t base;

    std::string& operator[](std::int32_t i) { return keys[static_cast<std::size_t>(i - base)]; }
};

// The quicksort on precomputed collation keys. swap(i, j) exchanges the
// elements (and whatever travels with them).
template <class Swap>
void quicksort(RangeKeys& keys, std::int32_t first, std::int32_t last, Swap& swap) {
    while (first < last) {
        std::int32_t low = first;
        std::int32_t high = last;
        const std::string pivot = keys[middleIndex(first, last)];
        while (low <= high) {
            while (keys[low] < pivot && low < last) {
                ++low;
            }
            while (pivot < keys[high] && high > first) {
                --high;
            }
            if (low > high) {
                break;
            }
            std::swap(keys[low], keys[high]);
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

// Keys for the range only: a group of a long list costs its own size.
RangeKeys keysOf(const std::vector<std::string>& a, std::int32_t first, std::int32_t last,
                 const Collation& order) {
    RangeKeys keys{std::vector<std::string>(static_cast<std::size_t>(last - first + 1)), first};
    for (std::int32_t i = first; i <= last; ++i) {
        keys[i] = order.sortKey(a[static_cast<std::size_t>(i)]);
    }
    return keys;
}

}  // namespace

void SortStrings(std::vector<std::string>& a, std::int32_t first, std::int32_t last,
                 const Collation& order) {
    if (first >= last) {
        return;
    }
    RangeKeys keys = keysOf(a, first, last, order);
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
    RangeKeys sortKeys = keysOf(keys, first, last, order);
    auto swap = [&keys, &companion](std::int32_t i, std::int32_t j) {
        std::swap(keys[static_cast<std::size_t>(i)], keys[static_cast<std::size_t>(j)]);
        std::swap(companion[static_cast<std::size_t>(i)], companion[static_cast<std::size_t>(j)]);
    };
    quicksort(sortKeys, first, last, swap);
}

}  // namespace quor::generate
