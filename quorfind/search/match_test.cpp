#include "quorfind/search/match.h"

#include <gtest/gtest.h>

#include "quorfind/search/text_decoding.h"

namespace quor::find {
namespace {

struct MatchCase {
    const char* search;
    const char* candidate;
    bool matches;
};

TEST(TextMatcher, FollowsTheMatchRule) {
    const MatchCase cases[] = {
        {"beatles", "The Beatles - Help.mp3", true},
        {"beatles", "BEATLES", true},
        {"BeAtLeS", "beatles", true},
        {"abbey road", "Abbey Road.mp3", true},
        {"abbey road", "Abbey  Road.mp3", false},
        {"abbey road", "Road Abbey.mp3", false},
        {"", "anything", true},
        {"", "", false},
        {"x", "", false},
        {"école", "ÉCOLE.mp3", true},
        {"ÉCOLE", "une école", true},
        {"straße", "STRASSE.flac", true},
        {"ΣΟΦΙΑ", "σοφια", true},
        {"müsik", "MÜSIK", true},
        {"müsik", "musik", false},
        {"k", "\xE2\x84\xAA", true},  // KELVIN SIGN folds to k
        {"abc",
         "a\xFF"
         "bc",
         false},
        {".mp3", "song.MP3", true},
        {"ss",
         "Stra\xC3\x9F"
         "e",
         true},                       // a plain search text in a folded line
        {"\xC3\xA9", "cafe", false},  // another script in a plain line
        {"@x", "mail A@X", true},
        {"ab", "xaxb", false},
    };
    for (const MatchCase& c : cases) {
        EXPECT_EQ(TextMatcher(c.search).matches(c.candidate), c.matches)
            << c.search << " in " << c.candidate;
    }
}

TEST(CleanSearchText, RemovesWildcardsAndSeparators) {
    EXPECT_EQ(cleanSearchText("*.mp3"), ".mp3");
    EXPECT_EQ(cleanSearchText("c:\\music"), "c:music");
    EXPECT_EQ(cleanSearchText("a/b<c>d?e"), "abcde");
    EXPECT_EQ(cleanSearchText("abbey road"), "abbey road");
    EXPECT_EQ(cleanSearchText("\"quoted\""), "\"quoted\"");
}

TEST(ListText, TellsWellFormedUtf8) {
    EXPECT_TRUE(isValidUtf8("ascii"));
    EXPECT_TRUE(isValidUtf8("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB5"));
    EXPECT_FALSE(isValidUtf8("\xC3"));          // cut short
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(isValidUtf8("\xE2\x82"));      // cut short at the end
}

}  // namespace
}  // namespace quor::find
