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

namespace quor::generate {
namespace {

std::string spaces(std::size_t n) {
    return std::string(n, ' ');
}

TEST(CacheLineWriting, DisplayWidthCountsColumnsNotBytes) {
    EXPECT_EQ(displayWidth("song.mp3"), 8u);
    EXPECT_EQ(displayWidth("Müsik"), 5u);
    EXPECT_EQ(displayWidth("日本"), 4u);  // wide
    EXPECT_EQ(displayWidth("ＡＢ"), 4u);  // fullwidth
    EXPECT_EQ(displayWidth("ｱｲ"), 2u);    // halfwidth katakana
    EXPECT_EQ(displayWidth("a\xff"
                           "b"),
              3u);  // invalid byte counts one
}

TEST(CacheLineWriting, FirstColumnStartsInPosition67) {
    const std::string name8 = "song.mp3";
    FileLineColumns size;
    size.size = "3KB";
    EXPECT_EQ(fileLine(name8, size), name8 + "*" + spaces(57) + spaces(6) + "3KB");

    const std::string name64(64, 'n');
    const std::string name65(65, 'n');
    FileLineColumns date;
    date.date = "12/31/23 23:59:59";
    EXPECT_EQ(fileLine(name64, date), name64 + "* 12/31/23 23:59:59");
    EXPECT_EQ(fileLine(name65, date), name65 + "* 12/31/23 23:59:59");
    EXPECT_EQ(fileLine(std::string(100, 'n'), date), std::string(100, 'n') + "* 12/31/23 23:59:59");

    // A wide name of 4 columns gets 61 spaces, as a 4-letter name does.
    EXPECT_EQ(fileLine("日本", date), "日本*" + spaces(61) + "12/31/23 23:59:59");
    EXPECT_EQ(fileLine("Müsik", date), "Müsik*" + spaces(60) + "12/31/23 23:59:59");
}

TEST(CacheLineWriting, ColumnOrderAndJoins) {
    FileLineColumns all;
    all.size = "";  // a zero-byte file with sizes in bytes
    all.mp3 = " 128k  3:39 ";
    all.date = "D";
    all.pathAtEnd = "Music/";
    EXPECT_EQ(fileLine("a.mp3", all),
              "a.mp3*" + spaces(60) + spaces(9) + " " + " 128k  3:39 " + " D>  Music/");

    FileLineColumns shortMp3;
    shortMp3.mp3 = "ab";
    EXPECT_EQ(fileLine("a.mp3", shortMp3), "a.mp3*" + spaces(60) + "   ab");

    FileLineColumns longSize;
    longSize.size = "1,234,567,890";  // wider than 9: never cut
    EXPECT_EQ(fileLine("x", longSize), "x*" + spaces(64) + "1,234,567,890");

    EXPECT_EQ(fileLine("bare.txt", {}), "bare.txt");
}

TEST(CacheLineWriting, PathAtEndAsFirstColumn) {
    FileLineColumns path;
    path.pathAtEnd = "Music/Rock/";
    const std::string line = fileLine("song.mp3", path);
    EXPECT_EQ(line, "song.mp3>" + spaces(57) + " Music/Rock/");
    EXPECT_EQ(line.find("Music"), 67u);  // position 68, 1-based
    EXPECT_EQ(fileLine(std::string(65, 'n'), path), std::string(65, 'n') + ">  Music/Rock/");
}

TEST(CacheLineWriting, HostileNamesAreStoredEscapedAndMeasuredDecoded) {
    FileLineColumns size;
    size.size = "1KB";
    const std::string line = fileLine("a*b>c%\r\n.txt", size);
    // Twelve characters as shown, so 53 spaces, whatever the escapes add.
    EXPECT_EQ(line, "a%2Ab%3Ec%25%0D%0A.txt*" + spaces(53) + spaces(6) + "1KB");
    EXPECT_EQ(cacheLineKind(fileLine("?leading", size)), CacheLineKind::FileOrTotal);
    const CacheFileLine split = splitFileLine(line);
    EXPECT_EQ(decodeCacheName(split.storedName), "a*b>c%\r\n.txt");
}

TEST(CacheLineWriting, HeadingsAndTotals) {
    EXPECT_EQ(folderHeadingLine("Music/Rock/"), "*Music/Rock/");
    EXPECT_EQ(diskHeaderLine("Zip 1"), "?Zip 1");
    EXPECT_EQ(totalLine(0), "0");
    EXPECT_EQ(totalLine(123456789), "123456789");
    EXPECT_EQ(totalLine(1e15), "1E+15");
    EXPECT_EQ(storedDisplayName("My\r\nMusic 100%"), "My%0D%0AMusic 100%25");
    EXPECT_EQ(decodeCacheName(storedDisplayName("/home/a*b/%41")), "/home/a*b/%41");
}

}  // namespace
}  // namespace quor::generate
