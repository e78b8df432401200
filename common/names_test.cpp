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

}  // namespace
}  // namespace quor
