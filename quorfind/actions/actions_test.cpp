#include <gtest/gtest.h>

#include "quorfind/actions/action_test_fixture.h"
#include "quorfind/actions/copy_drag.h"
#include "quorfind/actions/file_actions.h"
#include "quorfind/actions/open_play.h"
#include "quorfind/actions/playlist.h"

namespace quor::find {
namespace {

using testing::ActionTest;

// Records every request; open and play fail for the paths named.
class FakeLauncher final : public Launcher {
  public:
    Status open(std::string_view path) override { return take("open", path); }
    Status play(std::string_view path) override { return take("play", path); }
    Status enqueue(std::string_view path) override { return take("enqueue", path); }

    std::vector<std::string> failing;
    std::vector<std::string> calls;

  private:
    Status take(std::string verb, std::string_view path) {
        calls.push_back(verb + " " + std::string(path));
        for (const std::string& fail : failing) {
            if (fail == verb + " " + std::string(path) || fail == verb) {
                return Error{"cannot"};
            }
        }
        return Status::success();
    }
};

TEST_F(ActionTest, EveryActionButCopyRefusesOtherListSources) {
    FakeLauncher launcher;
    FindSettings settings(*store);
    const std::vector<SearchRow> rows = {row("Music/a.mp3")};
    for (ListType type : {ListType::TextList, ListType::ListsFolder}) {
        const ActionContext c = context(type);
        EXPECT_EQ(openOrPlay(rows, c, launcher), 0);
        EXPECT_EQ(queueFiles(rows, c, launcher), 0);
        EXPECT_EQ(deleteFiles(rows, c), 0);
        EXPECT_EQ(renameFiles(rows, c, [](const std::string&) { return "x"; }), 0);
        EXPECT_EQ(appendToPlaylist(home.path("p.m3u"), rows, c, settings), -1);
        EXPECT_TRUE(dragPaths(rows, c).empty());
        EXPECT_EQ(joinedText(rows), "Music/a.mp3");
    }
    EXPECT_TRUE(launcher.calls.empty());
    EXPECT_FALSE(home.exists("p.m3u"));
    EXPECT_TRUE(home.exists("music/a.mp3"));
    const RowAction actions[] = {RowAction::Open,   RowAction::Queue,    RowAction::Delete,
                                 RowAction::Rename, RowAction::Playlist, RowAction::Drag};
    ASSERT_EQ(user.boxes().size(), 12u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(user.boxes()[i].text, std::string(refusalFirstLine(actions[i])) +
                                            "\nFILE menu and choose \"Search Your List\".");
        EXPECT_EQ(user.boxes()[i].caption, "Notice");
    }
    EXPECT_EQ(refusalFirstLine(RowAction::DccSend),
              "You can only send files from your local list. Go to the");
}

TEST_F(ActionTest, OpenFallsBackToThePlayerAndStopsAtAFailure) {
    FakeLauncher launcher;
    launcher.failing = {"open " + music + "/Rock/b.mp3", "open " + music + "/Rock/c d.mp3",
                        "enqueue " + music + "/Rock/c d.mp3"};
    const std::vector<SearchRow> rows = {row("Music/a.mp3"), row("Music/Rock/b.mp3  1KB"),
                                         row("No Matches Found"), row("Music/Rock/c d.mp3"),
                                         row("Music/a.mp3")};
    EXPECT_EQ(openOrPlay(rows, context(), launcher), 2);
    EXPECT_EQ(launcher.calls,
              (std::vector<std::string>{"open " + music + "/a.mp3", "open " + music + "/Rock/b.mp3",
                                        "play " + music + "/Rock/b.mp3",
                                        "open " + music + "/Rock/c d.mp3",
                                        "enqueue " + music + "/Rock/c d.mp3"}));
    EXPECT_EQ(pauses, std::vector<int>{1000});  // only after a request to the player
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].caption, "Error");
    EXPECT_EQ(user.boxes()[0].text, std::string(kLaunchFailedText) + "\n\ncannot");
}

// A file that is no sound the desktop could not open never goes to the
// player: the failure is told with its reason and the action ends.
TEST_F(ActionTest, OnlySoundFilesGoToThePlayerWhenOpenFails) {
    home.file("music/notes.txt", "n");
    home.file("music/Tune.FLAC", "f");
    FakeLauncher launcher;
    launcher.failing = {"open"};
    EXPECT_EQ(openOrPlay({row("Music/Tune.FLAC"), row("Music/notes.txt"), row("Music/a.mp3")},
                         context(), launcher),
              1);
    EXPECT_EQ(launcher.calls, (std::vector<std::string>{"open " + music + "/Tune.FLAC",
                                                        "play " + music + "/Tune.FLAC",
                                                        "open " + music + "/notes.txt"}));
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].caption, "Error");
    EXPECT_EQ(user.boxes()[0].text, std::string(kLaunchFailedText) + "\n\ncannot");
    EXPECT_EQ(launchFailedText(""), kLaunchFailedText);
}

TEST_F(ActionTest, OnePlayThenTheRestQueuedBehindItInRowOrder) {
    FakeLauncher launcher;
    launcher.failing = {"open"};
    const std::vector<SearchRow> rows = {row("Music/Rock/c d.mp3"), row("Music/a.mp3"),
                                         row("Music/Rock/b.mp3")};
    EXPECT_EQ(openOrPlay(rows, context(), launcher), 3);
    EXPECT_EQ(launcher.calls,
              (std::vector<std::string>{
                  "open " + music + "/Rock/c d.mp3", "play " + music + "/Rock/c d.mp3",
                  "open " + music + "/a.mp3", "enqueue " + music + "/a.mp3",
                  "open " + music + "/Rock/b.mp3", "enqueue " + music + "/Rock/b.mp3"}));
    EXPECT_EQ(pauses, (std::vector<int>{1000, 1000, 1000}));
    // The next Open/Play starts with a "play" again.
    launcher.calls.clear();
    EXPECT_EQ(openOrPlay({row("Music/a.mp3")}, context(), launcher), 1);
    EXPECT_EQ(launcher.calls.back(), "play " + music + "/a.mp3");
}

TEST_F(ActionTest, QueueEnqueuesEachRowASecondApart) {
    FakeLauncher launcher;
    const std::vector<SearchRow> rows = {row("Music/a.mp3"), row("Music/Rock/b.mp3"),
                                         row("Music/Rock/c d.mp3  3KB")};
    EXPECT_EQ(queueFiles(rows, context(), launcher), 3);
    EXPECT_EQ(launcher.calls.size(), 3u);
    EXPECT_EQ(launcher.calls[2], "enqueue " + music + "/Rock/c d.mp3");
    EXPECT_EQ(pauses, (std::vector<int>{1000, 1000, 1000}));
    launcher.failing = {"enqueue"};
    EXPECT_EQ(queueFiles(rows, context(), launcher), 0);
    EXPECT_EQ(user.boxes().size(), 1u);
}

// Which rows the window passes (the selected ones, or all) is its own test.
TEST_F(ActionTest, PlaylistAppendsTheResolvedPathsOfTheRowsGiven) {
    FindSettings settings(*store);
    const std::vector<SearchRow> all = {row("Double click on an item to open or run it."),
                                        row("Music/a.mp3  1KB"), row("Music/Rock/c d.mp3")};
    const auto playlist = home.file("lists/old.m3u", "/x/old.mp3");  // no final line end
    EXPECT_EQ(appendToPlaylist(playlist, all, context(), settings), 2);
    EXPECT_EQ(home.read("lists/old.m3u"),
              "/x/old.mp3\r\n" + music + "/a.mp3\r\n" + music + "/Rock/c d.mp3\r\n");
    EXPECT_EQ(settings.playlistPath(), playlist.string());
    EXPECT_EQ(playlistDialogFolder(settings), home.path("lists/").string());

    const std::vector<SearchRow> selected = {row("Music/Rock/b.mp3")};
    EXPECT_EQ(appendToPlaylist(home.path("new.m3u"), selected, context(), settings), 1);
    EXPECT_EQ(home.read("new.m3u"), music + "/Rock/b.mp3\r\n");
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(ActionTest, PlaylistThatCannotBeWrittenIsReportedAndLeftAlone) {
    FindSettings settings(*store);
    const auto target = home.path("nofolder/p.m3u");
    EXPECT_EQ(appendToPlaylist(target, {row("Music/a.mp3")}, context(), settings), -1);
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].text,
              "There was a problem saving the MP3 playlist to: \n" + target.string());
    EXPECT_FALSE(store::AppSettings(*store, store::kQuorfind).contains(kPlaylistPath));
}

TEST_F(ActionTest, CopyTextAndDrag) {
    EXPECT_EQ(joinedText({row("one"), row("two")}), "one\r\ntwo");
    EXPECT_EQ(joinedText({}), "");
    const std::vector<SearchRow> rows = {row("Music/a.mp3"), row("No Matches Found"),
                                         row("Music/Rock/c d.mp3")};
    const auto paths = dragPaths(rows, context());
    EXPECT_EQ(paths, (std::vector<std::string>{music + "/a.mp3", music + "/Rock/c d.mp3"}));
    EXPECT_EQ(uriList({"/m/c d%é.mp3"}), "file:///m/c%20d%25%C3%A9.mp3\r\n");
}

}  // namespace
}  // namespace quor::find
