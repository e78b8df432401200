#include "quorvane/generate/cache_format.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>

#include "common/number_text.h"
#include "common/text_escape.h"

namespace quor::generate {

namespace {

const char* escapeOf(char c) {
    switch (c) {
        case '*':
            return "%2A";
        case '>':
            return "%3E";
        case '?':
            return "%3F";
        case '%':
            return "%25";
        case '\r':
            return "%0D";
        case '\n':
            return "%0A";
        default:
            return nullptr;
    }
}

}  // namespace

std::string encodeCacheName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (char c : name) {
        if (const char* escape = escapeOf(c)) {
            out += escape;
        } else {
            out += c;
        }
    }
    return out;
}

std::string decodeCacheName(std::string_view stored) {
    return percentDecoded(stored);
}

std::string shownName(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = '?';
        }
    }
    return out;
}

CacheLineKind cacheLineKind(std::string_view line) {
    if (!line.empty() && line[0] == '?') {
        return CacheLineKind::DiskHeader;
    }
    if (!line.empty() && line[0] == '*') {
        return CacheLineKind::FolderHeading;
    }
    return CacheLineKind::FileOrTotal;
}

CacheFileLine splitFileLine(std::string_view line) {
    // A plain loop: find_first_of would call memchr once for every byte.
    const auto marker =
        std::find_if(line.begin(), line.end(), [](char c) { return c == '*' || c == '>'; });
    const auto at = static_cast<std::size_t>(marker - line.begin());
    return {line.substr(0, at), line.substr(at)};
}

namespace {

constexpr std::size_t kNameColumnWidth = 65;
constexpr std::size_t kSizeWidth = 9;
constexpr std::size_t kMp3Width = 5;

bool isAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// "*" or ">" and the filler that brings the first column to position 67.
void appendFirstSeparator(std::string& out, char marker, std::size_t nameWidth) {
    out += marker;
    if (nameWidth <= kNameColumnWidth - 1) {
        out.append(kNameColumnWidth - nameWidth, ' ');
    } else {
        out += ' ';
    }
}

void appendRightAligned(std::string& out, std::string_view text, std::size_t width) {
    const std::size_t shown = displayWidth(text);
    if (shown < width) {
        out.append(width - shown, ' ');
    }
    out += text;
}

}  // namespace

std::size_t displayWidth(std::string_view utf8) {
    if (isAscii(utf8)) {
        return utf8.size();
    }
    const auto* s = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto length = static_cast<std::int32_t>(utf8.size());
    std::size_t width = 0;
    std::int32_t i = 0;
    while (i < length) {
        UChar32 c = 0;
        U8_NEXT(s, i, length, c);
        if (c < 0) {
            width += 1;  // an invalid byte, shown as one replacement character
            continue;
        }
        const auto eaw = u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH);
        width += (eaw == U_EA_WIDE || eaw == U_EA_FULLWIDTH) ? 2 : 1;
    }
    return width;
}

std::string rightAligned(std::string_view text, std::size_t width) {
    std::string out;
    appendRightAligned(out, text, width);
    return out;
}

void appendFileLine(std::string& out, std::string_view name, const FileLineColumns& columns) {
    out += encodeCacheName(name);
    const std::size_t nameWidth = displayWidth(name);
    bool first = true;
    auto startColumn = [&] {
        if (first) {
            appendFirstSeparator(out, '*', nameWidth);
            first = false;
        } else {
            out += ' ';
        }
    };
    if (columns.size) {
        startColumn();
        appendRightAligned(out, *columns.size, kSizeWidth);
    }
    if (columns.mp3) {
        startColumn();
        appendRightAligned(out, *columns.mp3, kMp3Width);
    }
    if (columns.date) {
        startColumn();
        out += *columns.date;
    }
    if (columns.pathAtEnd) {
        if (first) {
            appendFirstSeparator(out, '>', nameWidth);
            out += ' ';
        } else {
            out += ">  ";
        }
        out += *columns.pathAtEnd;
    }
}

std::string fileLine(std::string_view name, const FileLineColumns& columns) {
    std::string out;
    appendFileLine(out, name, columns);
    return out;
}

std::string folderHeadingLine(std::string_view displayPath) {
    std::string out = "*";
    out += displayPath;
    return out;
}

std::string diskHeaderLine(std::string_view diskName) {
    std::string out = "?";
    out += diskName;
    return out;
}

std::string totalLine(double bytes) {
    return plainNumber(bytes);
}

std::string storedDisplayName(std::string_view name) {
    return encodeCacheName(name);
}

}  // namespace quor::generate
