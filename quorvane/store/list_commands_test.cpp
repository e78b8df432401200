#include "quorvane/store/list_commands.h"

#include "quorvane/store/saved_lists.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor::store {
namespace {

using quor::testing::Box;

class ListCommandsTest : public testing::StoreTest {
  protected:
    ListContext ctx = context();
    ListSession session;

    bool inData(std::string_view name) { return existsInHome("data/" + std::string(name)); }

    // A current list writing to /out/<name>.html with one folder.
    void currentList(const std::string& name, const std::string& folder) {
        setSetting("SavePath", "/out/" + name + ".html");
        setSetting("NumFiles", " 1234");
        setSetting("TotalSize", "3KB");
        addRecords({folder});
        setRecord(0, {folder, "Shown " + name, "1", "0"});
        cacheFile(0, "3072\r\n*Shown " + name + "/\r\nsong.mp3\r\n");
    }
};

TEST_F(ListCommandsTest, NewListSavesTheOldListAndStartsEmptyWithTheSamePreferences) {
    currentList("music", "/home/ann/Music");
    setSetting("FileMask", "*.mp3");
    home.file("home/header.txt", "header");
    session.openedListName = "music.lst";
    newList(ctx, session);
    EXPECT_TRUE(inData("music.lst"));
    EXPECT_TRUE(inData("music0.dat"));
    EXPECT_EQ(setting("NumPaths"), "0");
    EXPECT_EQ(setting("SavePath"), "");
    EXPECT_EQ(setting("FileMask"), "*.mp3");
    EXPECT_EQ(readHome("header.txt"), "header");
    EXPECT_FALSE(existsInHome("0.txt"));
    EXPECT_EQ(session.openedListName, "");
    EXPECT_EQ(windowCaption(settings()), "Quorvane");
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(ListCommandsTest, OpenListSavesTheCurrentListThenLoadsTheChosenOne) {
    currentList("talks", "/home/ann/Talks");
    ASSERT_TRUE(savelist(ctx, "talks.html"));
    ASSERT_TRUE(deletecurrentlist(ctx));
    currentList("music", "/home/ann/Music");

    ASSERT_TRUE(openList(ctx, session, "talks.lst"));
    EXPECT_EQ(session.openedListName, "talks.lst");
    EXPECT_TRUE(inData("music.lst"));  // the list that was current, saved first
    EXPECT_EQ(folderListRows(settings()),
              std::vector<std::string>{"/home/ann/Talks"});  // real paths
    EXPECT_EQ(readCacheFile(0), "3072\r\n*Shown talks/\r\nsong.mp3\r\n");
    EXPECT_EQ(listLabelText(settings()), "List: talks.html, 1234 files, 3KB");
    EXPECT_EQ(windowCaption(settings()), "Quorvane - talks.html");
}

TEST_F(ListCommandsTest, OpenListCancelledAndDeleteListRefusedChangeNothing) {
    currentList("music", "/home/ann/Music");
    ASSERT_TRUE(savelist(ctx, "music.html"));
    EXPECT_FALSE(openList(ctx, session, ""));
    EXPECT_EQ(setting("NumPaths"), "1");
    EXPECT_EQ(session.openedListName, "");

    user.answerNo();
    const auto chosen = chooseSavedList(user, ChooserMode::Delete, std::string("music"));
    ASSERT_TRUE(chosen.has_value());
    deleteList(ctx, *chosen);
    EXPECT_TRUE(inData("music.lst"));

    user.answerYes();
    deleteList(ctx, *chooseSavedList(user, ChooserMode::Delete, std::string("music")));
    EXPECT_FALSE(inData("music.lst"));
    EXPECT_EQ(setting("NumPaths"), "1");  // the current configuration stays
}

// A saved list that cannot be opened is refused before the current list is
// saved again or cleared: nothing of it changes, not even its saved copy.
TEST_F(ListCommandsTest, OpenListRefusesAMisfitFileBeforeChangingAnything) {
    currentList("music", "/home/ann/Music");
    setSetting("PerformAction", "notify %");
    home.file("home/header.txt", "header");
    ASSERT_TRUE(savelist(ctx, "music.html"));
    home.file("home/data/music.lst", "edited by hand");  // would be saved afresh
    // Version 2.0 on the lines of 3.2: its download link line would be read
    // as the action, its playlist folder as a record.
    std::string misfit = "2.0\r\n1\r\n";
    for (int n = 3; n <= 28; ++n) {
        misfit += n == 21 ? "touch /tmp/owned\r\n" : n == 23 ? "/home\r\n" : "0\r\n";
    }
    misfit += "0\r\n/srv\r\nSrv\r\n1\r\n";
    const std::string cases[] = {
        misfit,
        "3.2\r\n-3\r\n",
        "3.2\r\n999999999\r\n",
        "\xEF\xBB\xBF"
        "0\r\n",
    };
    for (const std::string& contents : cases) {
        home.file("home/data/other.lst", contents);
        EXPECT_FALSE(openList(ctx, session, "other.lst"));
        ASSERT_FALSE(user.boxes().empty());
        EXPECT_EQ(user.boxes().back().text, "There was a problem opening the list! (openlist)");
        EXPECT_NE(user.boxes().back().caption.find("other.lst: "), std::string::npos);
        EXPECT_EQ(session.openedListName, "");
        EXPECT_EQ(setting("NumPaths"), "1");
        EXPECT_EQ(setting("PerformAction"), "notify %");
        EXPECT_EQ(setting("SavePath"), "/out/music.html");
        EXPECT_EQ(record(0), (FolderRecord{"/home/ann/Music", "Shown music", "1", "0"}));
        EXPECT_EQ(readCacheFile(0), "3072\r\n*Shown music/\r\nsong.mp3\r\n");
        EXPECT_EQ(readHome("header.txt"), "header");
        EXPECT_EQ(readHome("data/music.lst"), "edited by hand");
    }
    EXPECT_EQ(user.boxes().size(), std::size(cases));
}

TEST_F(ListCommandsTest, ClosingMovesTheSavedListWhenTheOutputFileChanged) {
    currentList("music", "/home/ann/Music");
    ASSERT_TRUE(savelist(ctx, "music.html"));
    session.openedListName = "music.lst";
    setSetting("SavePath", "/out/songs.html");
    saveOnClose(ctx, session);
    EXPECT_FALSE(inData("music.lst"));
    EXPECT_FALSE(inData("music0.dat"));
    EXPECT_TRUE(inData("songs.lst"));
    EXPECT_TRUE(inData("songs0.dat"));
}

TEST_F(ListCommandsTest, ClosingAfterNewListNeverDeletesTheOldSavedList) {
    currentList("music", "/home/ann/Music");
    ASSERT_TRUE(savelist(ctx, "music.html"));
    session.openedListName = "music.lst";
    newList(ctx, session);
    saveOnClose(ctx, session);
    EXPECT_TRUE(inData("music.lst"));
}

TEST_F(ListCommandsTest, TheChooserListsSavedListsSortedWithoutRegardToCase) {
    for (const char* name : {"zeta.lst", "Alpha.lst", "beta.lst", "notes.txt", "my.list.lst"}) {
        home.file("home/data/" + std::string(name), "3.2\r\n0\r\n");
    }
    EXPECT_EQ(savedListNames(Places(home.home())),
              (std::vector<std::string>{"Alpha", "beta", "my.list", "zeta"}));
    EXPECT_EQ(chooserTexts(ChooserMode::Open).caption, "Open List");
    EXPECT_EQ(chooserTexts(ChooserMode::Delete).prompt, "Select the saved list to delete:");
}

TEST_F(ListCommandsTest, TheChooserButtonNeedsASelection) {
    EXPECT_EQ(chooseSavedList(user, ChooserMode::Open, std::nullopt), std::nullopt);
    EXPECT_EQ(user.texts(), std::vector<std::string>{"Please select a saved list!"});
    EXPECT_EQ(chooseSavedList(user, ChooserMode::Open, std::string("music")), "music.lst");
    user.answerYes();
    EXPECT_EQ(chooseSavedList(user, ChooserMode::Delete, std::string("music")), "music.lst");
    EXPECT_EQ(user.boxes().back().box, Box::Confirm);
    EXPECT_TRUE(user.boxes().back().defaultNo);
    EXPECT_EQ(user.boxes().back().text, "Are you sure you want to delete this list?");
}

TEST(PreselectedList, TheCurrentListElseTheOnlyOne) {
    const std::vector<std::string> three = {"Jazz", "my.music", "rock"};
    const struct {
        std::vector<std::string> names;
        std::string_view current;
        std::optional<std::size_t> row;
    } cases[] = {
        {three, "rock", 2},
        {three, "rock.lst", 2},
        {three, "rock.html", 2},        // the output file the list is saved by
        {three, "my.music.lst", 1},     // a chosen file whose name has a dot
        {three, "Rock", std::nullopt},  // names are compared exactly
        {three, "old.lst", std::nullopt},
        {three, "", std::nullopt},
        {{"only"}, "", 0},
        {{"only"}, "other.lst", 0},
        {{}, "rock", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(preselectedList(c.names, c.current), c.row) << c.current;
    }
}

}  // namespace
}  // namespace quor::store
