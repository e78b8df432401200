#include "common/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quor {
namespace {

std::vector<std::string> linesOf(std::string_view text, LoneCr loneCr) {
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        lines.emplace_back(nextLine(text, pos, loneCr));
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(NextLine, EachLineEndInBothModes) {
    struct Case {
        std::string_view text;
        Lines inLine;
        Lines endsLine;
    };
    const Case cases[] = {
        {"", {}, {}},
        {"a", {"a"}, {"a"}},
        {"a\nb\n", {"a", "b"}, {"a", "b"}},
        {"a\r\nb", {"a", "b"}, {"a", "b"}},
        {"\n\n", {"", ""}, {"", ""}},
        {"a\rb\r", {"a\rb"}, {"a", "b"}},
        {"a\r\r\n", {"a\r"}, {"a", ""}},
        {"\r", {""}, {""}},
        {"a\n\rb", {"a", "\rb"}, {"a", "", "b"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(linesOf(c.text, LoneCr::InLine), c.inLine) << testing::PrintToString(c.text);
        EXPECT_EQ(linesOf(c.text, LoneCr::EndsLine), c.endsLine) << testing::PrintToString(c.text);
    }
}

}  // namespace
}  // namespace quor
