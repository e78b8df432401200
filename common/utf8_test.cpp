#include "common/utf8.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

TEST(AppendUtf8, EncodesEachLengthAtItsBoundaries) {
    const struct {
        char32_t point;
        std::string bytes;
    } cases[] = {
        {U'\x7F', "\x7F"},
        {0x80, "\xC2\x80"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0xFFFD, "\xEF\xBF\xBD"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
    };
    for (const auto& c : cases) {
        std::string out = "a";
        appendUtf8(c.point, out);
        EXPECT_EQ(out, "a" + c.bytes) << static_cast<unsigned>(c.point);
    }
}

}  // namespace
}  // namespace quor
