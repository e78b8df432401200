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

TEST(StaysBelow, DotComponentsAndNulBytesClimb) {
    for (const std::string_view below : {"", "a", "a/b/", "a//b", "..a/b.", "a/...", ".hidden/"}) {
        EXPECT_TRUE(staysBelow(below)) << below;
    }
    using namespace std::string_view_literals;
    for (const std::string_view climbs : {"."sv, ".."sv, "./a"sv, "a/.."sv, "a/../b"sv, "a/./"sv,
                                          "a//../"sv, "..\0x"sv, "a\0/b"sv}) {
        EXPECT_FALSE(staysBelow(climbs)) << climbs;
    }
}

TEST(WithoutBlanksAround, TrimsSpacesOnly) {
    EXPECT_EQ(withoutBlanksAround("  a b  "), "a b");
    EXPECT_EQ(withoutBlanksAround("   "), "");
    EXPECT_EQ(withoutBlanksAround(""), "");
    EXPECT_EQ(withoutBlanksAround("\ta\t"), "\ta\t");
}

}  // namespace
}  // namespace quor
