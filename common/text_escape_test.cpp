#include "common/text_escape.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

TEST(TextEscape, MarkupEscapesTheFourSpecialCharacters) {
    EXPECT_EQ(markupEscaped("<img src=x onerror=\"alert(1)\">&"),
              "&lt;img src=x onerror=&quot;alert(1)&quot;&gt;&amp;");
    EXPECT_EQ(markupEscaped("Müsik 'a'"), "Müsik 'a'");
}

TEST(TextEscape, PercentEncodingRoundTripsEveryByte) {
    EXPECT_EQ(percentEncodedPath("/home/ann/a b#c?.mp3"), "/home/ann/a%20b%23c%3F.mp3");
    EXPECT_EQ(percentEncodedPath("Día"), "D%C3%ADa");
    std::string all;
    for (int c = 1; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    EXPECT_EQ(percentDecoded(percentEncodedPath(all)), all);
    EXPECT_EQ(percentDecoded("50% off %zz %4"), "50% off %zz %4");
    EXPECT_EQ(hexDigitValue('f'), 15);
    EXPECT_EQ(hexDigitValue('g'), -1);
}

}  // namespace
}  // namespace quor
