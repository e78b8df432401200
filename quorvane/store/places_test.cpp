#include "quorvane/store/places.h"

#include <gtest/gtest.h>

#include "common/testing/temp_tree.h"

namespace quor::store {
namespace {

namespace fs = std::filesystem;

TEST(ListOutputFile, NoFileTheProgramsOwnMayBeTheListEvenThroughLinks) {
    quor::testing::TempTree tree;
    const fs::path root = tree.folder("home");
    const Places places(root);
    const fs::path store = tree.folder("config") / "settings.db";
    tree.file("home/data/list.lst", "saved");
    tree.folder("web");
    fs::create_symlink(root, tree.path("web/linked"));
    fs::create_symlink(root / "data" / "list.lst", tree.path("web/list.txt"));
    fs::create_symlink(tree.path("config"), tree.path("web/config"));

    const std::string owned[] = {
        "config/settings.db",
        "config/settings.db-wal",
        "config/settings.db-shm",
        "config/settings.db-journal",
        "web/config/settings.db",
        "home/0.txt",
        "home/12.txt",
        "home/data/list.lst",
        "home/data/new/x.txt",
        "home/Lists/bob.txt",
        "home/header.txt",
        "home/footer.txt",
        "home/Template.html",
        "home/.quorvane.lock",
        "web/../home/data/list0.dat",
        "web/linked/header.txt",
        "web/linked/data/list.lst",
        "web/list.txt",  // a link to a saved list
    };
    for (const std::string& file : owned) {
        const Status checked = places.checkListOutputFile(tree.path(file), store);
        EXPECT_FALSE(checked.ok()) << file;
        if (!checked.ok()) {
            EXPECT_NE(checked.error().find(tree.path(file).string()), std::string::npos);
        }
    }
    const std::string free[] = {
        "web/songs.txt",  "home/list.txt",     "home/0.txt.bak",      "home/x0.txt",
        "home/.txt",      "home/database.txt", "home/templates.html", "home/settings.db",
        "web/header.txt", "config/other.db",
    };
    for (const std::string& file : free) {
        EXPECT_TRUE(places.checkListOutputFile(tree.path(file), store).ok()) << file;
    }
}

TEST(ProgramFolderFiles, HeaderAndFooterAreMadeEmptyOnceAndTheUsersAreKept) {
    quor::testing::TempTree tree;
    const Places places(tree.folder("home"));
    tree.file("home/footer.txt", "my footer");

    ASSERT_TRUE(places.provideHeaderAndFooter().ok());
    EXPECT_TRUE(tree.exists("home/header.txt"));
    EXPECT_EQ(tree.read("home/header.txt"), "");
    EXPECT_EQ(tree.read("home/footer.txt"), "my footer");

    tree.file("home/header.txt", "my header");
    ASSERT_TRUE(places.provideHeaderAndFooter().ok());
    EXPECT_EQ(tree.read("home/header.txt"), "my header");
}

TEST(ProgramFolderFiles, AMissingFolderIsAFailureNamingIt) {
    quor::testing::TempTree tree;
    const Places places(tree.path("missing"));
    const Status made = places.provideHeaderAndFooter();
    ASSERT_FALSE(made.ok());
    EXPECT_NE(made.error().find(tree.path("missing").string()), std::string::npos) << made.error();
}

}  // namespace
}  // namespace quor::store
