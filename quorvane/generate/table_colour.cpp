#include "quorvane/generate/table_colour.h"

#include "common/names.h"
#include "common/text_escape.h"

namespace quor::generate {

namespace {

bool isHexColour(std::string_view text) {
    if (text.size() != 7 || text[0] != '#') {
        return false;
    }
    for (const char c : text.substr(1)) {
        if (hexDigitValue(c) < 0) {
            return false;
        }
    }
    return true;
}

bool isOfferedColour(std::string_view text) {
    const std::string lowered = asciiLower(text);
    if (lowered == asciiLower(kDefaultTableColour)) {
        return true;
    }
    for (const TableColour& colour : kTableColours) {
        if (lowered == asciiLower(colour.value)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string pageTableColour(std::string_view stored) {
    const std::string_view text = withoutBlanksAround(stored);
    if (isOfferedColour(text) || isHexColour(text)) {
        return std::string(text);
    }
    return std::string(kDefaultTableColour);
}

}  // namespace quor::generate
