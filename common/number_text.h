#pragma once

// Numbers kept as text. Every value of the settings store and of a saved
// list file is text; these are the conversions between that text and
// numbers, with the same results wherever a number is read or written.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quor {

// The leading numeric value of a text: blanks and tabs in front are skipped,
// then an optional sign, digits with an optional decimal point and an
// optional exponent ("1.5E3"). " 123" is 123, "1.5" is 1.5, "12abc" is 12;
// "", "abc" and "-" are 0. Never fails.
double leadingNumber(std::string_view text);

// Rounds to the nearest 16-bit integer, halves to the even neighbour (2.5 is
// 2, 3.5 is 4). Empty when the value does not fit (an "Overflow").
std::optional<std::int16_t> toInt16(double value);

// The plain text of a number: "42", "-3", "1.5"; up to 15 significant
// digits, exponent form from 1E+15 up ("1E+15") and below 1E-04 ("1E-05").
std::string plainNumber(double value);

// The text of a number with a leading sign position: " 42", "-3", " 1.5".
std::string signedNumberText(double value);

// A number in general number format: the plain text of its value.
inline std::string generalNumber(double value) {
    return plainNumber(value);
}

// A whole number with thousands separators ("1,234,567"); sep is the
// separator of the user's locale.
std::string groupedInteger(std::uint64_t value, std::string_view separator = ",");

}  // namespace quor
