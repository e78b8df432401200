#include "quorvane/dupes/pair_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace quor::dupes {
namespace {

using Pairs = std::vector<std::pair<std::size_t, std::size_t>>;
using Search = void (*)(std::span<const Signature>, int, const PairSearchHooks&);

Pairs run(Search search, const std::vector<Signature>& signatures, int tolerance,
          int stopAfterEntries = 0) {
    Pairs pairs;
    int entries = 0;
    PairSearchHooks hooks;
    hooks.pair = [&](std::size_t a, std::size_t b) { pairs.emplace_back(a, b); };
    hooks.afterEntry = [&] { return stopAfterEntries > 0 && ++entries >= stopAfterEntries; };
    search(signatures, tolerance, hooks);
    return pairs;
}

std::vector<Signature> ofNames(const std::vector<std::string>& names) {
    std::vector<Signature> signatures;
    for (const std::string& name : names) {
        signatures.push_back(signatureOf(name));
    }
    return signatures;
}

// Signatures in families: each family a random base, its members the base
// with a few counts changed, members of all families shuffled together.
// Many pairs are within every tolerance, many just outside it.
std::vector<Signature> nearDuplicateSignatures(unsigned seed, std::size_t count) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> small(0, 3);
    std::uniform_int_distribution<int> position(0, 35);
    std::uniform_int_distribution<int> changes(0, 6);
    std::vector<Signature> bases(count / 8 + 1);
    for (Signature& base : bases) {
        for (int k = 0; k < 36; ++k) {
            base.counts[k] = static_cast<std::uint8_t>(k < 12 || k >= 26 ? small(random) : 0);
        }
    }
    std::uniform_int_distribution<std::size_t> family(0, bases.size() - 1);
    std::vector<Signature> signatures;
    for (std::size_t i = 0; i < count; ++i) {
        Signature s = bases[family(random)];
        for (int c = changes(random); c > 0; --c) {
            s.counts[position(random)] = static_cast<std::uint8_t>(small(random));
        }
        signatures.push_back(s);
    }
    return signatures;
}

TEST(PairSearch, EachEntryGetsItsFirstLaterPartnerOnly) {
    // A B C all alike, D alone, E like D.
    const auto signatures = ofNames({"abc", "cab", "bca", "xyz", "zyx"});
    const Pairs expected = {{0, 1}, {1, 2}, {3, 4}};
    EXPECT_EQ(run(findPairsNaive, signatures, 0), expected);
    EXPECT_EQ(run(findPairsFast, signatures, 0), expected);
}

TEST(PairSearch, FindsTheSmallestPartnerNotTheFirstBucketHit) {
    // 0 differs from 1 in two positions and from 2 in none: at tolerance 2
    // the partner of 0 is 1, found through a different group than 2.
    const auto signatures = ofNames({"eeaa11", "eeaa22", "eeaa11", "zzzz"});
    for (int t = 0; t <= kMaxTolerance; ++t) {
        EXPECT_EQ(run(findPairsFast, signatures, t), run(findPairsNaive, signatures, t)) << t;
    }
    EXPECT_EQ(run(findPairsFast, signatures, 2), (Pairs{{0, 1}, {1, 2}}));
}

TEST(PairSearch, FastAgreesWithNaiveOnRandomNearDuplicates) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const auto signatures = nearDuplicateSignatures(seed, 1500);
        for (int t = 0; t <= kMaxTolerance; ++t) {
            const Pairs naive = run(findPairsNaive, signatures, t);
            ASSERT_EQ(run(findPairsFast, signatures, t), naive) << "seed " << seed << " t " << t;
            if (t == 2) {
                EXPECT_GT(naive.size(), 100U);  // the data does hold pairs
            }
        }
    }
}

TEST(PairSearch, FastAgreesWithNaiveOnRealLookingNames) {
    std::vector<std::string> names;
    std::mt19937 random(3);
    const char* artists[] = {"Beatles", "beatles", "The_Beatles", "Pink Floyd", "Abba", "Queen"};
    const char* titles[] = {"Yesterday", "Help", "Money", "Time", "Waterloo", "Bohemian Rhapsody"};
    for (int i = 0; i < 1200; ++i) {
        const std::string artist = artists[random() % 6];
        const std::string title = titles[random() % 6];
        const std::string track = std::to_string(random() % 30);
        switch (random() % 5) {
            case 0:
                names.push_back(artist + " - " + title + ".mp3");
                break;
            case 1:
                names.push_back(track + " " + title + ".MP3");
                break;
            case 2:
                names.push_back("Track " + track + ".wav");
                break;
            case 3:
                names.push_back(track + ".ogg");  // digits and a few letters only
                break;
            default:
                names.push_back("___" + std::to_string(random() % 7) + "__");
        }
    }
    const auto signatures = ofNames(names);
    for (int t = 0; t <= kMaxTolerance; ++t) {
        EXPECT_EQ(run(findPairsFast, signatures, t), run(findPairsNaive, signatures, t)) << t;
    }
}

TEST(PairSearch, DegenerateCatalogues) {
    const std::vector<std::vector<Signature>> catalogues = {
        {},
        {signatureOf("alone")},
        std::vector<Signature>(300, signatureOf("")),          // all-zero signatures
        std::vector<Signature>(300, signatureOf("same.mp3")),  // one name many times
    };
    for (const auto& signatures : catalogues) {
        for (int t = 0; t <= kMaxTolerance; ++t) {
            const Pairs naive = run(findPairsNaive, signatures, t);
            EXPECT_EQ(run(findPairsFast, signatures, t), naive);
            EXPECT_EQ(naive.size(), signatures.empty() ? 0 : signatures.size() - 1);
        }
    }
}

TEST(PairSearch, ToleranceOutsideTheSliderFallsBackToTheReference) {
    const auto signatures = ofNames({"song.mp3", "song.wav", "abc", "abd"});
    EXPECT_EQ(run(findPairsFast, signatures, 6), (Pairs{{0, 1}, {2, 3}}));
    EXPECT_EQ(run(findPairsFast, signatures, 6), run(findPairsNaive, signatures, 6));
    EXPECT_TRUE(run(findPairsFast, signatures, -1).empty());
}

TEST(PairSearch, AStopRequestEndsTheSearchAfterTheCurrentEntry) {
    const auto signatures = ofNames({"a", "a", "b", "b", "c", "c"});
    for (Search search : {findPairsNaive, findPairsFast}) {
        EXPECT_EQ(run(search, signatures, 0, 1), (Pairs{{0, 1}}));
        EXPECT_EQ(run(search, signatures, 0, 3), (Pairs{{0, 1}, {2, 3}}));
    }
}

}  // namespace
}  // namespace quor::dupes
