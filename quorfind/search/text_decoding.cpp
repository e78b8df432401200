#include "quorfind/search/text_decoding.h"

#include <unicode/unistr.h>

#include <cstdint>

namespace quor::find {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string convertWith(std::string_view bytes, const char* encoding) {
    icu::UnicodeString text(bytes.data(), static_cast<int32_t>(bytes.size()), encoding);
    std::string out;
    text.toUTF8String(out);
    return out;
}

}  // namespace

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t extra = 0;
        std::uint32_t point = 0;
        if ((c & 0xE0) == 0xC0) {
            extra = 1;
            point = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            point = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            point = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= n) {
            return false;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            point = (point << 6) | (next & 0x3F);
        }
        const std::uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (point < smallest[extra] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
            return false;
        }
        i += extra + 1;
    }
    return true;
}

std::string listTextAsUtf8(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
    }
    if (bytes.starts_with("\xFF\xFE")) {
        return convertWith(bytes.substr(2), "UTF-16LE");
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return convertWith(bytes.substr(2), "UTF-16BE");
    }
    if (isValidUtf8(bytes)) {
        return std::string(bytes);
    }
    return convertWith(bytes, "windows-1252");
}

}  // namespace quor::find
