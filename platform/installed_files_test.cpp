#include "platform/installed_files.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/testing/temp_tree.h"
#include "platform/program_folder.h"

namespace quor::platform {
namespace {

using quor::testing::TempTree;

TEST(InstalledFiles, TheFirstFolderHoldingTheFileWins) {
    TempTree tree;
    tree.folder("moved/share/quorvane/help/index.html");  // a folder is not the page
    tree.file("usr/share/quorvane/help/index.html", "<html>");
    tree.file("other/share/quorvane/help/index.html", "<html>");
    const std::vector<std::filesystem::path> folders{
        tree.path("missing"), tree.path("moved/share/quorvane"), tree.path("usr/share/quorvane"),
        tree.path("other/share/quorvane")};
    EXPECT_EQ(findInstalledFile("help/index.html", folders),
              tree.path("usr/share/quorvane/help/index.html"));
    EXPECT_EQ(findInstalledFile("help/none.html", folders), std::filesystem::path());
    EXPECT_EQ(findInstalledFile("help/index.html", {}), std::filesystem::path());
}

// The tests run from the build tree, one folder below it, so share/quorvane
// beside their folder is the build tree's own copy of the installed files.
TEST(InstalledFiles, TheBuildTreeFindsItsOwnHelpAndTemplate) {
    const std::filesystem::path index = helpPage();
    ASSERT_FALSE(index.empty()) << "no help beside " << executableFolder();
    EXPECT_EQ(index.filename(), "index.html");
    EXPECT_EQ(index.parent_path().parent_path(), installedFileFolders().front());
    EXPECT_TRUE(isRegularFile(helpPage(kQuorfindHelpPage)));
    EXPECT_TRUE(helpPage("no-such-page.html").empty());

    const Result<std::string> sample = readFile(installedTemplate());
    ASSERT_TRUE(sample) << sample.error();
    for (const char* marker : {"\n<!--header-->\n", "\n<!--list-->\n", "\n<!--footer-->\n"}) {
        EXPECT_NE(sample->find(marker), std::string::npos) << marker;
    }
}

}  // namespace
}  // namespace quor::platform
