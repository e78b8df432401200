#include "quorvane/generate/text_list.h"

#include <gtest/gtest.h>

#include "quorvane/generate/list_body_fixture.h"

namespace quor::generate {
namespace {

using testing::cached;
using testing::listed;
using testing::texts;
using Lines = std::vector<std::string>;

const std::string kRule(kFolderSeparator);

class TextListBody : public testing::ListTest {
  protected:
    ListBody build() {
        store::ListContext c = context();
        return buildTextListBody(c);
    }
    // Two records: Music (2 files in the root, 1 in Rock), Books (2 files).
    void twoFolders() {
        record(0, "/home/u/Music", "Music");
        cache(0,
              {"5120", "*Music/", cached("zebra.mp3", "      3KB"),
               cached("alpha.mp3", "      1KB"), "*Music/Rock/", cached("song.mp3", "      1KB")});
        record(1, "/home/u/Books", "Books");
        cache(1, {"300", "*Books/", cached("b.txt", "     200B"), cached("a.txt", "     100B")});
    }
};

TEST_F(TextListBody, BrokenDownBySortedFolderGroupsWithSizes) {
    twoFolders();
    const ListBody body = build();
    EXPECT_EQ(
        texts(body.lines),
        (Lines{"Music/", kRule, listed("alpha.mp3", "      1KB"), listed("zebra.mp3", "      3KB"),
               "", "Music/Rock/", kRule, listed("song.mp3", "      1KB"), "", "Books/", kRule,
               listed("a.txt", "     100B"), listed("b.txt", "     200B")}));
    EXPECT_EQ(body.fileCount, 5);
    EXPECT_EQ(body.totalSize, 5420);
    EXPECT_TRUE(body.linkTargets.empty());
    EXPECT_TRUE(user.boxes().empty());
}

// A long list lets the window's events run while it is built.
TEST_F(TextListBody, ALongListPollsWhileItIsBuilt) {
    std::vector<std::string> lines = {"0", "*Music/"};
    for (int n = 0; n < 10000; ++n) {
        lines.push_back(cached("song " + std::to_string(n) + ".mp3", "      1KB"));
    }
    record(0, "/home/u/Music", "Music");
    cache(0, lines);
    EXPECT_EQ(build().fileCount, 10000);
    EXPECT_GE(user.polls(), 10000 / 4096 + 1);
}

TEST_F(TextListBody, NumbersRunAcrossGroupsAndRecords) {
    record(0, "/a", "A");
    cache(0, {"0", "*A/", "y", "x"});
    record(1, "/b", "B");
    cache(1, {"0", "*B/", "r", "q", "p", "*B/Empty/"});
    setSetting("IncludeFileNums", "1");
    EXPECT_EQ(texts(build().lines), (Lines{"A/", kRule, "1. x", "2. y", "", "B/", kRule, "3. p",
                                           "4. q", "5. r", "", "B/Empty/", kRule}));
}

TEST_F(TextListBody, BigListWithThePathInFrontSortsByTheWholeLine) {
    twoFolders();
    setSetting("BigList", "True");
    setSetting("IncludePath", "1");
    setSetting("IncludeFileNums", "1");
    EXPECT_EQ(texts(build().lines), (Lines{"1. Books/" + listed("a.txt", "     100B"),
                                           "2. Books/" + listed("b.txt", "     200B"),
                                           "3. Music/" + listed("alpha.mp3", "      1KB"),
                                           "4. Music/Rock/" + listed("song.mp3", "      1KB"),
                                           "5. Music/" + listed("zebra.mp3", "      3KB")}));
}

TEST_F(TextListBody, PathAtEndLosesBothMarkersWhereTheListShowsIt) {
    record(0, "/m", "M");
    const std::string line = "b.mp3>" + std::string(60, ' ') + " M/Sub/";
    const std::string sized = cached("a.mp3", "      3KB") + ">  M/Sub/";
    cache(0, {"0", "*M/Sub/", line, sized});
    const Lines shown = {"a.mp3" + std::string(60, ' ') + "      3KB  M/Sub/",
                         "b.mp3" + std::string(60, ' ') + " M/Sub/"};
    EXPECT_EQ(texts(build().lines), (Lines{"M/Sub/", kRule, shown[0], shown[1]}));

    setSetting("BigList", "True");
    setSetting("IncludePath", "1");
    setSetting("PathAtEnd", "1");
    EXPECT_EQ(texts(build().lines), shown);

    // Without the path setting a big list keeps a path column it finds.
    setSetting("IncludePath", "0");
    EXPECT_EQ(build().lines[1], "b.mp3>" + std::string(60, ' ') + " M/Sub/");
}

TEST_F(TextListBody, FoldersOnlyIsOneSortedListOfEveryFolder) {
    twoFolders();
    setSetting("IncludeFoldersOnly", "1");
    const ListBody body = build();
    EXPECT_EQ(texts(body.lines), (Lines{"Books/", "Music/", "Music/Rock/"}));
    EXPECT_EQ(body.fileCount, 3);
    EXPECT_EQ(body.totalSize, 5420);
}

TEST_F(TextListBody, RootFoldersOnlyShowsTheFirstLevelBelowEachRoot) {
    record(0, "/home/u/Music", "Music");
    cache(0, {"10", "*Music/", "a", "*Music/Rock/", "b", "*Music/Rock/Old/", "c", "*Music/Pop/"});
    setSetting("IncludeFoldersOnly", "2");
    setSetting("BigList", "True");  // ignored by the folder modes
    const ListBody body = build();
    EXPECT_EQ(texts(body.lines), (Lines{"Music/Pop/", "Music/Rock/"}));
    EXPECT_EQ(body.fileCount, 2);
    EXPECT_EQ(body.totalSize, 10);
}

TEST_F(TextListBody, RootFoldersOfRemovableDisksStartAtEachDisk) {
    record(0, "/media/cd", "CDs", "1");
    cache(0, {"?Disk 1", "5", "*Disk 1/", "*Disk 1/Jazz/", "x", "*Disk 1/Jazz/Cool/", "?Disk 2",
              "7", "*Disk 2/", "*Disk 2/Blues/", "y"});
    setSetting("IncludeFoldersOnly", "2");
    const ListBody body = build();
    EXPECT_EQ(texts(body.lines), (Lines{"Disk 1/Jazz/", "Disk 2/Blues/"}));
    EXPECT_EQ(body.totalSize, 12);
}

TEST_F(TextListBody, DiskBlocksAddEveryDiskTotalAndShowNoHeaders) {
    record(0, "/media/cd", "CDs", "1");
    cache(0, {"?Zip 1", "100", "*CDs/", "one", "?Zip 2", "250", "*CDs/", "two"});
    const ListBody body = build();
    EXPECT_EQ(texts(body.lines), (Lines{"CDs/", kRule, "one", "", "CDs/", kRule, "two"}));
    EXPECT_EQ(body.totalSize, 350);
    EXPECT_EQ(body.fileCount, 2);
}

TEST_F(TextListBody, MissingCacheFileIsReportedAndSkipped) {
    record(0, "/a", "A");
    cache(0, {"0", "*A/", "x"});
    record(1, "/gone", "Gone");
    record(2, "/c", "C");
    cache(2, {"0", "*C/", "y"});
    record(3, "/gone/too", "Too");
    EXPECT_EQ(texts(build().lines), (Lines{"A/", kRule, "x", "", "C/", kRule, "y", ""}));
    ASSERT_EQ(user.boxes().size(), 2u);
    EXPECT_EQ(user.boxes()[0].text,
              "There was a problem opening the file list for the \n/gone directory. Skipped!");
    EXPECT_EQ(user.boxes()[0].caption, "Warning");
}

TEST_F(TextListBody, EmptyCatalogueAndEmptyFoldersGiveNothingToNumber) {
    EXPECT_TRUE(build().lines.empty());
    record(0, "/a", "A");
    cache(0, {"0", "*A/"});
    setSetting("IncludeFileNums", "1");
    const ListBody body = build();
    EXPECT_EQ(texts(body.lines), (Lines{"A/", kRule}));
    EXPECT_EQ(body.fileCount, 0);
}

TEST_F(TextListBody, EscapedNamesAreShownDecodedOnOneLine) {
    record(0, "/m", "100%25 M");  // the user's text, escaped in headings like any name
    cache(0, {"0", "*100%2525 M/", "*100%2525 M/a%2Ab%3E/", cached("x%0Ay.mp3", "x\ny.mp3", "1KB"),
              cached("%3Fq%25.txt", "?q%.txt", "2KB")});
    EXPECT_EQ(texts(build().lines), (Lines{"100%25 M/", kRule, "", "100%25 M/a*b>/", kRule,
                                           listed("?q%.txt", "2KB"), listed("x?y.mp3", "1KB")}));
}

TEST_F(TextListBody, ReadsCacheFilesWithEitherLineEnd) {
    record(0, "/a", "A");
    cacheFile(0, "7\n*A/\nb\r\na");  // LF, CR LF and no end on the last line
    const ListBody body = build();
    EXPECT_EQ(texts(body.lines), (Lines{"A/", kRule, "a", "b"}));
    EXPECT_EQ(body.totalSize, 7);
}

}  // namespace
}  // namespace quor::generate
