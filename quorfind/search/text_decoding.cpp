#include "quorfind/search/text_decoding.h"

#include <cstring>
#include <utility>

#include "common/utf8.h"

namespace quor::find {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// U+0080..U+009F as Windows-1252 maps its bytes 0x80..0x9F; the unassigned
// ones keep their own value.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isHighSurrogate(std::uint16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(std::uint16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

bool isValidUtf8(std::string_view text) {
    // Plain ASCII, by far the most common, is told eight bytes at a time.
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if ((word & 0x8080808080808080ULL) != 0) {
            break;
        }
    }
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

void appendWindows1252(std::string_view bytes, std::string& out) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else if (byte < 0xA0) {
            appendUtf8(kHighControls[byte - 0x80], out);
        } else {
            appendUtf8(byte, out);
        }
    }
}

std::string_view lineAsUtf8(std::string_view line, std::string& scratch) {
    if (isValidUtf8(line)) {
        return line;
    }
    scratch.clear();
    appendWindows1252(line, scratch);
    return scratch;
}

void Utf16Decoder::decode(std::string_view bytes, std::string& out) {
    std::size_t i = 0;
    if (haveOddByte_ && !bytes.empty()) {
        const auto second = static_cast<unsigned char>(bytes[0]);
        unit(static_cast<std::uint16_t>(bigEndian_ ? (oddByte_ << 8) | second
                                                   : (second << 8) | oddByte_),
             out);
        haveOddByte_ = false;
        i = 1;
    }
    for (; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        unit(static_cast<std::uint16_t>(bigEndian_ ? (first << 8) | second : (second << 8) | first),
             out);
    }
    if (i < bytes.size()) {
        oddByte_ = static_cast<unsigned char>(bytes[i]);
        haveOddByte_ = true;
    }
}

void Utf16Decoder::unit(std::uint16_t value, std::string& out) {
    if (highSurrogate_ != 0) {
        const std::uint16_t high = std::exchange(highSurrogate_, 0);
        if (isLowSurrogate(value)) {
            appendUtf8(0x10000 + ((char32_t{high} - 0xD800) << 10) + (value - 0xDC00u), out);
            return;
        }
        appendUtf8(kReplacement, out);
    }
    if (isHighSurrogate(value)) {
        highSurrogate_ = value;
    } else if (isLowSurrogate(value)) {
        appendUtf8(kReplacement, out);
    } else {
        appendUtf8(value, out);
    }
}

void Utf16Decoder::finish(std::string& out) {
    if (highSurrogate_ != 0) {
        appendUtf8(kReplacement, out);
    }
    if (haveOddByte_) {
        appendUtf8(kReplacement, out);
    }
    highSurrogate_ = 0;
    haveOddByte_ = false;
}

}  // namespace quor::find
