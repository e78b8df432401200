#pragma once

// Finding the pairs of near-identical signatures. The result is defined by
// the reference loop: for each entry a in order, its first later entry b
// whose signature differs from a's in at most tolerance positions; a is
// then finished (it gets at most one later partner, though it may appear
// again as the partner of an earlier entry).
//
// findPairsNaive is that loop, comparing every pair. findPairsFast gives
// the same pairs in the same order without comparing every pair (see
// pair_search.cpp); the tests hold it against the naive loop.

#include <cstddef>
#include <functional>
#include <span>

#include "quorvane/dupes/signature.h"

namespace quor::dupes {

// The largest tolerance the search takes (the options slider's range).
inline constexpr int kMaxTolerance = 4;

struct PairSearchHooks {
    // Called for every pair found, in result order.
    std::function<void(std::size_t a, std::size_t b)> pair;
    // Called after each entry a has been dealt with; true ends the search
    // there (a stop request). May be empty.
    std::function<bool()> afterEntry;
};

// The reference loop. Any tolerance; below 0 nothing matches.
void findPairsNaive(std::span<const Signature> signatures, int tolerance,
                    const PairSearchHooks& hooks);

// The same pairs in the same order, found through an index of the
// signatures. Tolerances outside 0..kMaxTolerance are handed to the naive
// loop, so the answer is always the reference one.
void findPairsFast(std::span<const Signature> signatures, int tolerance,
                   const PairSearchHooks& hooks);

}  // namespace quor::dupes
