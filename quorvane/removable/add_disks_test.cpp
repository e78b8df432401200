#include "quorvane/removable/add_disks.h"

#include "quorvane/store/store_test_fixture.h"

namespace quor::removable {
namespace {

using generate::RemovableDiskState;

class AddDisksTest : public quor::testing::StoreTest {
  protected:
    AddDisksTest() {
        addRecords({drive()});
        setRecord(0, {drive(), "Disk 1", "0", "1"});
    }

    std::string drive() { return home.path("drive").string(); }

    // Puts a disk with the given files into the drive.
    void insertDisk(const std::vector<std::string>& files) {
        std::filesystem::remove_all(home.path("drive"));
        home.folder("drive");
        for (const std::string& file : files) {
            home.file("drive/" + file, "x");
        }
    }

    store::ListContext ctx = context();
};

TEST_F(AddDisksTest, AddAllReplacesTheSetAndAddNewAppendsInNameOrder) {
    RemovableDiskState state{0, true, false};
    {
        AddDisks addAll(ctx, state);
        EXPECT_EQ(addAll.caption(), "Add All Disks for " + drive());
        insertDisk({"b.txt"});
        ASSERT_TRUE(addAll.add("Zip B"));
        insertDisk({"a.txt"});
        ASSERT_TRUE(addAll.add("Zip A"));
        addAll.done();
    }
    EXPECT_EQ(readCacheFile(0),
              "?Zip A\r\n1\r\n*Zip A/\r\na.txt\r\n?Zip B\r\n1\r\n*Zip B/\r\nb.txt\r\n");

    RemovableDiskState again{0, true, false};
    {
        AddDisks addAll(ctx, again);
        insertDisk({"c.txt"});
        ASSERT_TRUE(addAll.add("Zip C"));
        addAll.done();
    }
    EXPECT_EQ(readCacheFile(0), "?Zip C\r\n1\r\n*Zip C/\r\nc.txt\r\n");

    RemovableDiskState addNew{0, false, true};
    AddDisks dialog(ctx, addNew);
    EXPECT_EQ(dialog.caption(), "Add New Disks for " + drive());
    EXPECT_EQ(dialog.disks(), std::vector<std::string>{"Zip C"});
    insertDisk({"a.txt"});
    ASSERT_TRUE(dialog.add("Zip A"));
    dialog.done();
    EXPECT_EQ(readCacheFile(0),
              "?Zip A\r\n1\r\n*Zip A/\r\na.txt\r\n?Zip C\r\n1\r\n*Zip C/\r\nc.txt\r\n");
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(AddDisksTest, SuggestsTheNextDiskNumberAndCleansNames) {
    RemovableDiskState state{0, true, true};
    AddDisks dialog(ctx, state);
    EXPECT_EQ(dialog.prompt(), "Enter a name for disk 1:");
    EXPECT_EQ(dialog.suggestedName(), "Disk 1");
    insertDisk({"a.txt"});
    ASSERT_TRUE(dialog.add("CD:1/2"));
    EXPECT_EQ(dialog.disks(), std::vector<std::string>{"CD:12"});
    ASSERT_TRUE(dialog.add("Disk 2"));
    EXPECT_EQ(dialog.suggestedName(), "Disk 3");
    EXPECT_EQ(dialog.prompt(), "Enter a name for disk 3:");
    EXPECT_EQ(record(0).pathname, "Disk 2");  // the name of the disk read last
}

TEST_F(AddDisksTest, RefusesEmptyAndRepeatedNames) {
    RemovableDiskState state{0, true, true};
    AddDisks dialog(ctx, state);
    insertDisk({"a.txt"});
    EXPECT_FALSE(dialog.add(""));
    ASSERT_TRUE(dialog.add("Disk 1"));
    EXPECT_FALSE(dialog.add("Disk 1"));
    EXPECT_FALSE(dialog.add("Disk *1"));  // cleaned to the same name
    EXPECT_TRUE(dialog.add("disk 1"));    // names compare exactly
    EXPECT_EQ(user.texts(), (std::vector<std::string>{"You must enter a name for this disk!",
                                                      "There is already a disk with this name!",
                                                      "There is already a disk with this name!"}));
}

TEST_F(AddDisksTest, AnUnreadableDriveIsAskedAboutAndCancelKeepsTheSet) {
    RemovableDiskState state{0, true, true};
    AddDisks dialog(ctx, state);
    std::filesystem::remove_all(home.path("drive"));
    user.answerNo();                  // Cancel the retry question
    (void)dialog.add("Empty drive");  // what it returns is not the point here: the boxes are
    ASSERT_FALSE(user.boxes().empty());
    EXPECT_EQ(user.boxes()[0].text.rfind("There was an error reading " + drive(), 0), 0u);
}

}  // namespace
}  // namespace quor::removable
