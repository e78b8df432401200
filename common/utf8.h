#pragma once

// Writing Unicode code points as UTF-8.

#include <string>

namespace quor {

// Appends the UTF-8 bytes of point (at most U+10FFFF) to out.
void appendUtf8(char32_t point, std::string& out);

}  // namespace quor
