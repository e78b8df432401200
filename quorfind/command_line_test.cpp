#include "quorfind/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "quorfind/search/test_lists.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor::find {
namespace {

using Args = std::vector<std::string>;

TEST(ParseCommandLine, AcceptsTheSearchForms) {
    auto parsed = parseCommandLine({});
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed->mode, CommandLine::Mode::Window);

    parsed = parseCommandLine({"--search", "abbey road"});
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed->mode, CommandLine::Mode::Search);
    EXPECT_EQ(parsed->searchText, "abbey road");
    EXPECT_EQ(parsed->source, ListType::OwnList);

    parsed = parseCommandLine({"--text-list=/l/f.txt", "--search="});
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed->source, ListType::TextList);
    EXPECT_EQ(parsed->textList, "/l/f.txt");
    EXPECT_EQ(parsed->searchText, "");

    parsed = parseCommandLine({"--lists-folder", "--search", "--paths"});
    ASSERT_TRUE(parsed.ok());  // "--paths" is the search text here
    EXPECT_EQ(parsed->searchText, "--paths");
    EXPECT_EQ(parsed->source, ListType::ListsFolder);

    parsed = parseCommandLine({"--search", "x", "--paths"});
    ASSERT_TRUE(parsed.ok());
    EXPECT_TRUE(parsed->paths);
    EXPECT_EQ(parseCommandLine({"--search", "x", "--help"})->mode, CommandLine::Mode::Help);
    EXPECT_EQ(parseCommandLine({"--version"})->mode, CommandLine::Mode::Version);
    EXPECT_EQ(parseCommandLine({"--search", "--version"})->searchText, "--version");
}

TEST(ParseCommandLine, RefusesBadCommandLines) {
    const Args bad[] = {
        {"--bogus"},
        {"search"},
        {"--search"},
        {"--search", "a", "--search", "b"},
        {"--search", "a", "--text-list"},
        {"--search", "a", "--text-list", "f", "--lists-folder"},
        {"--search", "a", "--text-list", "f", "--paths"},
        {"--search", "a", "--lists-folder", "--paths"},
        {"--paths"},
        {"--lists-folder"},
    };
    for (const Args& args : bad) {
        const auto parsed = parseCommandLine(args);
        EXPECT_FALSE(parsed.ok()) << args.front();
        if (!parsed.ok()) {
            EXPECT_NE(parsed.error().find("--help"), std::string::npos);
        }
    }
}

class CommandLineTest : public store::testing::StoreTest {
  protected:
    CommandLineTest() {
        music = home.folder("music").string();
        home.file("music/Rock/Help.mp3", "x");
        testing::writeSavedList(home, "songs",
                                {{"0", music, "Music", "0\n*Music/Rock/\nHelp.mp3\nGone.mp3\n"}});
        settings.app().saveSetting(kLocalList, "/web/songs.txt");
    }
    int run(Args args) {
        out.str("");
        const auto parsed = parseCommandLine(args);
        EXPECT_TRUE(parsed.ok());
        return runSearchCommand(*parsed, context().places, settings, out, ui);
    }
    FindSettings settings{*store};
    std::ostringstream out;
    std::string music;
};

TEST_F(CommandLineTest, SearchesEachSourceAndTellsByExitStatus) {
    EXPECT_EQ(run({"--search", "*.MP3"}), kExitMatched);
    EXPECT_EQ(out.str(), "Music/Rock/Help.mp3\nMusic/Rock/Gone.mp3\n");
    EXPECT_EQ(run({"--search", "nothing"}), kExitNothing);
    EXPECT_EQ(out.str(), "");

    const auto list = home.file("friend.txt", "Help! live\r\nother\r\n");
    EXPECT_EQ(run({"--search", "help", "--text-list", list.string()}), kExitMatched);
    EXPECT_EQ(out.str(), "Help! live\n");

    home.file("home/Lists/bob.txt", "Help me\n");
    EXPECT_EQ(run({"--search", "help", "--lists-folder"}), kExitMatched);
    EXPECT_EQ(out.str(), "BOB.TXT - Help me\n");
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(CommandLineTest, PathsSkipsRowsThatCannotBeFoundWithoutAsking) {
    EXPECT_EQ(run({"--search", "", "--paths"}), kExitMatched);
    EXPECT_EQ(out.str(), music + "/Rock/Help.mp3\n");
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].text, "not found: Music/Rock/Gone.mp3");
    EXPECT_EQ(ui.unscriptedQuestions(), 0);
}

// A hand-edited listing whose file lines climb out of the catalogued
// folder gives rows that are passed over, never paths outside it.
TEST_F(CommandLineTest, PathsNeverLeaveTheCatalogedFolder) {
    home.file("etc/passwd", "x");
    home.file("music/Rock/passwd", "x");
    home.file("home/data/songs0.dat",
              "0\r\n*Music/Rock/\r\n../../etc/passwd\r\n..\r\n.\r\nsub/../passwd\r\npasswd\r\n"
              "*Music/../etc/\r\npasswd\r\n*Music/Rock/./\r\npasswd\r\n");
    EXPECT_EQ(run({"--search", "passwd", "--paths"}), kExitMatched);
    EXPECT_EQ(out.str(), music + "/Rock/passwd\n");
    const std::vector<std::string> passedOver = {
        "not found: Music/Rock/../../etc/passwd", "not found: Music/Rock/sub/../passwd",
        "not found: Music/../etc/passwd", "not found: Music/Rock/./passwd"};
    EXPECT_EQ(ui.texts(), passedOver);
    EXPECT_EQ(ui.unscriptedQuestions(), 0);
}

// A list built by Quorvane (say unattended) before the search window ever
// stored one is the own list.
TEST_F(CommandLineTest, WithoutAStoredListQuorvanesCurrentListIsSearched) {
    settings.app().saveSetting(kLocalList, "");
    store::AppSettings(*store, store::kQuorvane).saveSetting("SavePath", "/web/songs.txt");
    EXPECT_EQ(run({"--search", "help"}), kExitMatched);
    EXPECT_EQ(out.str(), "Music/Rock/Help.mp3\n");
}

TEST_F(CommandLineTest, NoListToSearchIsToldAndIsNotAMatch) {
    settings.app().saveSetting(kLocalList, "");
    EXPECT_EQ(run({"--search", "x"}), kExitNothing);
    ASSERT_EQ(ui.boxes().size(), 1u);
    home.file("home/data/broken.lst", "3.2\r\n");
    settings.app().saveSetting(kLocalList, "/web/broken.html");
    EXPECT_EQ(run({"--search", "x"}), kExitNothing);
    EXPECT_EQ(ui.boxes().size(), 2u);
}

}  // namespace
}  // namespace quor::find
