#pragma once

// The character-count signature of a file name: how often each of 36
// symbols occurs in the lower-cased name. Order, case, blanks and
// punctuation do not matter, so "My Song.mp3" and "my_song.MP3" have the
// same signature, and so do the anagrams "abc.mp3" and "cab.mp3".

#include <array>
#include <cstdint>
#include <string_view>

namespace quor::dupes {

// The symbols counted, in the order in which two signatures are compared:
// the five vowels, s t n l d m, the other letters in alphabetical order,
// then the ten digits.
inline constexpr std::string_view kSignatureAlphabet = "eaioustnldmbcfghjkpqrvwxyz0123456789";
inline constexpr std::size_t kSignatureSymbols = 36;
static_assert(kSignatureAlphabet.size() == kSignatureSymbols);

// 36 counters padded to 40 bytes, so that two signatures are compared as
// five 64-bit words. The padding is always zero.
struct alignas(8) Signature {
    std::array<std::uint8_t, 40> counts{};

    bool operator==(const Signature&) const = default;
};

// The alphabet position of a character after lower-casing, or -1 when the
// character is not counted (blanks, punctuation, any non-ASCII byte).
int signaturePosition(char c);

// The signature of a (decoded) file name. A counter stops at 255 rather
// than wrapping round, so a freak name with 256 "e"s still looks like one
// full of "e"s.
Signature signatureOf(std::string_view name);

// The reference comparison: walks the 36 positions in alphabet order,
// counting those whose counts differ, and gives up as soon as that count
// exceeds tolerance. True when the pair is within tolerance.
bool withinToleranceStepwise(const Signature& a, const Signature& b, int tolerance);

// The number of positions whose counts differ, computed a word at a time.
int differingPositions(const Signature& a, const Signature& b);

// The same answer as withinToleranceStepwise, a word at a time.
inline bool withinTolerance(const Signature& a, const Signature& b, int tolerance) {
    return differingPositions(a, b) <= tolerance;
}

}  // namespace quor::dupes
