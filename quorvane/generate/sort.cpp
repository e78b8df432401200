#include "quorvane/generate/sort.h"

#include <algorithm>
#include <string_view>
#include <type_traits>
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

// Two ways to compare the elements of a range, in the same order: by
// precomputed collation keys (cheap comparisons, worth their cost on long
// ranges), or by the collator itself (stops at the first difference, which
// wins on short ranges such as one folder's files). A key order holds its
// own keys, which move with the elements.
struct KeyOrder {
    // A key: its first eight bytes packed big-endian (zero-padded; keys hold
    // no zero byte) and where the rest of the kept key lies in the arena.
    // Comparing the packed prefixes settles most comparisons without
    // touching the arena. A key longer than kept is cut; two cut keys that
    // agree as far as kept are compared by the collator on their texts.
    // Thirty-two bytes: a long list holds a million of them.
    struct Key {
        std::uint64_t prefix;
        std::size_t offset;
        const char* text;  // the element's text, where it cannot move
        std::uint32_t textLength;
        std::uint32_t length : 31;  // of the kept key
        std::uint32_t cut : 1;
        std::string_view textView() const { return {text, textLength}; }
    };
    static_assert(sizeof(Key) == 32);

    const Collation& collation;
    std::size_t kept;  // the most key bytes kept per element
    std::string arena;
    std::vector<Key> keys;  // keys of a[base..]
    std::int32_t base;

    const Key& at(std::int32_t i) const { return keys[static_cast<std::size_t>(i - base)]; }
    Key pivotAt(std::int32_t i) const { return at(i); }
    bool less(const Key& x, const Key& y) const {
        if (x.prefix != y.prefix) {
            return x.prefix < y.prefix;
        }
        if (x.length > 8 && y.length > 8) {
            const std::string_view all(arena);
            const int order = all.substr(x.offset + 8, x.length - 8)
                                  .compare(all.substr(y.offset + 8, y.length - 8));
            if (order != 0) {
                return order < 0;
            }
        } else if (x.length != y.length) {
            return x.length < y.length;  // equal prefixes: the shorter key ends there
        }
        // Equal as far as kept: a whole key is a prefix of a cut one, and
        // two cut keys need their texts.
        if (x.cut && y.cut) {
            return collation.less(x.textView(), y.textView());
        }
        return y.cut && !x.cut;
    }
    void swapKeys(std::int32_t i, std::int32_t j) {
        std::swap(keys[static_cast<std::size_t>(i - base)],
                  keys[static_cast<std::size_t>(j - base)]);
    }
};

// Texts is a std::vector<std::string> or a LineArena. The pivot must keep
// its text while elements are swapped: a copy of a string, but a view of an
// arena's line, whose bytes never move.
template <class Texts>
struct DirectOrder {
    using Pivot =
        std::conditional_t<std::is_same_v<Texts, LineArena>, std::string_view, std::string>;
    const Texts& a;
    const Collation& collation;

    std::string_view at(std::int32_t i) const { return a[static_cast<std::size_t>(i)]; }
    Pivot pivotAt(std::int32_t i) const { return Pivot(at(i)); }
    bool less(std::string_view x, std::string_view y) const { return collation.less(x, y); }
    void swapKeys(std::int32_t, std::int32_t) {}  // the elements are the keys
};

// Ranges up to this length are compared with the collator directly.
constexpr std::int32_t kDirectCompareLength = 256;

// Keys made, or elements partitioned, between two polls.
constexpr std::int32_t kPollEvery = 4096;

// The quicksort. swap(i, j) exchanges the elements (and whatever travels
// with them).
template <class Order, class Swap>
void quicksort(Order& order, std::int32_t first, std::int32_t last, Swap& swap,
               const SortPoll& poll) {
    while (first < last) {
        if (poll && last - first >= kPollEvery) {
            poll();  // before partitioning a long range
        }
        std::int32_t low = first;
        std::int32_t high = last;
        const auto pivot = order.pivotAt(middleIndex(first, last));  // stays put while swapped
        while (low <= high) {
            while (order.less(order.at(low), pivot) && low < last) {
                ++low;
            }
            while (order.less(pivot, order.at(high)) && high > first) {
                --high;
            }
            if (low > high) {
                break;
            }
            order.swapKeys(low, high);
            swap(low, high);
            ++low;
            --high;
        }
        // The two parts are disjoint, so sorting them in either order gives
        // the same result: recurse into the smaller one and loop on the
        // larger one, which keeps the stack shallow whatever the input.
        if (high - first < last - low) {
            if (first < high) {
                quicksort(order, first, high, swap, poll);
            }
            first = low;
        } else {
            if (low < last) {
                quicksort(order, low, last, swap, poll);
            }
            last = high;
        }
    }
}

// Key bytes kept per line of an arena: enough to settle nearly every
// comparison of real names, while a long list's keys stay a fraction of its
// text. Strings, which move when swapped, keep whole keys.
constexpr std::size_t kArenaKeyBytes = 32;

// Keys for the range only: a group of a long list costs its own size.
template <class Texts>
KeyOrder keysOf(const Texts& a, std::int32_t first, std::int32_t last, const Collation& order,
                const SortPoll& poll) {
    constexpr bool kStableTexts = std::is_same_v<Texts, LineArena>;
    KeyOrder keys{order,
                  kStableTexts ? kArenaKeyBytes : std::string::npos,
                  {},
                  std::vector<KeyOrder::Key>(static_cast<std::size_t>(last - first + 1)),
                  first};
    // Room for the keys at once (about three bytes a character at this
    // strength, at most the bytes kept; pages never written are never
    // used), so that the arena is not copied while it grows.
    std::size_t keyBytes = 0;
    for (std::int32_t i = first; i <= last; ++i) {
        keyBytes += std::min(4 * a[static_cast<std::size_t>(i)].size(), keys.kept);
    }
    keys.arena.reserve(keyBytes + 64);
    for (std::int32_t i = first; i <= last; ++i) {
        if (poll && (i - first) % kPollEvery == kPollEvery - 1) {
            poll();
        }
        const std::string_view text = a[static_cast<std::size_t>(i)];
        std::string key = order.sortKey(text);
        const bool cut = key.size() > keys.kept;
        if (cut) {
            key.resize(keys.kept);
        }
        std::uint64_t prefix = 0;
        for (std::size_t b = 0; b < 8; ++b) {
            const auto byte = b < key.size() ? static_cast<unsigned char>(key[b]) : 0u;
            prefix = (prefix << 8) | byte;
        }
        keys.keys[static_cast<std::size_t>(i - first)] = {
            prefix,
            keys.arena.size(),
            kStableTexts ? text.data() : nullptr,
            kStableTexts ? static_cast<std::uint32_t>(text.size()) : 0,
            static_cast<std::uint32_t>(key.size()),
            cut};
        keys.arena += key;
    }
    return keys;
}

template <class Texts, class Swap>
void sortRange(const Texts& a, std::int32_t first, std::int32_t last, const Collation& collation,
               Swap& swap, const SortPoll& poll) {
    if (last - first < kDirectCompareLength) {
        DirectOrder<Texts> order{a, collation};
        quicksort(order, first, last, swap, poll);
    } else {
        KeyOrder order = keysOf(a, first, last, collation, poll);
        quicksort(order, first, last, swap, poll);
    }
}

}  // namespace

void SortStrings(std::vector<std::string>& a, std::int32_t first, std::int32_t last,
                 const Collation& order, const SortPoll& poll) {
    if (first >= last) {
        return;
    }
    auto swap = [&a](std::int32_t i, std::int32_t j) {
        std::swap(a[static_cast<std::size_t>(i)], a[static_cast<std::size_t>(j)]);
    };
    sortRange(a, first, last, order, swap, poll);
}

void SortStringsPaired(std::vector<std::string>& keys, std::vector<std::string>& companion,
                       std::int32_t first, std::int32_t last, const Collation& order,
                       const SortPoll& poll) {
    if (first >= last) {
        return;
    }
    auto swap = [&keys, &companion](std::int32_t i, std::int32_t j) {
        std::swap(keys[static_cast<std::size_t>(i)], keys[static_cast<std::size_t>(j)]);
        std::swap(companion[static_cast<std::size_t>(i)], companion[static_cast<std::size_t>(j)]);
    };
    sortRange(keys, first, last, order, swap, poll);
}

void sortLines(LineArena& lines, std::int32_t first, std::int32_t last, const Collation& order,
               const SortPoll& poll) {
    if (first >= last) {
        return;
    }
    auto swap = [&lines](std::int32_t i, std::int32_t j) {
        lines.swap(static_cast<std::size_t>(i), static_cast<std::size_t>(j));
    };
    sortRange(lines, first, last, order, swap, poll);
}

void sortLinesPaired(LineArena& lines, std::vector<std::string>& companion, std::int32_t first,
                     std::int32_t last, const Collation& order, const SortPoll& poll) {
    if (first >= last) {
        return;
    }
    auto swap = [&lines, &companion](std::int32_t i, std::int32_t j) {
        lines.swap(static_cast<std::size_t>(i), static_cast<std::size_t>(j));
        std::swap(companion[static_cast<std::size_t>(i)], companion[static_cast<std::size_t>(j)]);
    };
    sortRange(lines, first, last, order, swap, poll);
}

}  // namespace quor::generate
