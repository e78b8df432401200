#include "quorfind/command_line.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <new>
#include <sstream>

#include "common/testing/child_process.h"
#include "quorfind/search/saved_list_fixture.h"
#include "quorfind/terminal_interaction.h"
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

class CommandLineTest : public quor::testing::StoreTest {
  protected:
    CommandLineTest() {
        music = home.folder("music").string();
        home.file("music/Rock/Help.mp3", "x");
        testing::writeSavedList(home, "songs",
                                {{"0", music, "Music", "0\n*Music/Rock/\nHelp.mp3\nGone.mp3\n"}});
        settings.app().save(kLocalList, "/web/songs.txt");
    }
    int run(Args args) {
        out.str("");
        const auto parsed = parseCommandLine(args);
        EXPECT_TRUE(parsed.ok());
        return runSearchCommand(*parsed, context().places, settings, out, user);
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
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(CommandLineTest, PathsSkipsRowsThatCannotBeFoundWithoutAsking) {
    EXPECT_EQ(run({"--search", "", "--paths"}), kExitMatched);
    EXPECT_EQ(out.str(), music + "/Rock/Help.mp3\n");
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].text, "not found: Music/Rock/Gone.mp3");
    EXPECT_EQ(user.unscriptedQuestions(), 0);
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
    EXPECT_EQ(user.texts(), passedOver);
    EXPECT_EQ(user.unscriptedQuestions(), 0);
}

// A list built by Quorvane (say unattended) before the search window ever
// stored one is the own list.
TEST_F(CommandLineTest, WithoutAStoredListQuorvanesCurrentListIsSearched) {
    settings.app().save(kLocalList, "");
    store::AppSettings(*store, store::kQuorvane).saveSetting("SavePath", "/web/songs.txt");
    EXPECT_EQ(run({"--search", "help"}), kExitMatched);
    EXPECT_EQ(out.str(), "Music/Rock/Help.mp3\n");
}

TEST_F(CommandLineTest, AnOwnListThatCannotBeReadEndsWith3) {
    settings.app().save(kLocalList, "");
    EXPECT_EQ(run({"--search", "x"}), kExitListUnread);
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_NE(user.boxes()[0].text.find("no list to search"), std::string::npos);

    home.file("home/data/broken.lst", "3.2\r\n");
    settings.app().save(kLocalList, "/web/broken.html");
    EXPECT_EQ(run({"--search", "x"}), kExitListUnread);
    EXPECT_EQ(user.boxes().size(), 2u);

    settings.app().save(kLocalList, "/web/gone.txt");
    EXPECT_EQ(run({"--search", ""}), kExitListUnread);
    ASSERT_EQ(user.boxes().size(), 3u);
    EXPECT_NE(user.boxes()[2].text.find("no saved list"), std::string::npos);
}

TEST(SearchExitStatus, ZeroOnAMatchElseThreeWhenAListWasNotRead) {
    struct Case {
        const char* what;
        SearchResult result;
        int status;
    };
    const auto with = [](long long matches, bool failed, int unread, bool missing) {
        SearchResult result;
        result.matches = matches;
        result.failed = failed;
        result.listsUnread = unread;
        result.listMissing = missing;
        return result;
    };
    const Case cases[] = {
        {"a match", with(2, false, 0, false), kExitMatched},
        {"a match, a list passed over", with(1, false, 1, false), kExitMatched},
        {"nothing, all read", with(0, false, 0, false), kExitNothing},
        {"nothing, a failure", with(0, true, 0, false), kExitListUnread},
        {"nothing, a list passed over", with(0, false, 2, false), kExitListUnread},
        {"nothing, the list missing", with(0, false, 0, true), kExitListUnread},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(searchExitStatus(c.result), c.status) << c.what;
    }
}

TEST_F(CommandLineTest, ATextListThatCannotBeReadIsToldAndEndsWith3) {
    const auto missing = home.path("no/such.txt");
    EXPECT_EQ(run({"--search", "", "--text-list", missing.string()}), kExitListUnread);
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].text, missing.string() + ": no such file");

    std::filesystem::create_symlink("loop", home.path("loop"));
    EXPECT_EQ(run({"--search", "", "--text-list", home.path("loop").string()}), kExitListUnread);
    ASSERT_EQ(user.boxes().size(), 2u);
    EXPECT_NE(user.boxes()[1].text.find("loop"), std::string::npos);

    EXPECT_EQ(run({"--search", "", "--text-list", home.folder("a folder").string()}),
              kExitListUnread);
    EXPECT_EQ(user.boxes().size(), 3u);
    EXPECT_EQ(out.str(), "");
}

// Lines and names from other people's lists cannot forge result lines or
// reach the terminal as escape sequences.
TEST_F(CommandLineTest, ControlCharactersInListsAndNamesPrintAsQuestionMarks) {
    home.file("home/Lists/evil\r\nEVIL2.TXT - forged.txt",
              "Help\x1b[2J me\r\nhelp\xc2\x9b"
              "1m\r\n");
    EXPECT_EQ(run({"--search", "help", "--lists-folder"}), kExitMatched);
    EXPECT_EQ(out.str(),
              "EVIL??EVIL2.TXT - FORGED.TXT - Help?[2J me\n"
              "EVIL??EVIL2.TXT - FORGED.TXT - help?1m\n");

    const auto list = home.file("bad.txt", "help\x1b]0;title\x07\r\n");
    EXPECT_EQ(run({"--search", "help", "--text-list", list.string()}), kExitMatched);
    EXPECT_EQ(out.str(), "help?]0;title?\n");
}

TEST_F(CommandLineTest, PathsWithControlCharactersAreSkippedNotPrinted) {
    home.file("music/Rock/Bad\x1b[1mName.mp3", "x");
    testing::writeSavedList(home, "songs",
                            {{"0", music, "Music", "0\n*Music/Rock/\nBad\x1b[1mName.mp3\n"}});
    EXPECT_EQ(run({"--search", "bad", "--paths"}), kExitMatched);
    EXPECT_EQ(out.str(), "");
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].text,
              "skipped, the path holds a control character: " + music + "/Rock/Bad?[1mName.mp3");
}

// Running out of memory anywhere in the search is a message and status 3.
class MemoryShortInteraction final : public Interaction {
  public:
    void notice(std::string_view text, std::string_view, Shown) override {
        told.emplace_back(text);
    }
    bool confirm(std::string_view, std::string_view) override { return false; }
    bool okOrCancel(std::string_view, std::string_view) override { return false; }
    bool retryOrCancel(std::string_view, std::string_view) override { return false; }
    void status(std::string_view) override {}
    void busy(bool) override {}
    bool keepResponsive() override { throw std::bad_alloc(); }
    bool unattended() const override { return true; }
    std::vector<std::string> told;
};

TEST_F(CommandLineTest, RunningOutOfMemoryIsToldAndEndsWith3) {
    home.file("home/Lists/a.txt", "help\n");
    MemoryShortInteraction shortOfMemory;
    const auto parsed = parseCommandLine({"--search", "help", "--lists-folder"});
    EXPECT_EQ(runSearchCommand(*parsed, context().places, settings, out, shortOfMemory),
              kExitListUnread);
    ASSERT_EQ(shortOfMemory.told.size(), 1u);
    EXPECT_NE(shortOfMemory.told[0].find("out of memory"), std::string::npos);
}

TEST(TerminalInteraction, KeepsTheMessagesLinesAndShowsOtherControls) {
    std::ostringstream err;
    TerminalInteraction user(err);
    user.notice("Could not read\n/l/a\rb\x1b[2J", "Permission\ndenied", Shown::Always);
    EXPECT_EQ(err.str(), "quorfind: Could not read\n  /l/a?b?[2J\n  (Permission?denied)\n");
}

// A program folder that cannot be written: the real program searches it
// with the store opened read-only and says once that nothing was saved.
TEST_F(CommandLineTest, AReadOnlyProgramFolderIsSearchedAndSaysOnceItCannotSave) {
    store.reset();  // the store is closed, as after quorvane
    const std::filesystem::path folder = home.home();
    namespace fs = std::filesystem;
    const auto readOnly = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    quor::testing::handToChildUser(home.root());
    fs::permissions(folder, readOnly, fs::perm_options::remove);
    fs::permissions(folder / "settings.db", readOnly, fs::perm_options::remove);
    const quor::testing::ChildOutcome search =
        quor::testing::runChild({QUORFIND_BINARY, "--search", "help"},
                                {.workingFolder = {}, .unprivilegedIn = home.root()});
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
    if (!quor::testing::runningAsRoot() && ::access(folder.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "the program folder stays writable here";
    }
    EXPECT_EQ(search.exitCode, kExitMatched) << search.output;
    const std::string told = " cannot be written: the settings were read, nothing was saved\n";
    EXPECT_EQ(search.output,
              "Music/Rock/Help.mp3\nquorfind: " + (folder / "settings.db").string() + told);
}

}  // namespace
}  // namespace quor::find
