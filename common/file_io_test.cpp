#include "common/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/testing/temp_tree.h"

namespace quor {
namespace {

using testing::TempTree;

TEST(WriteFileAtomically, CreatesAndReplacesWholeFiles) {
    TempTree tree;
    const auto file = tree.path("list.txt");
    ASSERT_TRUE(writeFileAtomically(file, "first\r\n"));
    EXPECT_EQ(tree.read("list.txt"), "first\r\n");
    ASSERT_TRUE(writeFileAtomically(file, "second"));
    EXPECT_EQ(tree.read("list.txt"), "second");
    ASSERT_TRUE(writeFileAtomically(file, ""));
    EXPECT_EQ(tree.read("list.txt"), "");
}

TEST(WriteFileAtomically, LeavesNoTemporaryFileBehind) {
    TempTree tree;
    ASSERT_TRUE(writeFileAtomically(tree.path("a.txt"), "x"));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(tree.root())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(WriteFileAtomically, KeepsThePermissionsOfTheFileItReplaces) {
    TempTree tree;
    const auto file = tree.file("script.sh", "old");
    ::chmod(file.c_str(), 0750);
    ASSERT_TRUE(writeFileAtomically(file, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0750u);
}

TEST(WriteFileAtomically, AFailureNamesTheFileAndKeepsTheOldContents) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root may write into a read-only folder";
    }
    TempTree tree;
    const auto file = tree.file("locked/list.txt", "old");
    ::chmod(tree.path("locked").c_str(), 0555);
    Status written = writeFileAtomically(file, "new");
    ASSERT_FALSE(written);
    EXPECT_NE(written.error().find("locked"), std::string::npos) << written.error();
    EXPECT_EQ(tree.read("locked/list.txt"), "old");
}

TEST(WriteFileAtomically, AMissingFolderIsAnErrorNotACrash) {
    TempTree tree;
    Status written = writeFileAtomically(tree.path("no/such/folder/x.txt"), "x");
    ASSERT_FALSE(written);
    EXPECT_NE(written.error().find("no/such/folder"), std::string::npos) << written.error();
}

TEST(FileOperations, CopyRenameAndRemove) {
    TempTree tree;
    tree.file("a.txt", "contents");
    ASSERT_TRUE(copyFileAtomically(tree.path("a.txt"), tree.path("b.txt")));
    EXPECT_EQ(tree.read("b.txt"), "contents");
    ASSERT_TRUE(renameFile(tree.path("b.txt"), tree.path("c.txt")));
    EXPECT_FALSE(tree.exists("b.txt"));
    EXPECT_EQ(tree.read("c.txt"), "contents");
    ASSERT_TRUE(removeFileIfExists(tree.path("c.txt")));
    ASSERT_TRUE(removeFileIfExists(tree.path("c.txt")));  // missing is fine
    EXPECT_FALSE(tree.exists("c.txt"));

    Status missing = copyFileAtomically(tree.path("nothing.txt"), tree.path("d.txt"));
    EXPECT_FALSE(missing);
    EXPECT_FALSE(tree.exists("d.txt"));
    Result<std::string> read = readFile(tree.path("nothing.txt"));
    ASSERT_FALSE(read);
    EXPECT_NE(read.error().find("nothing.txt"), std::string::npos);
}

TEST(FileOperations, ReadsLargeFilesWhole) {
    TempTree tree;
    std::string big(300000, 'x');
    big[123456] = 'y';
    tree.file("big.bin", big);
    Result<std::string> read = readFile(tree.path("big.bin"));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, big);
}

// Owned files can be swapped by hand or by another program: a pipe in
// their place must not hang a reader, nor a device fill memory.
TEST(FileOperations, ReadsOnlyRegularFiles) {
    TempTree tree;
    ASSERT_EQ(::mkfifo(tree.path("pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", tree.path("zero"));
    tree.folder("folder");
    for (const char* name : {"pipe", "zero", "folder"}) {
        const Result<std::string> read = readFile(tree.path(name));
        ASSERT_FALSE(read) << name;
        EXPECT_NE(read.error().find(name), std::string::npos) << read.error();
    }
    EXPECT_FALSE(copyFileAtomically(tree.path("pipe"), tree.path("copy")));
    EXPECT_FALSE(std::filesystem::exists(tree.path("copy")));
}

TEST(FileOperations, AFileOverItsLimitIsRefused) {
    TempTree tree;
    tree.file("nine", std::string(9, 'x'));
    EXPECT_TRUE(readFile(tree.path("nine"), 9));
    const Result<std::string> read = readFile(tree.path("nine"), 8);
    ASSERT_FALSE(read);
    EXPECT_NE(read.error().find("too large"), std::string::npos) << read.error();
}

TEST(CopyFileIfMissing, CopiesOnceAndNeverReplacesWhatIsThere) {
    TempTree tree;
    tree.file("sample.html", "<!--list-->");
    Result<bool> first = copyFileIfMissing(tree.path("sample.html"), tree.path("mine.html"));
    ASSERT_TRUE(first) << first.error();
    EXPECT_TRUE(*first);
    EXPECT_EQ(tree.read("mine.html"), "<!--list-->");

    tree.file("mine.html", "my own page");
    Result<bool> again = copyFileIfMissing(tree.path("sample.html"), tree.path("mine.html"));
    ASSERT_TRUE(again);
    EXPECT_FALSE(*again);
    EXPECT_EQ(tree.read("mine.html"), "my own page");

    // A dangling link is the user's too: it is left alone, not followed.
    std::filesystem::create_symlink(tree.path("elsewhere.html"), tree.path("link.html"));
    Result<bool> linked = copyFileIfMissing(tree.path("sample.html"), tree.path("link.html"));
    ASSERT_TRUE(linked);
    EXPECT_FALSE(*linked);
    EXPECT_FALSE(tree.exists("elsewhere.html"));

    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(tree.root())) {
        ++entries;
    }
    EXPECT_EQ(entries, 3);  // no temporary file left behind
}

TEST(CopyFileIfMissing, AMissingSourceIsAnErrorAndCreatesNothing) {
    TempTree tree;
    Result<bool> copied = copyFileIfMissing(tree.path("none.html"), tree.path("mine.html"));
    ASSERT_FALSE(copied);
    EXPECT_NE(copied.error().find("none.html"), std::string::npos) << copied.error();
    EXPECT_FALSE(tree.exists("mine.html"));
}

}  // namespace
}  // namespace quor
