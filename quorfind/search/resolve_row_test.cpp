#include "quorfind/search/resolve_row.h"

#include <gtest/gtest.h>

#include "common/names.h"
#include "quorfind/search/saved_list_fixture.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor::find {
namespace {

using quor::testing::Box;
using testing::writeSavedList;

TEST(RowTextLocations, CutsTheRowAtItsSlashesAndExtensionDot) {
    struct Case {
        const char* row;
        RowLocation location;
    };
    const Case cases[] = {
        {"My MP3s/Rock/song.mp3  3,456k", {"My MP3s", "Rock/", "song.mp3"}},
        {"My MP3s/Rock/song.mp3  3.45MB", {"My MP3s", "Rock/", "song.mp3"}},
        {"My MP3s/song.mp3", {"My MP3s", "", "song.mp3"}},
        {"My MP3s/a b.c d.mp3  128 3:45", {"My MP3s", "", "a b.c d.mp3"}},
        {"Docs/README  1KB", {"Docs", "", "README"}},
        {"/home/u/Music/Rock/song.mp3", {"", "home/u/Music/Rock/", "song.mp3"}},
    };
    for (const Case& c : cases) {
        const auto locations = rowTextLocations(c.row);
        ASSERT_FALSE(locations.empty()) << c.row;
        EXPECT_EQ(locations.front(), c.location) << c.row;
    }
    EXPECT_TRUE(rowTextLocations("Double click on an item to open or run it.").empty());
}

TEST(RowTextLocations, OffersTheNameBeforeADateWithSlashesFirst) {
    const auto locations = rowTextLocations("Music/Rock/song.mp3  01/02/24 10:00:00");
    ASSERT_EQ(locations.size(), 2u);
    EXPECT_EQ(locations[0], (RowLocation{"Music", "Rock/", "song.mp3"}));
}

class ResolveRowTest : public quor::testing::StoreTest {
  protected:
    ResolveRowTest() {
        music = home.folder("music").string();
        cd = home.folder("cd").string();
        home.file("music/Rock/song.mp3", "x");
        home.file("music/Rock/two  blanks.mp3", "x");
        writeSavedList(home, "list",
                       {{"0", music, "my mp3s", "0\n"},
                        {"1", cd, "Discs", "?Disc One\n0\n*Disc One/\na.mp3\n?Disc Two\n0\n"}});
        list = *loadOwnList(home.home() / "data", "/web/list.html");
    }
    std::string music, cd;
    OwnList list;
};

TEST_F(ResolveRowTest, FindsTheRealPathOfEachKindOfRow) {
    EXPECT_EQ(resolveRowText("My MP3s/Rock/song.mp3  3,456k", list, user),
              music + "/Rock/song.mp3");
    EXPECT_EQ(resolveRowText("MY MP3S/Rock/song.mp3  3.45MB", list, user),
              music + "/Rock/song.mp3");
    EXPECT_EQ(resolveRowText(music + "/Rock/song.mp3", list, user), music + "/Rock/song.mp3");
    const SearchRow exact = SearchRow::entry("my mp3s/Rock/", "two  blanks.mp3", "1KB");
    EXPECT_EQ(resolveRow(exact, list, user), music + "/Rock/two  blanks.mp3");
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(ResolveRowTest, AsksForTheDiskUntilTheFileIsThereOrCancelled) {
    user.answer(true);   // OK: still missing, asked again
    user.answer(false);  // Cancel
    EXPECT_EQ(resolveRowText("Disc Two/b.mp3", list, user), "");
    ASSERT_EQ(user.boxes().size(), 2u);
    EXPECT_EQ(user.boxes()[0].box, Box::OkOrCancel);
    EXPECT_EQ(user.boxes()[0].text, "Please insert the disk " + cd + "/");
    EXPECT_EQ(user.boxes()[0].caption, "File Not Found");

    home.file("cd/a.mp3", "x");
    EXPECT_EQ(resolveRowText("disc one/a.mp3", list, user), cd + "/a.mp3");
    EXPECT_EQ(user.boxes().size(), 2u);
}

TEST_F(ResolveRowTest, NeverAsksWhenToldNotToAndSkipsRowsWithoutPaths) {
    EXPECT_EQ(resolveRowText("Disc Two/b.mp3", list, user, DiskQuestion::Never), "");
    EXPECT_EQ(resolveRowText("No Matches Found", list, user), "");
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(ResolveRowTest, RowsClimbingOutOfTheirFolderResolveToNothing) {
    home.file("music/secret.txt", "x");
    const char* const rows[] = {
        "My MP3s/Rock/..",         "My MP3s/Rock/.",      "My MP3s/Rock/../secret.txt",
        "My MP3s/./Rock/song.mp3", "../music/secret.txt", "/tmp/../etc/passwd"};
    for (const char* row : rows) {
        EXPECT_EQ(resolveRowText(row, list, user), "") << row;
    }
    // Rows the search made from a listing's heading and file line, which a
    // hand-edited listing can fill with anything.
    home.file("outside.txt", "x");
    const struct {
        const char* folder;
        const char* name;
    } exact[] = {
        {"my mp3s/Rock/", "../secret.txt"},
        {"my mp3s/Rock/", "../../outside.txt"},
        {"my mp3s/", "Rock/song.mp3"},
        {"my mp3s/Rock/", "."},
        {"my mp3s/Rock/", ".."},
        {"my mp3s/Rock/", "/song.mp3"},
        {"my mp3s/Rock/../", "secret.txt"},
        {"my mp3s/./Rock/", "song.mp3"},
        {"my mp3s/Rock/../../", "outside.txt"},
        {"my mp3s/../", "outside.txt"},
    };
    for (const auto& row : exact) {
        const SearchRow entry = SearchRow::entry(row.folder, row.name, "1KB");
        EXPECT_EQ(resolveRow(entry, list, user), "") << row.folder << row.name;
        // The text alone may read as another file, but one below the folder.
        const std::string byText = resolveRowText(entry.text(), list, user);
        EXPECT_TRUE(byText.empty() || (byText.starts_with(music + "/") &&
                                       staysBelow(byText.substr(music.size() + 1))))
            << entry.text() << " gives " << byText;
    }
    EXPECT_TRUE(user.boxes().empty());  // no disk is asked for either
}

TEST_F(ResolveRowTest, ANameWithANulByteNeverStandsForAShorterPath) {
    const std::string name("song.mp3\0/../..", 15);
    EXPECT_EQ(resolveRow(SearchRow::entry("my mp3s/Rock/", name), list, user), "");
    const std::string climbing("..\0", 3);
    EXPECT_EQ(resolveRow(SearchRow::entry("my mp3s/Rock/", climbing), list, user), "");
    EXPECT_EQ(resolveRow(SearchRow::entry("my mp3s/" + climbing + "/", "music"), list, user), "");
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(ResolveRowTest, ARootNameThatIsNoRecordAndNoPathResolvesToNothing) {
    // Relative to wherever the program runs, "Rock/song.mp3" would exist.
    const std::filesystem::path started = std::filesystem::current_path();
    std::filesystem::current_path(home.path("music"));
    EXPECT_EQ(resolveRowText("Rock/song.mp3", list, user, DiskQuestion::Never), "");
    EXPECT_EQ(resolveRowText("./Rock/song.mp3", list, user, DiskQuestion::Never), "");
    EXPECT_EQ(resolveRowText("../music/Rock/song.mp3", list, user, DiskQuestion::Never), "");
    EXPECT_EQ(resolveRow(SearchRow::entry("Rock/", "song.mp3"), list, user), "");
    std::filesystem::current_path(started);
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(ResolveRowTest, AMissingSavedListMakesTheRootNameTheFolder) {
    const OwnList none = *loadOwnList(home.home() / "data", "absent.txt");
    EXPECT_FALSE(none.present);
    EXPECT_EQ(resolveRowText(music + "/Rock/song.mp3", none, user), music + "/Rock/song.mp3");
    EXPECT_EQ(baseFolder("My MP3s", none), "My MP3s/");
}

}  // namespace
}  // namespace quor::find
