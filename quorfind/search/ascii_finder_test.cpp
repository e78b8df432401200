#include "quorfind/search/ascii_finder.h"

#include <gtest/gtest.h>

#include <string>

#include "common/names.h"

namespace quor::find {
namespace {

// Every position where folded stands in text, the plain way.
std::vector<std::size_t> expected(const std::string& text, const std::string& folded) {
    std::vector<std::size_t> hits;
    const std::string lowered = asciiLower(text);
    for (std::size_t at = lowered.find(folded); at != std::string::npos;
         at = lowered.find(folded, at + 1)) {
        hits.push_back(at);
    }
    return hits;
}

std::vector<std::size_t> found(const std::string& text, const std::string& folded) {
    AsciiFinder finder(text, folded);
    std::vector<std::size_t> hits;
    for (std::size_t at = finder.find(0); at != std::string::npos; at = finder.find(at + 1)) {
        hits.push_back(at);
    }
    return hits;
}

TEST(AsciiFinder, FindsEveryPlaceInEitherCase) {
    const std::string text =
        "ZEBRA zebra ZeBrA zebrazebra\r\nzzz Zz .MP3 .mp3 x.Mp3.mP3 aaaa AAAA q";
    for (const std::string folded :
         {"zebra", "z", "zz", ".mp3", "a", "aa", "q", " ", "mp3 x", "zebra\r\nz", "none"}) {
        EXPECT_EQ(found(text, folded), expected(text, folded)) << folded;
    }
    EXPECT_TRUE(found("", "a").empty());
    EXPECT_TRUE(found("ab", "abc").empty());
}

TEST(AsciiFinder, KeepsOnGoingWhenAskedFromLaterPlaces) {
    const std::string text = "one Two three TWO two";
    AsciiFinder finder(text, "two");
    EXPECT_EQ(finder.find(0), 4u);
    EXPECT_EQ(finder.find(5), 14u);
    EXPECT_EQ(finder.find(15), 18u);
    EXPECT_EQ(finder.find(19), std::string::npos);
    EXPECT_TRUE(asciiEqualsFolded("AbC", "abc"));
    EXPECT_FALSE(asciiEqualsFolded("AbC", "abd"));
}

}  // namespace
}  // namespace quor::find
