#include "quorfind/search/ascii_finder.h"

#include <cstring>

namespace quor::find {

namespace {

constexpr auto npos = std::string_view::npos;

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// How common a character is in names, low for rare ones: letters by English
// frequency, blanks and vowels most common, other characters in between.
int commonness(char c) {
    constexpr std::string_view kByFrequency = "zqxjkvbpygfwmucldrhsnioate";
    if (c == ' ') {
        return 100;
    }
    const std::size_t rank = kByFrequency.find(c);
    return rank == npos ? 12 : static_cast<int>(rank);
}

}  // namespace

bool asciiEqualsFolded(std::string_view text, std::string_view folded) {
    if (text.size() != folded.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (lowerAscii(text[i]) != folded[i]) {
            return false;
        }
    }
    return true;
}

AsciiFinder::AsciiFinder(std::string_view text, std::string_view folded)
    : text_(text), folded_(folded) {
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (commonness(folded[i]) < commonness(folded[anchorOffset_])) {
            anchorOffset_ = i;
        }
    }
    if (!folded.empty()) {
        lower_ = folded[anchorOffset_];
        upper_ = (lower_ >= 'a' && lower_ <= 'z') ? static_cast<char>(lower_ - 32) : lower_;
    }
}

std::size_t AsciiFinder::nextAnchor(std::size_t from) {
    const auto scan = [this](char c, std::size_t at) -> std::size_t {
        if (at >= text_.size()) {
            return npos;
        }
        const void* hit = std::memchr(text_.data() + at, c, text_.size() - at);
        return hit == nullptr
                   ? npos
                   : static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data());
    };
    if (!started_ || (nextLower_ != npos && nextLower_ < from)) {
        nextLower_ = scan(lower_, from);
    }
    if (upper_ != lower_ && (!started_ || (nextUpper_ != npos && nextUpper_ < from))) {
        nextUpper_ = scan(upper_, from);
    }
    started_ = true;
    if (upper_ == lower_) {
        return nextLower_;
    }
    return std::min(nextLower_, nextUpper_);
}

std::size_t AsciiFinder::find(std::size_t from) {
    if (folded_.empty()) {
        return from <= text_.size() ? from : npos;
    }
    std::size_t anchorFrom = from + anchorOffset_;
    while (true) {
        const std::size_t anchor = nextAnchor(anchorFrom);
        if (anchor == npos) {
            return npos;
        }
        const std::size_t start = anchor - anchorOffset_;
        if (start + folded_.size() <= text_.size() &&
            asciiEqualsFolded(text_.substr(start, folded_.size()), folded_)) {
            return start;
        }
        anchorFrom = anchor + 1;
    }
}

}  // namespace quor::find
