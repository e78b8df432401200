#include "common/names.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>

namespace quor {

std::string stripNameCharacters(std::string_view text) {
    constexpr std::string_view kStripped = "*?/<\">\\";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (kStripped.find(c) == std::string_view::npos) {
            out += c;
        }
    }
    return out;
}

namespace {
char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    const auto ua =
        icu::UnicodeString::fromUTF8(icu::StringPiece(a.data(), static_cast<int32_t>(a.size())));
    const auto ub =
        icu::UnicodeString::fromUTF8(icu::StringPiece(b.data(), static_cast<int32_t>(b.size())));
    return ua.caseCompare(ub, U_FOLD_CASE_DEFAULT) == 0;
}

std::string asciiLower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lowerAscii);
    return out;
}

bool staysBelow(std::string_view relative) {
    if (relative.find('\0') != std::string_view::npos) {
        return false;
    }
    while (!relative.empty()) {
        const std::size_t slash = relative.find('/');
        const std::string_view component = relative.substr(0, slash);
        if (component == "." || component == "..") {
            return false;
        }
        if (slash == std::string_view::npos) {
            break;
        }
        relative.remove_prefix(slash + 1);
    }
    return true;
}

std::string_view withoutBlanksAround(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace quor
