#include "quorvane/dupes/signature.h"

#include <bit>
#include <cstring>

namespace quor::dupes {

namespace {

// Position of every byte value, after ASCII lower-casing.
struct PositionTable {
    std::array<std::int8_t, 256> position{};

    constexpr PositionTable() {
        position.fill(-1);
        for (std::size_t k = 0; k < kSignatureSymbols; ++k) {
            const auto c = static_cast<unsigned char>(kSignatureAlphabet[k]);
            position[c] = static_cast<std::int8_t>(k);
            if (c >= 'a' && c <= 'z') {
                position[c - 'a' + 'A'] = static_cast<std::int8_t>(k);
            }
        }
    }
};

constexpr PositionTable kPositions;

// One bit (the high bit of its byte) for every non-zero byte of x.
std::uint64_t nonZeroBytes(std::uint64_t x) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    return (((x & kLow7) + kLow7) | x) & ~kLow7;
}

std::uint64_t word(const Signature& s, std::size_t i) {
    std::uint64_t w;
    std::memcpy(&w, s.counts.data() + 8 * i, sizeof w);
    return w;
}

}  // namespace

int signaturePosition(char c) {
    return kPositions.position[static_cast<unsigned char>(c)];
}

Signature signatureOf(std::string_view name) {
    Signature signature;
    for (char c : name) {
        const int k = signaturePosition(c);
        if (k >= 0 && signature.counts[k] != 255) {
            ++signature.counts[k];
        }
    }
    return signature;
}

bool withinToleranceStepwise(const Signature& a, const Signature& b, int tolerance) {
    int differing = 0;
    for (std::size_t k = 0; k < kSignatureSymbols; ++k) {
        if (a.counts[k] != b.counts[k] && ++differing > tolerance) {
            return false;
        }
    }
    return true;
}

int differingPositions(const Signature& a, const Signature& b) {
    int differing = 0;
    for (std::size_t i = 0; i < 5; ++i) {
        differing += std::popcount(nonZeroBytes(word(a, i) ^ word(b, i)));
    }
    return differing;
}

}  // namespace quor::dupes
