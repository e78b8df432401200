#include "quorfind/search/text_list_search.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "quorfind/search/search_texts.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor::find {
namespace {

std::vector<std::string> texts(const SearchResult& result) {
    std::vector<std::string> out;
    for (const SearchRow& row : result.rows) {
        out.push_back(row.text());
    }
    return out;
}

class TextListTest : public store::testing::StoreTest {};

TEST_F(TextListTest, AddsEveryMatchingLineUnchanged) {
    const auto file = home.file("friend.txt", "Beatles - Help\r\n\r\nbeatles live\r\nOther\n");
    EXPECT_EQ(texts(searchTextList(file, "BEATLES", ui)),
              (std::vector<std::string>{"Beatles - Help", "beatles live"}));
    EXPECT_EQ(searchTextList(file, "", ui).matches, 3);  // the empty line is never listed
    EXPECT_EQ(searchTextList(home.path("none.txt"), "", ui).matches, 0);
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(TextListTest, EveryKindOfLineEndEndsARow) {
    // LF, CR LF, CR alone (old Mac lists) and no line end at all.
    const auto file = home.file("mixed.txt", "a1.mp3\nb2.mp3\r\nc3.mp3\rd4.mp3\r\re5.mp3");
    EXPECT_EQ(texts(searchTextList(file, ".MP3", ui)),
              (std::vector<std::string>{"a1.mp3", "b2.mp3", "c3.mp3", "d4.mp3", "e5.mp3"}));
    std::vector<SearchRow> rows;
    EXPECT_EQ(searchLines("x\r", "", "", rows), 1);
}

TEST_F(TextListTest, ReadsWindowsListsAndReportsUnreadableOnes) {
    const auto file = home.file("latin.txt", "Caf\xE9 del Mar\r\n");
    EXPECT_EQ(texts(searchTextList(file, "CAFÉ", ui)),
              std::vector<std::string>{"Caf\xC3\xA9 del Mar"});
    const SearchResult result = searchTextList(home.folder("folder.txt"), "", ui);
    EXPECT_TRUE(result.failed);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, kOpenTextListFailed);
}

TEST_F(TextListTest, LongListsRunEventsBetweenPiecesAndStop) {
    // About 3 MB of lines of growing length, so piece ends fall at different
    // places within lines; one line alone is longer than a piece. Lists with
    // CR alone at their line ends are cut into pieces too.
    for (const std::string_view ending : {"\r\n", "\r"}) {
        std::string text;
        std::vector<std::string> expected;
        for (int i = 0; text.size() < 3'000'000; ++i) {
            std::string line =
                "song " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 97), 'x');
            if (i == 5000) {
                line += std::string(1'500'000, 'y');
            }
            text += line + std::string(ending);
            expected.push_back(line);
        }
        const auto file = home.file("long.txt", text);
        quor::testing::ScriptedInteraction events;
        const SearchResult whole = searchTextList(file, "song", events);
        EXPECT_EQ(texts(whole), expected);
        EXPECT_FALSE(whole.stopped);
        EXPECT_GE(events.polls(), 2);

        events.stopAtPoll(events.polls() + 1);
        const SearchResult stopped = searchTextList(file, "song", events);
        EXPECT_TRUE(stopped.stopped);
        ASSERT_LT(stopped.rows.size(), expected.size());
        EXPECT_TRUE(std::equal(
            stopped.rows.begin(), stopped.rows.end(), expected.begin(),
            [](const SearchRow& row, const std::string& line) { return row.text() == line; }));
    }
}

TEST_F(TextListTest, ListsFolderPrefixesRowsWithTheFileName) {
    home.file("home/Lists/friends.txt", "abbey road\nsomething\n");
    home.file("home/Lists/zed.txt", "Abbey Road live\n");
    home.folder("home/Lists/sub");
    const SearchResult result = searchListsFolder(home.home() / "Lists", "abbey", ui);
    EXPECT_EQ(texts(result),
              (std::vector<std::string>{"FRIENDS.TXT - abbey road", "ZED.TXT - Abbey Road live"}));
    EXPECT_EQ(result.listsRead, 2);
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(TextListTest, ListsFolderStopsBetweenFilesAndTellsWhenEmpty) {
    home.file("home/Lists/a.txt", "x\n");
    home.file("home/Lists/b.txt", "x\n");
    ui.stopAtPoll(1);
    EXPECT_EQ(searchListsFolder(home.home() / "Lists", "x", ui).matches, 1);

    const SearchResult none = searchListsFolder(home.path("nowhere"), "x", ui);
    EXPECT_EQ(none.listsRead, 0);
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].caption, kNoListsCaption);
    EXPECT_EQ(ui.boxes()[0].text, kNoListsText);
}

TEST(UpperCaseName, WorksForEveryScript) {
    EXPECT_EQ(upperCaseName("friends.txt"), "FRIENDS.TXT");
    EXPECT_EQ(upperCaseName("\xC3\xA9t\xC3\xA9.txt"), "\xC3\x89T\xC3\x89.TXT");
}

}  // namespace
}  // namespace quor::find
