#include "quorvane/generate/cache_format.h"

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

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
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
    if (stored.find('%') == std::string_view::npos) {
        return std::string(stored);
    }
    std::string out;
    out.reserve(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '%' && i + 2 < stored.size()) {
            const int high = hexValue(stored[i + 1]);
            const int low = hexValue(stored[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += stored[i];
    }
    return out;
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
    const std::size_t marker = line.find_first_of("*>");
    if (marker == std::string_view::npos) {
        return {line, {}};
    }
    return {line.substr(0, marker), line.substr(marker)};
}

}  // namespace quor::generate
