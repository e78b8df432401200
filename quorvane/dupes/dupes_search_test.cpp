#include "quorvane/dupes/dupes_search.h"

#include <gtest/gtest.h>

#include "common/testing/temp_tree.h"
#include "quorvane/dupes/dupes_options.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor::dupes {
namespace {

using quor::testing::crlf;
using Rows = std::vector<std::string>;

class DupesSearchTest : public quor::testing::StoreTest {
  protected:
    DupesSearchTest() {
        setSetting(store::kNumFiles, "100");
        setSetting(kDupesSlider, "0");
    }

    DupesSearchResult search() {
        return searchDuplicates(
            context(), [this](bool on) { states.push_back(on); },
            [this](const DupesRows& soFar) { listed.push_back(soFar.rows.size()); });
    }

    std::vector<bool> states;
    std::vector<std::size_t> listed;  // rows listed when each pair was reported
};

TEST_F(DupesSearchTest, RefusesWithoutAListOfAtLeastTwoFiles) {
    for (const char* numFiles : {"", "1", "1.9", "abc"}) {
        setSetting(store::kNumFiles, numFiles);
        const DupesSearchResult result = search();
        EXPECT_TRUE(result.refused) << numFiles;
        EXPECT_TRUE(result.list.rows.empty());
    }
    store->remove(store::kQuorvane, store::kSettings, store::kNumFiles.key);
    EXPECT_TRUE(search().refused);
    ASSERT_EQ(user.boxes().size(), 5U);
    EXPECT_EQ(user.boxes()[4].text, "You must first create a list!");
    EXPECT_EQ(user.boxes()[4].caption, "Notice");
    EXPECT_TRUE(states.empty());
}

TEST_F(DupesSearchTest, ThreeMutualMatchesGiveTwoPairsWithSeparators) {
    addRecords({"/m"});
    cacheFile(0, crlf("30\n*Music/\nabc.mp3*      1KB\nOther.txt\ncab.MP3*      2KB\n"
                      "*Music/Sub/\nb_c_a.mp3>  Music/Sub/\n"));
    const DupesSearchResult result = search();
    EXPECT_FALSE(result.refused);
    EXPECT_EQ(result.pairCount, 2);
    EXPECT_EQ(result.list.rows, (Rows{"Music/abc.mp3  1KB", "Music/cab.MP3  2KB", "",
                                      "Music/cab.MP3  2KB", "Music/Sub/b_c_a.mp3", ""}));
    EXPECT_EQ(result.list.rowMap,
              (Rows{"Music/abc.mp3*      1KB", "Music/cab.MP3*      2KB", "",
                    "Music/cab.MP3*      2KB", "Music/Sub/b_c_a.mp3>  Music/Sub/", ""}));
    EXPECT_EQ(user.statuses(),
              (Rows{"", "Found 1 possible duplicate files.", "Found 2 possible duplicate files."}));
    EXPECT_EQ(states, (std::vector<bool>{true, false}));
    EXPECT_EQ(listed, (std::vector<std::size_t>{3, 6}));
    EXPECT_EQ(user.busyDepth(), 0);
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(DupesSearchTest, TheToleranceComesFromTheSlider) {
    addRecords({"/a", "/b"});
    cacheFile(0, crlf("0\n*A/\nsong.mp3\ntrack01.mp3\n"));
    cacheFile(1, crlf("0\n*B/\nsong.wav\ntrack02.mp3\n"));
    setSetting(kDupesSlider, "1");
    EXPECT_EQ(search().list.rows, (Rows{"No duplicate files found."}));
    setSetting(kDupesSlider, "2");
    EXPECT_EQ(search().list.rows, (Rows{"A/track01.mp3", "B/track02.mp3", ""}));
    setSetting(kDupesSlider, "4");  // song.mp3 and song.wav stay six apart
    EXPECT_EQ(search().pairCount, 1);
}

TEST_F(DupesSearchTest, NamesAreDecodedBeforeTheyAreCountedOrShown) {
    addRecords({"/a"});
    cacheFile(0, crlf("0\n*100%25/\nx%3Fy.mp3*  1KB\nxy.mp3\n"));
    const DupesSearchResult result = search();
    EXPECT_EQ(result.list.rows, (Rows{"100%/x?y.mp3  1KB", "100%/xy.mp3", ""}));
    EXPECT_EQ(result.list.rowMap[0], "100%25/x%3Fy.mp3*  1KB");
}

TEST_F(DupesSearchTest, RemovableSetsTakePartUnlessExcluded) {
    addRecords({"/fixed", "/media/cd"});
    setRecord(1, {"/media/cd", "Disk 2", "0", "1"});
    cacheFile(0, crlf("0\n*Fixed/\nsong.mp3\n"));
    cacheFile(1, crlf("?Disk 1\n10\n*Disk 1/\nSONG.mp3\n?Disk 2\n20\n*Disk 2/\nso ng.mp3\n"));
    DupesSearchResult result = search();
    EXPECT_EQ(result.list.rows, (Rows{"Fixed/song.mp3", "Disk 1/SONG.mp3", "", "Disk 1/SONG.mp3",
                                      "Disk 2/so ng.mp3", ""}));

    setSetting(kDupesIncludeRemovables, "0");
    cacheFile(0, crlf("0\n*Fixed/\nsong.mp3\nother.mp3\n"));
    EXPECT_EQ(search().list.rows, (Rows{"No duplicate files found."}));
    setRecord(0, {"/fixed", "Fixed", "1", "1"});  // every folder left out
    EXPECT_EQ(search().list.rows, (Rows{"No duplicate files found."}));
}

TEST_F(DupesSearchTest, MissingCacheFilesArePassedOverAndTheStoreGrows) {
    addRecords({"/a", "/gone", "/c"});
    setSetting(store::kNumFiles, "2");  // the catalogue has grown since the last build
    cacheFile(0, crlf("0\n*A/\none.txt\ntwo.txt\nthree.txt\n\n"));
    cacheFile(2, crlf("0\n*C/\nfour.txt\nfive.txt\nthree.txt\n"));
    const DupesSearchResult result = search();
    EXPECT_EQ(result.list.rows, (Rows{"A/three.txt", "C/three.txt", ""}));
    EXPECT_EQ(user.polls(), 3 + 6);  // after each folder and after each entry
}

TEST_F(DupesSearchTest, AStopWhileReadingEndsAfterTheCurrentFolder) {
    addRecords({"/a", "/b"});
    cacheFile(0, crlf("0\n*A/\nx.txt\nx.txt\ny.txt\ny.txt\n"));
    cacheFile(1, crlf("0\n*B/\nz.txt\nz.txt\n"));
    user.stopAtPoll(1);
    const DupesSearchResult result = search();
    // The first entry is still compared, then the request is honoured.
    EXPECT_EQ(result.list.rows, (Rows{"A/x.txt", "A/x.txt", ""}));
    EXPECT_EQ(user.polls(), 2);
    EXPECT_EQ(states, (std::vector<bool>{true, false}));
}

TEST_F(DupesSearchTest, AFailureIsReportedAndNothingIsCompared) {
    addRecords({"/a"});
    cacheFile(0, crlf("0\n*A/\nx.txt\nx.txt\n"));
    setSetting(store::kNumPaths, "99999");
    const DupesSearchResult result = search();
    EXPECT_EQ(result.list.rows, (Rows{"No duplicate files found."}));
    ASSERT_EQ(user.boxes().size(), 1U);
    EXPECT_EQ(user.boxes()[0].text, "There was a problem opening the file list!");
    EXPECT_NE(user.boxes()[0].caption.find("Overflow"), std::string::npos);
    EXPECT_EQ(user.busyDepth(), 0);
}

TEST_F(DupesSearchTest, OptionsAreReadAndStoredAsTheDialogShowsThem) {
    store->remove(store::kQuorvane, store::kSettings, kDupesSlider.key);
    EXPECT_EQ(readDupesOptions(settings()), (DupesOptions{3, true}));
    struct Case {
        const char* slider;
        const char* removables;
        DupesOptions expected;
    };
    const Case cases[] = {
        {"0", "0", {0, false}}, {"4", "1", {4, true}},   {"9", "2", {4, true}},
        {"-3", "", {0, false}}, {"2.6", "1", {3, true}},
    };
    for (const Case& c : cases) {
        setSetting(kDupesSlider, c.slider);
        setSetting(kDupesIncludeRemovables, c.removables);
        EXPECT_EQ(readDupesOptions(settings()), c.expected) << c.slider;
    }
    auto s = settings();
    saveDupesOptions(s, {1, false});
    EXPECT_EQ(setting(kDupesSlider), "1");
    EXPECT_EQ(setting(kDupesIncludeRemovables), "0");
    saveDupesOptions(s, {4, true});
    EXPECT_EQ(readDupesOptions(settings()), (DupesOptions{4, true}));
}

}  // namespace
}  // namespace quor::dupes
