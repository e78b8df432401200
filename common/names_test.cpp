#include "common/names.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

TEST(StripNameCharacters, RemovesTheSevenNameCharacters) {
    EXPECT_EQ(stripNameCharacters("My*Music?"), "MyMusic");
    EXPECT_EQ(stripNameCharacters("My Music\\Rock"), "My MusicRock");
    EXPECT_EQ(stripNameCharacters("a/b<c\"d>e"), "abcde");
    EXPECT_EQ(stripNameCharacters("*?/<\">\\"), "");
    EXPECT_EQ(stripNameCharacters("Müsik – 日本"), "Müsik – 日本");
}

TEST(EqualsIgnoringCase, FoldsCaseInEveryScript) {
    EXPECT_TRUE(equalsIgnoringCase("/home/Ann/Music", "/HOME/ann/music"));
    EXPECT_TRUE(equalsIgnoringCase("Müsik", "MÜSIK"));
    EXPECT_TRUE(equalsIgnoringCase("Ωμέγα", "ΩΜΈΓΑ"));
    EXPECT_FALSE(equalsIgnoringCase("Music", "Musik"));
    EXPECT_FALSE(equalsIgnoringCase("Music", "Music "));
    EXPECT_TRUE(equalsIgnoringCase("", ""));
}

TEST(StaysBelow, OnlyDotComponentsClimb) {
    for (const std::string_view below : {"", "a", "a/b/", "a//b", "..a/b.", "a/...", ".hidden/"}) {
        EXPECT_TRUE(staysBelow(below)) << below;
    }
    for (const std::string_view climbs : {".", "..", "./a", "a/..", "a/../b", "a/./", "a//../"}) {
        EXPECT_FALSE(staysBelow(climbs)) << climbs;
    }
}

}  // namespace
}  // namespace quor
