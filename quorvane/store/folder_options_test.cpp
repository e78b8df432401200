#include "quorvane/store/folder_options.h"

#include "quorvane/store/store_test_fixture.h"

namespace quor::store {
namespace {

using quor::testing::Box;

class FolderOptionsTest : public testing::StoreTest {
  protected:
    ListContext ctx = context();
};

TEST_F(FolderOptionsTest, LoadsAFixedFolderAndADiskSetWithTheirControlStates) {
    addRecords({"/music", "/media/cdrom"});
    setRecord(1, {"/media/cdrom", "CDs", "1", "1"});
    FolderOptions fixed(ctx, 0);
    EXPECT_EQ(fixed.path, "/music");
    EXPECT_EQ(fixed.pathName, "/music");
    EXPECT_TRUE(fixed.update);
    EXPECT_FALSE(fixed.multipleDisks);
    EXPECT_TRUE(fixed.updateEnabled());
    EXPECT_FALSE(fixed.diskButtonsEnabled());

    FolderOptions disks(ctx, 1);
    EXPECT_EQ(disks.pathName, "CDs");
    EXPECT_TRUE(disks.multipleDisks);
    EXPECT_FALSE(disks.update);  // unticked and disabled for a disk set
    EXPECT_FALSE(disks.updateEnabled());
    EXPECT_TRUE(disks.diskButtonsEnabled());
}

TEST_F(FolderOptionsTest, OkCleansTheDisplayNameUnlessItIsThePathButForCase) {
    addRecords({"/home/ann/Music"});
    const struct {
        const char* typed;
        const char* stored;
        const char* shown;
    } cases[] = {
        {"My Music\\Rock", "My MusicRock", "My MusicRock"},
        {"My*Music?", "MyMusic", "MyMusic"},
        {"/HOME/ANN/MUSIC", "/home/ann/Music", "/HOME/ANN/MUSIC"},
        {"", "/home/ann/Music", ""},
        {"***", "/home/ann/Music", ""},
        {"Müsik", "Müsik", "Müsik"},
    };
    for (const auto& c : cases) {
        FolderOptions options(ctx, 0);
        options.pathName = c.typed;
        EXPECT_TRUE(options.accept());
        EXPECT_EQ(record(0).pathname, c.stored) << c.typed;
        if (std::string(c.typed) != "/HOME/ANN/MUSIC") {
            EXPECT_EQ(options.pathName, c.shown) << c.typed;
        }
    }
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(FolderOptionsTest, OkRefusesAnEmptyPathAndStoresUpdateAndKind) {
    addRecords({"/music"});
    FolderOptions options(ctx, 0);
    options.path = "";
    EXPECT_FALSE(options.accept());
    EXPECT_EQ(user.texts(), std::vector<std::string>{"You must enter a valid path!"});
    EXPECT_EQ(record(0).path, "/music");

    options.path = "/elsewhere/not/checked";
    options.pathName = "Shown";
    options.update = false;
    EXPECT_TRUE(options.accept());
    EXPECT_EQ(record(0), (FolderRecord{"/elsewhere/not/checked", "Shown", "0", "0"}));
}

TEST_F(FolderOptionsTest, TickingMultipleDisksDiscardsTheCacheAndStoresTheKindAtOnce) {
    addRecords({"/media/cdrom"});
    cacheFile(0, "fixed folder listing");
    FolderOptions options(ctx, 0);
    options.multipleDisks = true;
    options.multipleDisksClicked();
    EXPECT_FALSE(existsInHome("0.txt"));
    EXPECT_EQ(record(0).update, "0");
    EXPECT_EQ(record(0).cdrom, "1");
    EXPECT_TRUE(options.diskButtonsEnabled());
    EXPECT_FALSE(options.updateEnabled());
    EXPECT_FALSE(options.update);
    EXPECT_TRUE(user.boxes().empty());
    // Cancel now: the new kind stays stored.
}

TEST_F(FolderOptionsTest, UntickingADiskSetAsksAndNoKeepsEverything) {
    addRecords({"/media/cdrom"});
    setRecord(0, {"/media/cdrom", "CDs", "0", "1"});
    cacheFile(0, "?Disk 1\r\n10\r\n");
    FolderOptions options(ctx, 0);
    user.answerNo();
    options.multipleDisks = false;
    options.multipleDisksClicked();
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].box, Box::Confirm);
    EXPECT_TRUE(user.boxes()[0].defaultNo);
    EXPECT_EQ(user.boxes()[0].text,
              "This will erase any removable disks you\nhave entered for this path.\n"
              "Are you sure you want to do this?");
    EXPECT_TRUE(options.multipleDisks);  // ticked again
    EXPECT_EQ(readCacheFile(0), "?Disk 1\r\n10\r\n");
    EXPECT_EQ(record(0).cdrom, "1");

    user.answerYes();
    options.multipleDisks = false;
    options.multipleDisksClicked();
    EXPECT_FALSE(existsInHome("0.txt"));
    EXPECT_EQ(record(0).update, "1");
    EXPECT_EQ(record(0).cdrom, "0");
    EXPECT_TRUE(options.update);
    EXPECT_TRUE(options.updateEnabled());
    EXPECT_FALSE(options.diskButtonsEnabled());
}

TEST_F(FolderOptionsTest, AddAllAsksWithNoAsDefaultOnlyWhenThereAreDisksToErase) {
    addRecords({"/media/cdrom"});
    setRecord(0, {"/media/cdrom", "CDs", "0", "1"});
    FolderOptions options(ctx, 0);
    EXPECT_FALSE(options.hasDisks());
    EXPECT_TRUE(options.confirmAddAll());  // nothing read yet: nothing to erase
    cacheFile(0, "");
    EXPECT_FALSE(options.hasDisks());
    EXPECT_TRUE(options.confirmAddAll());
    EXPECT_TRUE(user.boxes().empty());

    cacheFile(0, "?Disk 1\r\n10\r\n");
    EXPECT_TRUE(options.hasDisks());
    user.answerNo();
    user.answerYes();
    EXPECT_FALSE(options.confirmAddAll());
    EXPECT_TRUE(options.confirmAddAll());
    ASSERT_EQ(user.boxes().size(), 2u);
    for (const auto& asked : user.boxes()) {
        EXPECT_EQ(asked.box, Box::Confirm);
        EXPECT_TRUE(asked.defaultNo);
        EXPECT_EQ(asked.text, kEraseDisksQuestion);
    }
}

TEST_F(FolderOptionsTest, UntickingASetWithoutDisksSwitchesWithoutAsking) {
    addRecords({"/media/cdrom"});
    setRecord(0, {"/media/cdrom", "CDs", "0", "1"});
    FolderOptions options(ctx, 0);
    options.multipleDisks = false;
    options.multipleDisksClicked();
    EXPECT_TRUE(user.boxes().empty());
    EXPECT_EQ(record(0).cdrom, "0");
    EXPECT_EQ(record(0).update, "1");
    EXPECT_TRUE(options.updateEnabled());
}

}  // namespace
}  // namespace quor::store
