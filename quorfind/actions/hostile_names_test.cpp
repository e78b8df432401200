// Hostile file names through the search program: the own-list search finds
// every file and each row leads back to it; every action hands over the
// real path as one argument (never as shell text), the drag and the
// playlist keep one path a line, and the DCC command stays one IRC command.

#include <set>

#include "common/text_escape.h"
#include "platform/players.h"
#include "platform/shell_open.h"
#include "quorfind/actions/copy_drag.h"
#include "quorfind/actions/file_actions.h"
#include "quorfind/actions/open_play.h"
#include "quorfind/actions/playlist.h"
#include "quorfind/dcc/dcc_send.h"
#include "quorfind/search/own_list_search.h"
#include "quorfind/search/resolve_row.h"
#include "quorvane/generate/hostile_tree_fixture.h"

namespace quor::find {
namespace {

using quor::testing::holdsLineBreak;

// A launcher that records the paths it was given.
struct RecordingLauncher final : Launcher {
    Status open(std::string_view path) override { return record(path); }
    Status play(std::string_view path) override { return record(path); }
    Status enqueue(std::string_view path) override { return record(path); }
    Status record(std::string_view path) {
        paths.emplace_back(path);
        return {};
    }
    std::vector<std::string> paths;
};

class RecordingLink final : public platform::IrcLink {
  public:
    RecordingLink(std::vector<std::string>& sent, bool quotes) : sent_(sent), quotes_(quotes) {}
    Status send(std::string_view line) override {
        sent_.emplace_back(line);
        return {};
    }
    bool quotesPaths() const override { return quotes_; }

  private:
    std::vector<std::string>& sent_;
    bool quotes_;
};

class HostileSearchTest : public quor::testing::HostileTreeTest {
  protected:
    HostileSearchTest() {
        buildList();
        list = *loadOwnList(home.home() / "data", home.path("out/list.txt").string());
        rows = searchOwnList(list, "", true, user).rows.toVector();
        for (const auto& [relative, full] : files) {
            everyFile.insert(full);
        }
    }

    ActionContext context() {
        return ActionContext{ListType::OwnList, list, user, [](std::chrono::milliseconds) {}};
    }

    // The one row whose file has this path below Music.
    SearchRow rowOf(const std::string& relative) {
        for (const SearchRow& row : rows) {
            if (resolveRow(row, list, user, DiskQuestion::Never) == files.at(relative)) {
                return row;
            }
        }
        ADD_FAILURE() << "no row for " << relative;
        return {};
    }

    OwnList list;
    std::vector<SearchRow> rows;
    std::set<std::string> everyFile;
    FindSettings settings{*store};
};

TEST_F(HostileSearchTest, EveryFileIsFoundOnceOnOneLineAndLeadsBackToItself) {
    std::multiset<std::string> resolved;
    for (const SearchRow& row : rows) {
        EXPECT_EQ(row.text().find_first_of("\r\n"), std::string::npos) << row.text();
        resolved.insert(resolveRow(row, list, user, DiskQuestion::Never));
    }
    EXPECT_EQ(std::set<std::string>(resolved.begin(), resolved.end()), everyFile);
    EXPECT_EQ(resolved.size(), everyFile.size());
    // Search texts made of the same characters find their files.
    for (const char* text : {"$(touch", "<script>", "%2A%3E", "-rf", "\"double\""}) {
        const SearchResult found = searchOwnList(list, text, false, user);
        EXPECT_FALSE(found.rows.empty()) << text;
        for (const SearchRow& row : found.rows) {
            EXPECT_NE(row.name().find(text), std::string::npos) << text;
        }
    }
}

TEST_F(HostileSearchTest, OpenPlayAndQueueHandOverEachPathAsOneArgument) {
    RecordingLauncher played;
    RecordingLauncher queued;
    EXPECT_EQ(openOrPlay(rows, context(), played), static_cast<int>(rows.size()));
    EXPECT_EQ(queueFiles(rows, context(), queued), static_cast<int>(rows.size()));
    EXPECT_EQ(std::set<std::string>(played.paths.begin(), played.paths.end()), everyFile);
    EXPECT_EQ(queued.paths, played.paths);
    for (const std::string& path : everyFile) {
        const auto player = platform::playerCommand(platform::PlayerVerb::Play,
                                                    "vlc --one-instance --play-and-exit %F", path);
        ASSERT_TRUE(player.has_value());
        EXPECT_EQ(player->back(), path);
        EXPECT_EQ(player->size(), 4u);
        EXPECT_EQ(platform::shellOpenCommand(path), (std::vector<std::string>{"xdg-open", path}));
    }
}

TEST_F(HostileSearchTest, TheDragAndThePlaylistKeepOnePathALine) {
    const std::vector<std::string> dragged = dragPaths(rows, context());
    EXPECT_EQ(std::set<std::string>(dragged.begin(), dragged.end()), everyFile);
    const std::string uris = uriList(dragged);
    std::set<std::string> dropped;
    for (std::string_view line : store::splitLines(uris)) {
        if (!line.empty()) {
            EXPECT_EQ(line.find_first_of(" \"<>"), std::string::npos) << line;
            ASSERT_TRUE(line.starts_with("file://"));
            dropped.insert(percentDecoded(line.substr(7)));
        }
    }
    EXPECT_EQ(dropped, everyFile);

    const std::filesystem::path playlist = home.path("out/hostile.m3u");
    std::set<std::string> carried;
    for (const std::string& path : everyFile) {
        if (!holdsLineBreak(path)) {
            carried.insert(path);
        }
    }
    EXPECT_EQ(appendToPlaylist(playlist, rows, context(), settings),
              static_cast<int>(carried.size()));
    std::multiset<std::string> lines;
    const std::string written = home.read("out/hostile.m3u");
    for (std::string_view line : store::splitLines(written)) {
        if (!line.empty()) {
            lines.emplace(line);
        }
    }
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()), carried);
    EXPECT_EQ(lines.size(), carried.size());
}

TEST_F(HostileSearchTest, DeleteAndRenameReachTheChosenFilesOnly) {
    const std::vector<SearchRow> chosen = {rowOf("$(touch PWNED).mp3"), rowOf("line\nbreak.mp3"),
                                           rowOf("-rf")};
    user.answerYes();
    EXPECT_EQ(deleteFiles(chosen, context()), 3);
    for (const char* gone : {"$(touch PWNED).mp3", "line\nbreak.mp3", "-rf"}) {
        EXPECT_FALSE(std::filesystem::exists(files.at(gone))) << gone;
    }
    const SearchRow markup = rowOf("<script>alert(1)<!script>.html");
    const auto newPath = [this](const std::string&) {
        return std::optional<std::string>(home.path("Music/`touch PWNED` %25.txt").string());
    };
    EXPECT_EQ(renameFiles({markup}, context(), newPath), 1);
    EXPECT_TRUE(home.exists("Music/`touch PWNED` %25.txt"));
    EXPECT_EQ(std::count_if(everyFile.begin(), everyFile.end(),
                            [](const std::string& p) { return std::filesystem::exists(p); }),
              static_cast<long>(everyFile.size()) - 4);
    EXPECT_FALSE(std::filesystem::exists("PWNED"));
}

TEST_F(HostileSearchTest, EveryDccCommandIsOneLineNamingTheWholePath) {
    for (const bool quotes : {true, false}) {
        std::vector<std::string> sent;
        DccSession session;
        const auto link = [&](std::string_view) {
            return std::make_unique<RecordingLink>(sent, quotes);
        };
        const int count = dccSend(
            rows, context(), settings, session, [](const std::string&) { return "bob"; }, link);
        std::set<std::string> expected;
        for (const SearchRow& row : rows) {
            const std::string path = resolveRow(row, list, user, DiskQuestion::Never);
            const bool quoteInQuotes = quotes && path.find('"') != std::string::npos;
            if (row.text().find_first_of("%$") == std::string::npos && !holdsLineBreak(path) &&
                !quoteInQuotes) {
                expected.insert(quotes ? "/DCC send bob \"" + path + "\""
                                       : "/DCC send bob " + path);
            }
        }
        EXPECT_EQ(count, static_cast<int>(expected.size()));
        EXPECT_EQ(std::set<std::string>(sent.begin(), sent.end()), expected);
        for (const std::string& command : sent) {
            EXPECT_FALSE(platform::holdsLineBreak(command)) << command;
        }
    }
}

}  // namespace
}  // namespace quor::find
