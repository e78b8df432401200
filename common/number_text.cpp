#include "common/number_text.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quor {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the numeric prefix of text starting at pos, or 0 when there is
// none. Accepts sign, digits, one decimal point, and an exponent that is
// complete (E or D, optional sign, at least one digit).
std::size_t numericPrefixLength(std::string_view text, std::size_t pos) {
    std::size_t i = pos;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i - pos;
}

}  // namespace

double leadingNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    const std::size_t length = numericPrefixLength(text, pos);
    if (length == 0) {
        return 0.0;
    }
    std::string number(text.substr(pos, length));
    for (char& c : number) {
        if (c == 'd' || c == 'D') {
            c = 'E';
        }
    }
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

std::optional<std::int16_t> toInt16(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(value);  // default mode rounds halves to even
    if (rounded < -32768.0 || rounded > 32767.0) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::string plainNumber(double value) {
    if (!std::isfinite(value)) {
        return "0";
    }
    if (value == 0.0) {
        return "0";
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return buffer;  // "%G" gives at least two exponent digits: "1E+15", "1E-05"
}

std::string signedNumberText(double value) {
    std::string text = plainNumber(value);
    if (text[0] != '-') {
        text.insert(text.begin(), ' ');
    }
    return text;
}

std::string groupedInteger(std::uint64_t value, std::string_view separator) {
    std::string digits = std::to_string(value);
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        out += digits[i];
        const std::size_t remaining = n - i - 1;
        if (remaining > 0 && remaining % 3 == 0) {
            out += separator;
        }
    }
    return out;
}

}  // namespace quor
