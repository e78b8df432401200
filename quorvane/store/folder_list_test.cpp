#include "quorvane/store/folder_list.h"

#include <sys/stat.h>
#include <unistd.h>

#include "quorvane/store/store_test_fixture.h"

namespace quor::store {
namespace {

using quor::testing::Box;

class FolderListTest : public testing::StoreTest {
  protected:
    ListContext ctx = context();

    std::vector<std::string> rows() { return folderListRows(settings()); }
};

TEST_F(FolderListTest, AddFolderCreatesARecordAndRefusesAnExactDuplicate) {
    EXPECT_EQ(addFolder(ctx, "/home/ann/Music"), 0);
    EXPECT_EQ(readFolderRecord(settings(), 0),
              (FolderRecord{"/home/ann/Music", "/home/ann/Music", "1", "0"}));
    EXPECT_EQ(setting("NumPaths"), "1");

    EXPECT_EQ(addFolder(ctx, "/home/ann/Music"), std::nullopt);
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].text, "That folder has already been added!");
    EXPECT_EQ(user.boxes()[0].caption, "Notice");

    EXPECT_EQ(addFolder(ctx, "/home/ann/music"), 1);  // the comparison is exact
    EXPECT_EQ(addFolder(ctx, ""), std::nullopt);      // the browser was cancelled
    EXPECT_EQ(rows(), (std::vector<std::string>{"/home/ann/Music", "/home/ann/music"}));
    EXPECT_EQ(user.boxes().size(), 1u);
}

TEST_F(FolderListTest, RemovingTheFirstRecordRenumbersRecordsAndCacheFiles) {
    addRecords({"/a", "/b", "/c"});
    cacheFile(0, "listing a");
    cacheFile(1, "listing b");
    cacheFile(2, "listing c");
    user.answerYes();
    EXPECT_TRUE(removeFolder(ctx, 0));
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].box, Box::Confirm);
    EXPECT_TRUE(user.boxes()[0].defaultNo);
    EXPECT_EQ(user.boxes()[0].text,
              "Are you sure you want to remove the folder: \n/a\nfrom your list?");
    EXPECT_EQ(user.boxes()[0].caption, "Warning");
    EXPECT_EQ(rows(), (std::vector<std::string>{"/b", "/c"}));
    EXPECT_EQ(setting("NumPaths"), "2");
    EXPECT_TRUE(store->keys(kQuorvane, "2").empty());
    EXPECT_EQ(readCacheFile(0), "listing b");
    EXPECT_EQ(readCacheFile(1), "listing c");
    EXPECT_FALSE(existsInHome("2.txt"));
}

TEST_F(FolderListTest, RemovingTheLastRecordTouchesOnlyItsOwnSectionAndFile) {
    addRecords({"/a", "/b"});
    cacheFile(0, "listing a");
    cacheFile(1, "listing b");
    user.answerYes();
    EXPECT_TRUE(removeFolder(ctx, 1));
    EXPECT_EQ(rows(), (std::vector<std::string>{"/a"}));
    EXPECT_EQ(readCacheFile(0), "listing a");
    EXPECT_FALSE(existsInHome("1.txt"));
    EXPECT_TRUE(store->keys(kQuorvane, "1").empty());
}

TEST_F(FolderListTest, RemovingSkipsMissingCacheFilesAndNoChangesNothing) {
    addRecords({"/a", "/b", "/c"});
    cacheFile(2, "listing c");
    user.answerNo();
    EXPECT_FALSE(removeFolder(ctx, 1));
    EXPECT_EQ(rows().size(), 3u);
    EXPECT_EQ(readCacheFile(2), "listing c");

    user.answerYes();
    EXPECT_TRUE(removeFolder(ctx, 1));
    EXPECT_EQ(rows(), (std::vector<std::string>{"/a", "/c"}));
    EXPECT_FALSE(existsInHome("0.txt"));
    EXPECT_EQ(readCacheFile(1), "listing c");
    EXPECT_FALSE(existsInHome("2.txt"));
}

TEST_F(FolderListTest, NoSelectionGivesTheNoticeAndChangesNothing) {
    addRecords({"/a"});
    EXPECT_FALSE(removeFolder(ctx, std::nullopt));
    EXPECT_FALSE(moveFolderUp(ctx, std::nullopt));
    EXPECT_FALSE(moveFolderDown(ctx, std::nullopt));
    EXPECT_FALSE(checkFolderSelected(ctx, std::nullopt));
    EXPECT_TRUE(checkFolderSelected(ctx, 0));
    EXPECT_EQ(user.texts(), (std::vector<std::string>{"You must first select a folder to remove!",
                                                      "You must first select a folder to move it!",
                                                      "You must first select a folder to move it!",
                                                      "You must select a folder first!"}));
    EXPECT_EQ(rows(), (std::vector<std::string>{"/a"}));
}

TEST_F(FolderListTest, MovesSwapRecordsAndCacheFilesThroughATemporaryName) {
    addRecords({"/a", "/b", "/c"});
    cacheFile(0, "listing a");
    cacheFile(1, "listing b");
    EXPECT_TRUE(moveFolderUp(ctx, 1));
    EXPECT_EQ(rows(), (std::vector<std::string>{"/b", "/a", "/c"}));
    EXPECT_EQ(readCacheFile(0), "listing b");
    EXPECT_EQ(readCacheFile(1), "listing a");
    EXPECT_TRUE(moveFolderDown(ctx, 1));
    EXPECT_EQ(rows(), (std::vector<std::string>{"/b", "/c", "/a"}));
    EXPECT_FALSE(existsInHome("1.txt"));  // /c had no cache file
    EXPECT_EQ(readCacheFile(2), "listing a");
    EXPECT_FALSE(existsInHome("1_temp.txt"));
    EXPECT_FALSE(existsInHome("2_temp.txt"));
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(FolderListTest, MovingRecordThreeUpWhenOnlyItHasACacheFile) {
    addRecords({"/a", "/b", "/c", "/d"});
    cacheFile(3, "listing d");
    EXPECT_TRUE(moveFolderUp(ctx, 3));
    EXPECT_EQ(readCacheFile(2), "listing d");
    EXPECT_FALSE(existsInHome("3.txt"));
    EXPECT_EQ(readFolderRecord(settings(), 2).path, "/d");
}

TEST_F(FolderListTest, MovesAtTheEdgesDoNothingAndShowNothing) {
    addRecords({"/a", "/b"});
    EXPECT_FALSE(moveFolderUp(ctx, 0));
    EXPECT_FALSE(moveFolderDown(ctx, 1));
    EXPECT_EQ(rows(), (std::vector<std::string>{"/a", "/b"}));
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(FolderListTest, AFailedRenameCompletesTheRecordsAndLeavesNoFileUnderAWrongIndex) {
    addRecords({"/a", "/b", "/c"});
    cacheFile(1, "listing b");
    cacheFile(2, "listing c");
    // A non-empty folder named 0.txt can be neither deleted nor replaced by
    // a file, so moving 1.txt to 0.txt fails.
    std::filesystem::create_directories(home.home() / "0.txt" / "inside");
    user.answerYes();
    EXPECT_TRUE(removeFolder(ctx, 0));
    EXPECT_EQ(rows(), (std::vector<std::string>{"/b", "/c"}));
    EXPECT_EQ(setting("NumPaths"), "2");
    // 1.txt (the listing of /b, now record 0) could not move to 0.txt: it
    // was removed rather than left to describe /c.
    EXPECT_EQ(readCacheFile(1), "listing c");
    EXPECT_FALSE(existsInHome("2.txt"));
    ASSERT_EQ(user.boxes().size(), 2u);
    EXPECT_EQ(user.boxes()[1].text.rfind("There was a problem reordering the folders!\n", 0), 0u);
    EXPECT_NE(user.boxes()[1].text.find("1.txt"), std::string::npos) << user.boxes()[1].text;
}

}  // namespace
}  // namespace quor::store
