#include "common/file_compare.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/testing/temp_tree.h"

namespace quor {
namespace {

using testing::TempTree;

// Three chunks and a bit, so that differences fall at chunk edges too.
std::string longText() {
    std::string text(3 * 65536 + 10, '.');
    for (std::size_t i = 0; i < text.size(); i += 101) {
        text[i] = static_cast<char>('A' + i % 26);
    }
    return text;
}

std::string changedAt(std::string text, std::size_t at) {
    text[at] = '#';
    return text;
}

struct Comparison {
    const char* name;
    std::string onDisk;
    std::string wanted;
    bool same;
};

TEST(FileCompare, TellsEqualBytesFromEveryKindOfDifference) {
    const std::string big = longText();
    const Comparison cases[] = {
        {"both empty", "", "", true},
        {"equal short", "a\r\n", "a\r\n", true},
        {"equal long", big, big, true},
        {"one byte longer", big + "x", big, false},
        {"one byte shorter", big.substr(1), big, false},
        {"differs in the first byte", changedAt(big, 0), big, false},
        {"differs at a chunk edge", changedAt(big, 65535), big, false},
        {"differs after a chunk edge", changedAt(big, 65536), big, false},
        {"differs in the last byte", changedAt(big, big.size() - 1), big, false},
    };
    for (const Comparison& c : cases) {
        TempTree tree;
        const UniqueFd diskFile = openForComparison(tree.file("disk", c.onDisk));
        const UniqueFd wantedFile = openForComparison(tree.file("wanted", c.wanted));
        ASSERT_TRUE(diskFile) << c.name;
        ASSERT_TRUE(wantedFile) << c.name;
        const int disk = diskFile.get();
        const int wanted = wantedFile.get();
        EXPECT_EQ(fileHolds(disk, c.wanted), c.same) << c.name;
        EXPECT_EQ(sameContents(disk, wanted), c.same) << c.name;
        EXPECT_EQ(sameContents(wanted, disk), c.same) << c.name;
        EXPECT_FALSE(sameFile(disk, wanted)) << c.name;
        EXPECT_TRUE(sameFile(disk, disk)) << c.name;
    }
}

// A file in the place of an owned file may be anything: only a regular
// file itself (not through a link) is compared, and a pipe never blocks.
TEST(FileCompare, OpensOnlyRegularFilesThemselves) {
    TempTree tree;
    tree.file("real", "x");
    std::filesystem::create_symlink(tree.path("real"), tree.path("link"));
    ASSERT_EQ(::mkfifo(tree.path("pipe").c_str(), 0600), 0);
    tree.folder("folder");
    for (const char* name : {"link", "pipe", "folder", "missing"}) {
        EXPECT_FALSE(openForComparison(tree.path(name))) << name;
    }
    EXPECT_TRUE(openForComparison(tree.path("real")));
}

}  // namespace
}  // namespace quor
