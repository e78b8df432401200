#include "quorvane/dupes/pair_search.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

// How the fast search avoids comparing every pair:
//
// The 36 positions are split into tolerance + 2 disjoint groups. Two
// signatures that differ in at most tolerance positions agree exactly on at
// least two groups. So for every two groups the entries are bucketed by a
// hash of those groups' counts (with tolerance 0, one bucketing by all
// counts), and the partner of an entry a can only be among the entries
// after a in a's buckets. Within a bucket, entries are kept in entry order,
// so the walk for a stops at the first partner (or at the best partner
// another bucket already gave): the smallest partner is the answer.
//
// Each bucket element carries a 64-bit sketch of the counts outside its
// group (each count modulo 4 in two bits). Counts that differ modulo 4
// differ, so a sketch with more than tolerance differing lanes rejects a
// candidate without touching its signature; the sequential walk over the
// elements is what makes large buckets cheap. Survivors are compared in
// full, five 64-bit words at a time.
//
// Groups are chosen from the data: positions are dealt out by the entropy
// of their counts, so that every group separates the entries about equally
// well and no group is left with only the rare symbols (whose counts are
// zero for nearly every name, which would make one huge bucket).

namespace quor::dupes {

void findPairsNaive(std::span<const Signature> signatures, int tolerance,
                    const PairSearchHooks& hooks) {
    const std::size_t n = signatures.size();
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            if (withinToleranceStepwise(signatures[a], signatures[b], tolerance)) {
                hooks.pair(a, b);
                break;
            }
        }
        if (hooks.afterEntry && hooks.afterEntry()) {
            return;
        }
    }
}

namespace {

constexpr std::size_t kSketchLanes = 32;

using Positions = std::vector<std::uint8_t>;

// The entropy (bits) of the counts at every position.
std::vector<double> positionEntropies(std::span<const Signature> signatures) {
    std::vector<std::array<std::uint32_t, 256>> histograms(kSignatureSymbols);
    for (auto& histogram : histograms) {
        histogram.fill(0);
    }
    for (const Signature& s : signatures) {
        for (std::size_t k = 0; k < kSignatureSymbols; ++k) {
            ++histograms[k][s.counts[k]];
        }
    }
    std::vector<double> entropies(kSignatureSymbols, 0.0);
    const double n = static_cast<double>(signatures.size());
    for (std::size_t k = 0; k < kSignatureSymbols; ++k) {
        for (std::uint32_t count : histograms[k]) {
            if (count != 0) {
                const double p = count / n;
                entropies[k] -= p * std::log2(p);
            }
        }
    }
    return entropies;
}

// Positions from most to least informative.
Positions byEntropy(const std::vector<double>& entropies) {
    Positions order(kSignatureSymbols);
    for (std::size_t k = 0; k < kSignatureSymbols; ++k) {
        order[k] = static_cast<std::uint8_t>(k);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint8_t x, std::uint8_t y) { return entropies[x] > entropies[y]; });
    return order;
}

// Deals the positions out to groupCount groups, each next position going
// to the group with the least entropy so far.
std::vector<Positions> chooseGroups(const Positions& order, const std::vector<double>& entropies,
                                    std::size_t groupCount) {
    std::vector<Positions> groups(groupCount);
    std::vector<double> totals(groupCount, 0.0);
    for (std::uint8_t k : order) {
        const auto least = static_cast<std::size_t>(std::min_element(totals.begin(), totals.end()) -
                                                    totals.begin());
        groups[least].push_back(k);
        totals[least] += entropies[k] + 1e-9;  // ties go round the groups
    }
    return groups;
}

// The positions each index buckets by. With tolerance 0 one index over
// every position. Otherwise the positions are dealt out to tolerance + 2
// groups and every two groups together make one index: two signatures that
// differ in at most tolerance positions leave at least two groups alike, so
// they share a bucket of at least one index, and buckets over two groups'
// positions are far smaller than over one group's.
std::vector<Positions> indexKeys(const Positions& order, const std::vector<double>& entropies,
                                 int tolerance) {
    if (tolerance == 0) {
        return {order};
    }
    const std::vector<Positions> groups =
        chooseGroups(order, entropies, static_cast<std::size_t>(tolerance) + 2);
    std::vector<Positions> keys;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        for (std::size_t j = i + 1; j < groups.size(); ++j) {
            Positions key = groups[i];
            key.insert(key.end(), groups[j].begin(), groups[j].end());
            keys.push_back(std::move(key));
        }
    }
    return keys;
}

std::uint64_t groupHash(const Signature& s, const Positions& group) {
    std::uint64_t h = 0xCBF29CE484222325ULL;
    for (std::uint8_t k : group) {
        h = (h ^ s.counts[k]) * 0x100000001B3ULL;
    }
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDULL;
    h ^= h >> 33;
    return h;
}

std::uint64_t sketch(const Signature& s, const Positions& lanes) {
    std::uint64_t value = 0;
    for (std::size_t lane = 0; lane < lanes.size(); ++lane) {
        value |= static_cast<std::uint64_t>(s.counts[lanes[lane]] & 3U) << (2 * lane);
    }
    return value;
}

int differingLanes(std::uint64_t x) {
    return std::popcount((x | (x >> 1)) & 0x5555555555555555ULL);
}

struct Element {
    std::uint64_t sketch;
    std::uint32_t entry;
    std::uint32_t bucketEnd;  // element index just past this bucket
};

// The buckets of one group: elements ordered by bucket, then entry, and
// where each entry sits among them.
struct GroupIndex {
    std::vector<Element> elements;
    std::vector<std::uint32_t> positionOf;
};

GroupIndex buildGroupIndex(std::span<const Signature> signatures, const Positions& group,
                           const Positions& lanes) {
    const std::size_t n = signatures.size();
    std::vector<std::pair<std::uint64_t, std::uint32_t>> keys(n);
    for (std::size_t i = 0; i < n; ++i) {
        keys[i] = {groupHash(signatures[i], group), static_cast<std::uint32_t>(i)};
    }
    std::sort(keys.begin(), keys.end());

    GroupIndex index;
    index.elements.resize(n);
    index.positionOf.resize(n);
    std::size_t begin = 0;
    while (begin < n) {
        std::size_t end = begin + 1;
        while (end < n && keys[end].first == keys[begin].first) {
            ++end;
        }
        for (std::size_t p = begin; p < end; ++p) {
            const std::uint32_t entry = keys[p].second;
            index.elements[p] = {sketch(signatures[entry], lanes), entry,
                                 static_cast<std::uint32_t>(end)};
            index.positionOf[entry] = static_cast<std::uint32_t>(p);
        }
        begin = end;
    }
    return index;
}

// The most informative positions outside group, at most kSketchLanes.
Positions sketchLanes(const Positions& order, const Positions& group) {
    Positions lanes;
    for (std::uint8_t k : order) {
        if (lanes.size() < kSketchLanes &&
            std::find(group.begin(), group.end(), k) == group.end()) {
            lanes.push_back(k);
        }
    }
    return lanes;
}

// The first partner of a after position p of one group's buckets that comes
// before best, or best.
std::size_t firstPartnerInBucket(std::span<const Signature> signatures, const GroupIndex& index,
                                 std::size_t a, int tolerance, std::size_t best) {
    const std::uint32_t p = index.positionOf[a];
    const Element* elements = index.elements.data();
    const std::uint64_t own = elements[p].sketch;
    const std::uint32_t end = elements[p].bucketEnd;
    for (std::uint32_t q = p + 1; q < end; ++q) {
        const Element& candidate = elements[q];
        if (candidate.entry >= best) {
            break;
        }
        if (differingLanes(own ^ candidate.sketch) <= tolerance &&
            withinTolerance(signatures[a], signatures[candidate.entry], tolerance)) {
            return candidate.entry;
        }
    }
    return best;
}

}  // namespace

void findPairsFast(std::span<const Signature> signatures, int tolerance,
                   const PairSearchHooks& hooks) {
    const std::size_t n = signatures.size();
    if (tolerance < 0 || tolerance > kMaxTolerance ||
        n >= std::numeric_limits<std::uint32_t>::max()) {
        findPairsNaive(signatures, tolerance, hooks);
        return;
    }
    const std::vector<double> entropies = positionEntropies(signatures);
    const Positions order = byEntropy(entropies);
    const std::vector<Positions> keys = indexKeys(order, entropies, tolerance);
    std::vector<GroupIndex> indexes;
    indexes.reserve(keys.size());
    for (const Positions& key : keys) {
        indexes.push_back(buildGroupIndex(signatures, key, sketchLanes(order, key)));
    }

    for (std::size_t a = 0; a < n; ++a) {
        std::size_t best = n;
        for (const GroupIndex& index : indexes) {
            best = firstPartnerInBucket(signatures, index, a, tolerance, best);
        }
        if (best < n) {
            hooks.pair(a, best);
        }
        if (hooks.afterEntry && hooks.afterEntry()) {
            return;
        }
    }
}

}  // namespace quor::dupes
