// The duplicate signature and pair search: the fuzzer's bytes are names and
// a tolerance. The word-at-a-time comparison must agree with the stepwise
// one, and the fast pair search must give the naive loop's pairs in the
// same order, stopped or not.

#include <cstdint>
#include <utility>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "quorvane/dupes/pair_search.h"
#include "quorvane/dupes/signature.h"

namespace quor::fuzz {
namespace {

using namespace quor::dupes;
using Pairs = std::vector<std::pair<std::size_t, std::size_t>>;

// Names from a small alphabet collide often, which is what the index has
// to get right; raw bytes test the counting itself.
std::string name(FuzzInput& in, bool smallAlphabet) {
    std::string out(in.text(300));
    if (smallAlphabet) {
        for (char& c : out) {
            c = "aeEb1 ."[static_cast<unsigned char>(c) % 7];
        }
    }
    return out;
}

void checkSignature(std::string_view text, const Signature& s) {
    int total = 0;
    for (std::size_t i = 0; i < kSignatureSymbols; ++i) {
        total += s.counts[i];
    }
    int counted = 0;
    for (char c : text) {
        counted += signaturePosition(c) >= 0 ? 1 : 0;
    }
    check(total == counted || total < counted, "a signature counts only what it may");
    for (std::size_t i = kSignatureSymbols; i < s.counts.size(); ++i) {
        check(s.counts[i] == 0, "the padding stays zero");
    }
}

Pairs run(decltype(&findPairsNaive) search, const std::vector<Signature>& all, int tolerance,
          std::size_t stopAfter) {
    Pairs pairs;
    std::size_t entries = 0;
    PairSearchHooks hooks;
    hooks.pair = [&pairs](std::size_t a, std::size_t b) { pairs.emplace_back(a, b); };
    hooks.afterEntry = [&entries, stopAfter] { return ++entries >= stopAfter; };
    search(all, tolerance, hooks);
    return pairs;
}

}  // namespace
}  // namespace quor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quor::fuzz;
    using namespace quor::dupes;
    FuzzInput in(data, size);
    const int tolerance = static_cast<int>(in.byte() % 8) - 1;
    const bool smallAlphabet = in.flag();
    const std::size_t stopAfter = in.byte() == 0 ? 1 + in.byte() : SIZE_MAX;
    std::vector<Signature> all;
    while (!in.empty() && all.size() < 200) {
        const std::string text = name(in, smallAlphabet);
        all.push_back(signatureOf(text));
        checkSignature(text, all.back());
    }
    for (std::size_t i = 0; i + 1 < all.size(); ++i) {
        for (int t = 0; t <= kMaxTolerance + 1; ++t) {
            check(withinTolerance(all[i], all[i + 1], t) ==
                      withinToleranceStepwise(all[i], all[i + 1], t),
                  "the word-at-a-time comparison agrees with the stepwise one");
        }
    }
    check(run(findPairsFast, all, tolerance, stopAfter) ==
              run(findPairsNaive, all, tolerance, stopAfter),
          "the fast pair search gives the naive loop's pairs");
    return 0;
}
