#include "quorvane/removable/removable_disks.h"

#include "quorvane/store/store_test_fixture.h"

namespace quor::removable {
namespace {

class RemovableDisksTest : public quor::testing::StoreTest {
  protected:
    store::ListContext ctx = context();

    // Record i as a disk set with the given cache file.
    void diskSet(int i, std::string_view cache) {
        while (store::numPaths(settings()) <= i) {
            addRecords({"/media/drive" + std::to_string(store::numPaths(settings()))});
        }
        setRecord(i, {"/media/drive" + std::to_string(i), "Disk", "0", "1"});
        cacheFile(i, cache);
    }
};

TEST_F(RemovableDisksTest, WithoutDiskSetsTheListHasOnlyThePlaceholder) {
    addRecords({"/music"});
    cacheFile(0, "5\r\n*/music/\r\na.mp3\r\n");
    const DiskList list = fillDiskList(ctx);
    EXPECT_EQ(list.rows, std::vector<std::string>{std::string(kNoDisksRow)});
    EXPECT_EQ(list.statusText(), "Number of disks: 0");
}

TEST_F(RemovableDisksTest, ListsEveryDiskOfEverySetSorted) {
    diskSet(0, "?zip 2\r\n1\r\n?Zip 1\r\n1\r\n");
    diskSet(1, "?CD\r\n0\r\n");
    const DiskList list = fillDiskList(ctx);
    EXPECT_EQ(list.rows, (std::vector<std::string>{"CD", "Zip 1", "zip 2"}));
    EXPECT_EQ(list.diskCount, 3);
}

TEST_F(RemovableDisksTest, ViewShowsTheDisksFilesSortedWithoutHeadings) {
    diskSet(
        0,
        "?Disk 1\r\n3\r\n*Disk 1/\r\nzeta.txt*       1KB\r\n*Disk 1/sub/\r\nAlpha.txt*      2KB\r\n"
        "?Disk 2\r\n1\r\n*Disk 2/\r\nother.txt\r\n");
    const auto view = viewDisk(ctx, std::string("Disk 1"));
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->caption, "List of disk: Disk 1");
    EXPECT_EQ(view->text, "Alpha.txt      2KB\nzeta.txt       1KB");
    EXPECT_FALSE(viewDisk(ctx, std::string("Missing")).has_value());
    EXPECT_FALSE(viewDisk(ctx, std::nullopt).has_value());
    EXPECT_EQ(user.texts(), std::vector<std::string>{"You must select a disk first!"});
}

TEST_F(RemovableDisksTest, DeletingTheOnlyDiskRemovesTheFile) {
    diskSet(0, "?Disk 1\r\n1\r\n*Disk 1/\r\na.txt\r\n");
    user.answerYes();
    const DiskList list = deleteDisk(ctx, std::string("Disk 1"));
    EXPECT_EQ(list.diskCount, 0);
    EXPECT_FALSE(existsInHome("0.txt"));
    EXPECT_EQ(user.boxes()[0].text, "Are you sure you want to delete Disk 1\nfrom the list?");
    EXPECT_TRUE(user.boxes()[0].defaultNo);
}

TEST_F(RemovableDisksTest, DeletingADiskKeepsTheOtherBlocksAndOtherSets) {
    diskSet(0, "?Disk 1\r\n1\r\n*Disk 1/\r\na.txt\r\n\r\n?Disk 2\r\n2\r\n*Disk 2/\r\nb.txt\r\n");
    diskSet(1, "?Other\r\n1\r\n");
    user.answerNo();
    deleteDisk(ctx, std::string("Disk 1"));
    EXPECT_EQ(fillDiskList(ctx).diskCount, 3);
    user.answerYes();
    const DiskList list = deleteDisk(ctx, std::string("Disk 1"));
    EXPECT_EQ(list.diskCount, 2);
    EXPECT_EQ(readCacheFile(0), "?Disk 2\r\n2\r\n*Disk 2/\r\nb.txt\r\n");
    user.answerYes();
    deleteDisk(ctx, std::string("Disk 2"));
    EXPECT_EQ(readCacheFile(0), "");  // another set still holds a disk
    deleteDisk(ctx, std::string(kNoDisksRow));
    EXPECT_EQ(user.unscriptedQuestions(), 0);
}

TEST_F(RemovableDisksTest, RenameChangesOnlyTheDisksOwnBlockAndKeepsNameOrder) {
    diskSet(0,
            "?Disk 1\r\n1\r\n*Disk 1/\r\na.txt\r\n*disk 1/sub/\r\nb.txt\r\n"
            "?Disk 10\r\n1\r\n*Disk 10/\r\nc.txt\r\n?Disk 2\r\n1\r\n*Disk 2/\r\nd.txt\r\n");
    const DiskList list = renameDisk(ctx, std::string("Disk 1"), "Music");
    EXPECT_EQ(list.rows, (std::vector<std::string>{"Disk 10", "Disk 2", "Music"}));
    EXPECT_EQ(readCacheFile(0),
              "?Disk 10\r\n1\r\n*Disk 10/\r\nc.txt\r\n?Disk 2\r\n1\r\n*Disk 2/\r\nd.txt\r\n"
              "?Music\r\n1\r\n*Music/\r\na.txt\r\n*Music/sub/\r\nb.txt\r\n");
}

TEST_F(RemovableDisksTest, DiskNamesAreDecodedForShowingAndEncodedWhenWritten) {
    diskSet(0, "?100%25 Pop\r\n1\r\n*100%25 Pop/\r\na%2Ab.mp3\r\n");
    EXPECT_EQ(fillDiskList(ctx).rows, std::vector<std::string>{"100% Pop"});
    const auto view = viewDisk(ctx, std::string("100% Pop"));
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->text, "a*b.mp3");
    renameDisk(ctx, std::string("100% Pop"), "50% Rock");
    EXPECT_EQ(readCacheFile(0), "?50%25 Rock\r\n1\r\n*50%25 Rock/\r\na%2Ab.mp3\r\n");
}

TEST_F(RemovableDisksTest, RenameToANameTheSetHasIsRefused) {
    const std::string cache = "?Disk 1\r\n1\r\n?Disk 2\r\n1\r\n";
    diskSet(0, cache);
    renameDisk(ctx, std::string("Disk 1"), "Disk 2");
    EXPECT_EQ(user.texts(), std::vector<std::string>{"There is already a disk with this name!"});
    EXPECT_EQ(readCacheFile(0), cache);
    renameDisk(ctx, std::string("Disk 1"), "");
    renameDisk(ctx, std::string("Disk 1"), "Disk 1");
    EXPECT_EQ(readCacheFile(0), cache);
}

}  // namespace
}  // namespace quor::removable
