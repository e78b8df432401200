#include "common/utf8.h"

#include <unicode/utf8.h>

#include <cstdint>

namespace quor {

void appendUtf8(char32_t point, std::string& out) {
    std::uint8_t bytes[U8_MAX_LENGTH];
    std::int32_t length = 0;
    U8_APPEND_UNSAFE(bytes, length, static_cast<UChar32>(point));
    out.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
}

}  // namespace quor
