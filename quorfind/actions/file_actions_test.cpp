#include "quorfind/actions/file_actions.h"

#include <gtest/gtest.h>

#include "quorfind/actions/action_test_fixture.h"

namespace quor::find {
namespace {

using testing::ActionTest;

TEST_F(ActionTest, DeleteAskedOnceAndNoChangesNothing) {
    const std::vector<SearchRow> rows = {row("Music/a.mp3"), row("Music/Rock/b.mp3")};
    user.answerNo();
    EXPECT_EQ(deleteFiles(rows, context()), 0);
    EXPECT_TRUE(home.exists("music/a.mp3"));
    user.answerYes();
    EXPECT_EQ(deleteFiles(rows, context()), 2);
    EXPECT_FALSE(home.exists("music/a.mp3"));
    EXPECT_FALSE(home.exists("music/Rock/b.mp3"));
    EXPECT_EQ(pauses, (std::vector<int>{100, 100}));
    ASSERT_EQ(user.boxes().size(), 2u);
    EXPECT_EQ(user.boxes()[1].text, kDeleteQuestion);
    EXPECT_EQ(user.boxes()[1].caption, "Warning");
    EXPECT_TRUE(user.boxes()[1].defaultNo);
}

TEST_F(ActionTest, DeleteNeverRemovesAFolderAndReportsTheFailure) {
    home.folder("music/Empty");
    user.answerYes();
    EXPECT_EQ(
        deleteFiles({SearchRow::entry("Music/Empty/", ""), row("Music/Rock/b.mp3")}, context()), 0);
    EXPECT_TRUE(home.exists("music/Empty"));
    EXPECT_TRUE(home.exists("music/Rock/b.mp3"));
    ASSERT_EQ(user.boxes().size(), 2u);
    EXPECT_EQ(user.boxes()[1].text, "There was a problem deleting " + music +
                                        "/Empty/\nMake sure the file exists and that it's not "
                                        "read-only.");
}

TEST(RenameTarget, CleansTheNameAndIgnoresNoChange) {
    struct Case {
        std::optional<std::string> edited;
        const char* target;
    };
    const Case cases[] = {
        {std::nullopt, ""},
        {"", ""},
        {"/m/a.mp3", ""},
        {"/m/b?.mp3", "/m/b.mp3"},
        {"/m/a*.mp3", ""},  // cleaned back to the old name
        {"/m/x<y>\"z\\.mp3", "/m/xyz.mp3"},
        {"/other/place/a.mp3", "/other/place/a.mp3"},
        {"/m?/a.mp3", "/m?/a.mp3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(renameTarget("/m/a.mp3", c.edited), c.target) << c.edited.value_or("<cancel>");
    }
}

TEST_F(ActionTest, RenameRenamesAndMovesFiles) {
    home.folder("music/Other");
    std::vector<std::string> asked;
    const auto ask = [&](const std::string& old) -> std::optional<std::string> {
        asked.push_back(old);
        if (old.ends_with("a.mp3")) {
            return music + "/Other/a?new.mp3";
        }
        return std::nullopt;  // Cancel
    };
    EXPECT_EQ(renameFiles({row("Music/a.mp3"), row("Music/Rock/b.mp3")}, context(), ask), 1);
    EXPECT_EQ(asked, (std::vector<std::string>{music + "/a.mp3", music + "/Rock/b.mp3"}));
    EXPECT_EQ(home.read("music/Other/anew.mp3"), "a");
    EXPECT_FALSE(home.exists("music/a.mp3"));
    EXPECT_TRUE(home.exists("music/Rock/b.mp3"));
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(ActionTest, RenameOntoAnExistingFileStopsAndReplacesNothing) {
    int asked = 0;
    const auto ask = [&](const std::string&) -> std::optional<std::string> {
        ++asked;
        return music + "/a.mp3";
    };
    EXPECT_EQ(renameFiles({row("Music/Rock/b.mp3"), row("Music/Rock/c d.mp3")}, context(), ask), 0);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(home.read("music/a.mp3"), "a");
    EXPECT_EQ(home.read("music/Rock/b.mp3"), "b");
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].text, "Can't rename, the file " + music + "/a.mp3 already exists!");
}

TEST_F(ActionTest, RenameIntoAMissingFolderIsReported) {
    const auto ask = [&](const std::string&) -> std::optional<std::string> {
        return music + "/none/b.mp3";
    };
    EXPECT_EQ(renameFiles({row("Music/Rock/b.mp3")}, context(), ask), 0);
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_TRUE(user.boxes()[0].text.starts_with("There was a problem renaming " + music +
                                                 "/Rock/b.mp3\n"));
    EXPECT_TRUE(home.exists("music/Rock/b.mp3"));
}

}  // namespace
}  // namespace quor::find
