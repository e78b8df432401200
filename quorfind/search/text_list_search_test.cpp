#include "quorfind/search/text_list_search.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <thread>

#include "quorfind/search/search_texts.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor::find {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> texts(const SearchResult& result) {
    std::vector<std::string> out;
    for (const SearchRow& row : result.rows) {
        out.push_back(row.text());
    }
    return out;
}

SearchLimits inPiecesOf(std::size_t bytes) {
    SearchLimits limits;
    limits.pieceBytes = bytes;
    return limits;
}

// Waits in a thread to write to a named pipe, so that a search that wrongly
// opens the pipe finds a writer (who closes at once) instead of waiting for
// one for ever. At the end it opens the pipe itself, so the thread is done.
class PipeSafetyNet {
  public:
    explicit PipeSafetyNet(fs::path pipe)
        : pipe_(std::move(pipe)), writer_([this] {
              const int fd = ::open(pipe_.c_str(), O_WRONLY | O_CLOEXEC);
              if (fd >= 0) {
                  ::close(fd);
              }
          }) {}
    ~PipeSafetyNet() {
        const int reader = ::open(pipe_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        writer_.join();
        if (reader >= 0) {
            ::close(reader);
        }
    }

  private:
    fs::path pipe_;
    std::thread writer_;
};

fs::path makePipe(const fs::path& path) {
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0) << std::strerror(errno);
    return path;
}

void makeSocket(const fs::path& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.string().size(), sizeof address.sun_path);
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);  // the socket's file stays
}

class TextListTest : public quor::testing::StoreTest {
  protected:
    fs::path lists() const { return home.home() / "Lists"; }
};

TEST_F(TextListTest, AddsEveryMatchingLineUnchanged) {
    const auto file = home.file("friend.txt", "Beatles - Help\r\n\r\nbeatles live\r\nOther\n");
    EXPECT_EQ(texts(searchTextList(file, "BEATLES", user)),
              (std::vector<std::string>{"Beatles - Help", "beatles live"}));
    EXPECT_EQ(searchTextList(file, "", user).matches, 3);  // the empty line is never listed
    const SearchResult missing = searchTextList(home.path("none.txt"), "", user);
    EXPECT_EQ(missing.matches, 0);
    EXPECT_TRUE(missing.listMissing);
    EXPECT_EQ(missing.listsUnread, 0);
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(TextListTest, EveryKindOfLineEndEndsARow) {
    // LF, CR LF, CR alone (old Mac lists) and no line end at all.
    const auto file = home.file("mixed.txt", "a1.mp3\nb2.mp3\r\nc3.mp3\rd4.mp3\r\re5.mp3");
    EXPECT_EQ(texts(searchTextList(file, ".MP3", user)),
              (std::vector<std::string>{"a1.mp3", "b2.mp3", "c3.mp3", "d4.mp3", "e5.mp3"}));
}

TEST_F(TextListTest, EachLineIsDecodedOnItsOwn) {
    // A UTF-8 list with one Windows-1252 line, and a UTF-16 list.
    const auto mixed = home.file(
        "mixed.txt", "M\xC3\xBCller Song.mp3\r\nM\xFCller Live.mp3\r\nCaf\xE9 del Mar\r\n");
    EXPECT_EQ(texts(searchTextList(mixed, "m\xC3\xBCller", user)),
              (std::vector<std::string>{"M\xC3\xBCller Song.mp3", "M\xC3\xBCller Live.mp3"}));
    EXPECT_EQ(texts(searchTextList(mixed, "CAF\xC3\x89", user)),
              std::vector<std::string>{"Caf\xC3\xA9 del Mar"});
    const auto wide = home.file("wide.txt", std::string("\xFF\xFE"
                                                        "a\0\xE9\0\r\0\n\0b\0",
                                                        12));
    EXPECT_EQ(texts(searchTextList(wide, "\xC3\x89", user)), std::vector<std::string>{"a\xC3\xA9"});
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(TextListTest, ATextListThatIsNotAFileFailsWithoutWaiting) {
    const fs::path pipe = makePipe(home.path("pipe.txt"));
    const PipeSafetyNet net(pipe);
    fs::create_symlink("/dev/zero", home.path("zero.txt"));
    fs::create_symlink("loop.txt", home.path("loop.txt"));
    fs::create_symlink("gone.txt", home.path("dangling.txt"));
    struct Case {
        fs::path file;
        const char* reason;  // in the message's caption
    };
    const Case cases[] = {
        {pipe, "named pipe"},
        {home.path("zero.txt"), "device"},
        {home.folder("folder.txt"), "folder"},
        {home.path("loop.txt"), "symbolic links"},
        {home.path("dangling.txt"), "link to nothing"},
    };
    for (const Case& c : cases) {
        quor::testing::ScriptedInteraction user;
        const SearchResult result = searchTextList(c.file, "", user);
        EXPECT_TRUE(result.failed) << c.file;
        EXPECT_FALSE(result.listMissing) << c.file;
        EXPECT_EQ(result.listsUnread, 1) << c.file;
        ASSERT_EQ(user.boxes().size(), 1u) << c.file;
        EXPECT_EQ(user.boxes()[0].text, kOpenTextListFailed);
        EXPECT_NE(user.boxes()[0].caption.find(c.reason), std::string::npos)
            << user.boxes()[0].caption;
    }
}

TEST_F(TextListTest, AListThatCannotBeReadIsNotMissing) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads files without permission";
    }
    const auto file = home.file("locked.txt", "x\n");
    fs::permissions(file, fs::perms::none);
    const SearchResult result = searchTextList(file, "", user);
    EXPECT_TRUE(result.failed);
    EXPECT_FALSE(result.listMissing);
    EXPECT_EQ(result.listsUnread, 1);
}

TEST_F(TextListTest, ListsFolderPassesOverWhatIsNotAFile) {
    home.file("home/Lists/a.txt", "abbey road\nsomething\n");
    const fs::path pipe = makePipe(lists() / "b.txt");
    const PipeSafetyNet net(pipe);
    fs::create_symlink("/dev/zero", lists() / "c.txt");
    makeSocket(lists() / "d.txt");
    fs::create_symlink("gone.txt", lists() / "e.txt");
    home.file("home/Lists/f.txt", "Abbey Road live\n");
    home.folder("home/Lists/sub");
    fs::create_symlink("sub", lists() / "sublink");
    home.file("home/Lists/.hidden.txt", "abbey hidden\n");

    const SearchResult result = searchListsFolder(lists(), "abbey", user);
    EXPECT_EQ(texts(result),
              (std::vector<std::string>{"A.TXT - abbey road", "F.TXT - Abbey Road live"}));
    EXPECT_EQ(result.listsRead, 2);
    EXPECT_EQ(result.listsUnread, 4);
    EXPECT_FALSE(result.failed);
    const std::pair<const char*, const char*> passedOver[] = {
        {"b.txt", "named pipe"}, {"c.txt", "device"}, {"d.txt", "socket"}, {"e.txt", "nothing"}};
    ASSERT_EQ(user.boxes().size(), std::size(passedOver));
    for (std::size_t i = 0; i < std::size(passedOver); ++i) {
        const auto& [name, reason] = passedOver[i];
        EXPECT_EQ(user.boxes()[i].text, listsFileFailedText((lists() / name).string()));
        EXPECT_NE(user.boxes()[i].caption.find(reason), std::string::npos)
            << user.boxes()[i].caption;
    }
}

TEST_F(TextListTest, PiecesOfAnySizeGiveTheRowsOfTheWholeList) {
    // Line ends of every kind fall on piece ends, CR LF split between two.
    const auto file = home.file("pieces.txt",
                                "\xEF\xBB\xBF"
                                "one\r\ntwo\rthree\nM\xFC"
                                "ller\r\n\r\nf\xC3\xBCnf\r\r\n"
                                "last without end");
    const std::vector<std::string> whole = texts(searchTextList(file, "", user));
    EXPECT_EQ(whole, (std::vector<std::string>{"one", "two", "three", "M\xC3\xBCller",
                                               "f\xC3\xBCnf", "last without end"}));
    for (std::size_t piece = 1; piece <= 12; ++piece) {
        quor::testing::ScriptedInteraction events;
        const SearchResult result = searchTextList(file, "", events, inPiecesOf(piece));
        EXPECT_EQ(texts(result), whole) << "pieces of " << piece;
        EXPECT_GE(events.polls(), static_cast<int>(fs::file_size(file) / piece)) << piece;
    }
}

TEST_F(TextListTest, AStopRequestEndsTheSearchWithinAList) {
    std::string text;
    for (int i = 0; i < 100; ++i) {
        text += "song " + std::to_string(i) + "\r\n";
    }
    const auto file = home.file("long.txt", text);
    user.stopAtPoll(3);
    const SearchResult stopped = searchTextList(file, "song", user, inPiecesOf(16));
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(user.polls(), 3);
    const std::vector<std::string> rows = texts(stopped);
    ASSERT_FALSE(rows.empty());
    ASSERT_LT(rows.size(), 10u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i], "song " + std::to_string(i));
    }
}

TEST_F(TextListTest, LongListsRunEventsBetweenPiecesAndStop) {
    // About 3 MB of lines of growing length, so piece ends fall at different
    // places within lines; one line alone is longer than a piece.
    std::string text;
    std::vector<std::string> expected;
    for (int i = 0; text.size() < 3'000'000; ++i) {
        std::string line =
            "song " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 97), 'x');
        if (i == 5000) {
            line += std::string(1'500'000, 'y');
        }
        text += line + "\r\n";
        expected.push_back(line);
    }
    const auto file = home.file("long.txt", text);
    quor::testing::ScriptedInteraction events;
    const SearchResult whole = searchTextList(file, "song", events);
    EXPECT_EQ(texts(whole), expected);
    EXPECT_FALSE(whole.stopped);
    EXPECT_GE(events.polls(), 2);
}

TEST_F(TextListTest, TooManyMatchesEndTheSearchWithOneMessage) {
    SearchLimits limits;
    limits.maxRows = 3;
    const auto file = home.file("many.txt", "a1\na2\na3\na4\na5\n");
    const SearchResult list = searchTextList(file, "a", user, limits);
    EXPECT_EQ(texts(list), (std::vector<std::string>{"a1", "a2", "a3"}));
    EXPECT_EQ(list.matches, 3);
    EXPECT_TRUE(list.full);
    EXPECT_EQ(user.texts(), std::vector<std::string>{std::string(kTooManyMatchesText)});

    quor::testing::ScriptedInteraction user;
    home.file("home/Lists/a.txt", "a1\na2\n");
    home.file("home/Lists/b.txt", "b1\nb2\n");
    home.file("home/Lists/c.txt", "c1\n");
    const SearchResult folder = searchListsFolder(lists(), "", user, limits);
    EXPECT_EQ(texts(folder), (std::vector<std::string>{"A.TXT - a1", "A.TXT - a2", "B.TXT - b1"}));
    EXPECT_EQ(folder.listsRead, 2);
    EXPECT_EQ(user.texts(), std::vector<std::string>{std::string(kTooManyMatchesText)});
}

TEST_F(TextListTest, ListsFolderPrefixesRowsWithTheFileName) {
    home.file("home/Lists/friends.txt", "abbey road\nsomething\n");
    home.file("home/Lists/zed.txt", "Abbey Road live\n");
    home.folder("home/Lists/sub");
    const SearchResult result = searchListsFolder(lists(), "abbey", user);
    EXPECT_EQ(texts(result),
              (std::vector<std::string>{"FRIENDS.TXT - abbey road", "ZED.TXT - Abbey Road live"}));
    EXPECT_EQ(result.listsRead, 2);
    EXPECT_EQ(result.listsUnread, 0);
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(TextListTest, ListsFolderStopsAndTellsWhenEmpty) {
    home.file("home/Lists/a.txt", "x\n");
    home.file("home/Lists/b.txt", "x\n");
    user.stopAtPoll(1);
    EXPECT_EQ(searchListsFolder(lists(), "x", user).matches, 1);

    const SearchResult none = searchListsFolder(home.path("nowhere"), "x", user);
    EXPECT_EQ(none.listsRead, 0);
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].caption, kNoListsCaption);
    EXPECT_EQ(user.boxes()[0].text, kNoListsText);
}

TEST(UpperCaseName, WorksForEveryScript) {
    EXPECT_EQ(upperCaseName("friends.txt"), "FRIENDS.TXT");
    EXPECT_EQ(upperCaseName("\xC3\xA9t\xC3\xA9.txt"), "\xC3\x89T\xC3\x89.TXT");
}

}  // namespace
}  // namespace quor::find
