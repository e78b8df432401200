#include "quorvane/generate/cache_format.h"

#include <gtest/gtest.h>

namespace quor::generate {
namespace {

TEST(CacheNames, OrdinaryNamesAreStoredUnchanged) {
    for (const char* name : {"song.mp3", "My Music", "Müsik – 日本.flac", "a#b&c.txt", ""}) {
        EXPECT_EQ(encodeCacheName(name), name);
        EXPECT_EQ(decodeCacheName(name), name);
    }
}

TEST(CacheNames, MarkerCharactersAndLineBreaksAreEscaped) {
    EXPECT_EQ(encodeCacheName("a*b>c?d%e\r\nf"), "a%2Ab%3Ec%3Fd%25e%0D%0Af");
    EXPECT_EQ(encodeCacheName("?leading"), "%3Fleading");
    EXPECT_EQ(encodeCacheName("100%"), "100%25");
    const std::string hostile = "*?>%\r\n%41%zz";
    EXPECT_EQ(decodeCacheName(encodeCacheName(hostile)), hostile);
    EXPECT_EQ(encodeCacheName(hostile).find_first_of("*>?\r\n"), std::string::npos);
}

TEST(CacheNames, InvalidEscapesAreKeptAsTheyStand) {
    EXPECT_EQ(decodeCacheName("%zz"), "%zz");
    EXPECT_EQ(decodeCacheName("%2"), "%2");
    EXPECT_EQ(decodeCacheName("50%"), "50%");
    EXPECT_EQ(decodeCacheName("%2a"), "*");
}

TEST(CacheNames, ShownNamesNeverSplitALine) {
    EXPECT_EQ(shownName("two\nlines\r.mp3"), "two?lines?.mp3");
    EXPECT_EQ(shownName("plain.mp3"), "plain.mp3");
}

TEST(CacheLines, AreClassifiedByTheirFirstCharacter) {
    EXPECT_EQ(cacheLineKind("?Zip 1"), CacheLineKind::DiskHeader);
    EXPECT_EQ(cacheLineKind("*Music/Rock/"), CacheLineKind::FolderHeading);
    EXPECT_EQ(cacheLineKind("12345"), CacheLineKind::FileOrTotal);
    EXPECT_EQ(cacheLineKind("%3Fodd.mp3"), CacheLineKind::FileOrTotal);
    EXPECT_EQ(cacheLineKind(""), CacheLineKind::FileOrTotal);
}

TEST(CacheLines, AFileLineSplitsAtItsFirstMarker) {
    const auto sized = splitFileLine("song.mp3*      3KB");
    EXPECT_EQ(sized.storedName, "song.mp3");
    EXPECT_EQ(sized.rest, "*      3KB");
    const auto pathAtEnd = splitFileLine("a%2Ab.txt>   Music/");
    EXPECT_EQ(decodeCacheName(pathAtEnd.storedName), "a*b.txt");
    EXPECT_EQ(pathAtEnd.rest, ">   Music/");
    const auto bare = splitFileLine("plain.txt");
    EXPECT_EQ(bare.storedName, "plain.txt");
    EXPECT_TRUE(bare.rest.empty());
}

}  // namespace
}  // namespace quor::generate
