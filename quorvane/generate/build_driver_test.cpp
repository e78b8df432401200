#include "quorvane/generate/build_driver.h"

#include "quorvane/store/store_test_fixture.h"

namespace quor::generate {
namespace {

using quor::testing::crlf;

// A window that records what the build asked of it.
struct RecordingWindow : BuildWindow {
    std::vector<bool> enabled;
    std::vector<std::pair<int, int>> progressSeen;
    std::vector<RemovableDiskState> diskDialogs;
    std::string label;
    std::function<void()> onProgress;
    std::function<bool()> onChooseOutputFile;

    void setBuildEnabled(bool on) override { enabled.push_back(on); }
    bool chooseOutputFile() override { return onChooseOutputFile ? onChooseOutputFile() : false; }
    void addDisks(RemovableDiskState& state) override { diskDialogs.push_back(state); }
    void setListLabel(const std::string& text) override { label = text; }
    void progress(int done, int total) override {
        progressSeen.emplace_back(done, total);
        if (onProgress) {
            onProgress();
        }
    }
};

class BuildDriverTest : public quor::testing::StoreTest {
  protected:
    BuildDriverTest() {
        setSetting("ShowHeader", "0");
        setSetting("ShowSummary", "0");
    }

    std::string output() { return home.read("out/list.txt"); }

    // One folder on disk with two files, as record 0.
    void musicFolder() {
        home.file("Music/b.mp3", std::string(2048, 'x'));
        home.file("Music/a.txt", "12345");
        addRecords({home.path("Music").string()});
        setRecord(0, {home.path("Music").string(), "Music", "1", "0"});
        setSetting("SavePath", home.path("out/list.txt").string());
        home.folder("out");
    }

    store::ListContext ctx = context();
    RecordingWindow window;
    std::vector<std::vector<std::string>> started;
    ListBuild build{ctx, &window};

    void recordStarts() {
        build.setStartCommand([this](const std::vector<std::string>& argv) {
            started.push_back(argv);
            return Status();
        });
    }
};

TEST_F(BuildDriverTest, BuildsTheListRecordsTheFiguresAndSavesTheConfiguration) {
    musicFolder();
    recordStarts();
    EXPECT_EQ(build.MakeList(), BuildResult::Written);
    EXPECT_EQ(output(), crlf("Music/\n" + std::string(80, '-') + "\na.txt\nb.mp3\n\n"));
    EXPECT_EQ(setting("NumFiles"), " 2");
    EXPECT_EQ(setting("TotalSize"), "2KB");
    EXPECT_EQ(window.label, "List: list.txt, 2 files, 2KB");
    EXPECT_EQ(window.enabled, (std::vector<bool>{false, true}));
    EXPECT_EQ(window.progressSeen.back(), (std::pair<int, int>{1, 1}));
    EXPECT_TRUE(existsInHome("data/list.lst"));
    EXPECT_TRUE(existsInHome("data/list0.dat"));
    EXPECT_EQ(user.statuses().back(), "List saved as: " + home.path("out/list.txt").string());
    EXPECT_TRUE(started.empty());  // no action command
    EXPECT_EQ(user.busyDepth(), 0);
}

// The summary's last line holds the time of the build; everything else of
// a list built twice from the same configuration is the same.
std::string withoutCreationTime(std::string list) {
    const std::size_t created = list.find("Created:");
    return created == std::string::npos ? list
                                        : list.erase(created, list.find('\r', created) - created);
}

TEST_F(BuildDriverTest, AListBuiltTwiceIsTheSameButForItsDate) {
    musicFolder();
    home.file("Music/sub/c.mp3", std::string(5000, 'y'));
    setSetting("ShowSummary", "1");
    setSetting("IncludeFileSize", "1");
    setSetting("IncludeFileDate", "1");
    setSetting("IncludeMP3Info", "1");
    for (const char* html : {"0", "1"}) {
        setSetting("HTML", html);
        ASSERT_EQ(build.MakeList(), BuildResult::Written);
        const std::string first = output();
        ASSERT_EQ(build.MakeList(), BuildResult::Written);
        EXPECT_EQ(withoutCreationTime(output()), withoutCreationTime(first)) << "HTML " << html;
        EXPECT_NE(first.find("Created:"), std::string::npos);
    }
}

TEST_F(BuildDriverTest, NoFoldersOrNoOutputFileEndsBeforeAnythingIsWritten) {
    EXPECT_EQ(build.MakeList(), BuildResult::NoFolders);
    addRecords({"/nowhere"});
    bool asked = false;
    window.onChooseOutputFile = [&] {
        asked = true;
        return false;
    };
    EXPECT_EQ(build.MakeList(), BuildResult::NoOutputFile);
    EXPECT_TRUE(asked);
    EXPECT_EQ(user.texts(),
              (std::vector<std::string>{"No folders have been selected for the list!",
                                        "You must choose a save file for the list!"}));
    EXPECT_FALSE(existsInHome("0.txt"));
    EXPECT_EQ(window.enabled, (std::vector<bool>{false, true, false, true}));
}

TEST_F(BuildDriverTest, TheOutputFileChosenDuringTheBuildIsUsed) {
    musicFolder();
    setSetting("SavePath", "");
    window.onChooseOutputFile = [&] {
        setSetting("SavePath", home.path("out/list.txt").string());
        return true;
    };
    EXPECT_EQ(build.MakeList(), BuildResult::Written);
    EXPECT_NE(output(), "<missing>");
}

TEST_F(BuildDriverTest, AFolderThatIsNotUpdatedKeepsItsCacheFile) {
    musicFolder();
    setRecord(0, {home.path("Music").string(), "Music", "0", "0"});
    cacheFile(0, "7\r\n*Music/\r\nkept.txt\r\n");
    EXPECT_EQ(build.MakeList(), BuildResult::Written);
    EXPECT_EQ(readCacheFile(0), "7\r\n*Music/\r\nkept.txt\r\n");
    EXPECT_NE(output().find("kept.txt"), std::string::npos);
}

TEST_F(BuildDriverTest, AMissingCacheFileOfAKeptFolderIsReadOnceWithANotice) {
    musicFolder();
    setRecord(0, {home.path("Music").string(), "Music", "0", "0"});
    EXPECT_EQ(build.MakeList(), BuildResult::Written);
    EXPECT_EQ(user.texts().front(),
              home.path("Music").string() + " is not in the list, it must be updated.");
    EXPECT_NE(readCacheFile(0).find("a.txt"), std::string::npos);
}

TEST_F(BuildDriverTest, AMissingDiskSetOpensTheAddDiskDialog) {
    musicFolder();
    setRecord(0, {"/media/cdrom", "Disk 1", "0", "1"});
    build.MakeList();
    ASSERT_EQ(window.diskDialogs.size(), 1u);
    EXPECT_EQ(window.diskDialogs[0].recordIndex, 0);
    EXPECT_TRUE(window.diskDialogs[0].newFile);
    EXPECT_TRUE(window.diskDialogs[0].addToSet);
}

TEST_F(BuildDriverTest, ACancelledFolderKeepsItsOldCacheFile) {
    musicFolder();
    addRecords({home.path("Gone").string()});
    cacheFile(1, "3\r\n*" + home.path("Gone").string() + "/\r\nold.txt\r\n");
    user.answerNo();  // Cancel the retry question for the missing folder
    EXPECT_EQ(build.MakeList(), BuildResult::Written);
    EXPECT_EQ(readCacheFile(1), "3\r\n*" + home.path("Gone").string() + "/\r\nold.txt\r\n");
    EXPECT_NE(output().find("old.txt"), std::string::npos);
    EXPECT_EQ(build.problems(),
              (std::vector<std::string>{"Could not read the folder " + home.path("Gone").string() +
                                        "/: No such file or directory (its previous listing is "
                                        "kept)"}));
}

TEST_F(BuildDriverTest, WhatCouldNotBeWrittenOrReadIsAProblemOfTheBuild) {
    musicFolder();
    // Folders where the cache file and the saved list should go.
    home.folder("home/0.txt/in the way");
    home.folder("home/data/list.lst/in the way");
    EXPECT_EQ(build.MakeList(), BuildResult::Written);
    const std::string music = home.path("Music").string();
    const std::vector<std::string> expected = {
        "the listing of " + music + " may not be up to date: Could not replace " +
            home.path("home/0.txt").string() + ": Is a directory",
        "the list leaves out " + music + ": it has no listing",
        "the configuration was not saved as the saved list list"};
    EXPECT_EQ(build.problems(), expected);
    EXPECT_EQ(build.MakeList(), BuildResult::Written);  // each build counts anew
    EXPECT_EQ(build.problems().size(), 3u);
}

TEST_F(BuildDriverTest, AStopRequestEndsTheBuildAndKeepsThePreviousList) {
    musicFolder();
    home.file("out/list.txt", "previous list");
    user.stopAtPoll(1);
    EXPECT_EQ(build.MakeList(), BuildResult::Stopped);
    EXPECT_EQ(output(), "previous list");
    EXPECT_EQ(window.enabled.back(), true);
}

// The last safe point is after the list body is built and before anything
// is written: a stop there keeps the previous list and its figures. Once
// the list is written, a stop no longer ends the build.
TEST_F(BuildDriverTest, AStopWhileTheBodyIsBuiltWritesNothing) {
    musicFolder();
    EXPECT_EQ(build.MakeList(), BuildResult::Written);
    const int polls = user.polls();
    home.file("out/list.txt", "previous list");
    setSetting("NumFiles", " 7");
    // The second build's poll after its body, the one before the list is
    // written (the last poll comes after that and stops nothing).
    user.stopAtPoll(2 * polls - 1);
    EXPECT_EQ(build.MakeList(), BuildResult::Stopped);
    EXPECT_EQ(user.polls(), 2 * polls - 1);
    EXPECT_EQ(output(), "previous list");
    EXPECT_EQ(setting("NumFiles"), " 7");
    EXPECT_EQ(user.statuses().back(), "List creation was stopped.");

    user.stopAtPoll(user.polls() + polls);  // the third build's last poll
    EXPECT_EQ(build.MakeList(), BuildResult::Written);
    EXPECT_NE(output(), "previous list");
}

TEST_F(BuildDriverTest, ASecondStartDuringABuildIsIgnored) {
    musicFolder();
    BuildResult nested = BuildResult::Written;
    window.onProgress = [&] { nested = build.MakeList(); };
    EXPECT_EQ(build.MakeList(), BuildResult::Written);
    EXPECT_EQ(nested, BuildResult::Busy);
    EXPECT_FALSE(build.busy());
}

TEST_F(BuildDriverTest, AnUnwritableOutputFileIsReportedAndNoActionRuns) {
    musicFolder();
    setSetting("SavePath", home.path("no/such/folder/list.txt").string());
    setSetting("PerformAction", "notify %");
    recordStarts();
    EXPECT_EQ(build.MakeList(), BuildResult::Failed);
    EXPECT_TRUE(started.empty());
    EXPECT_FALSE(user.boxes().empty());
    ASSERT_FALSE(build.problems().empty());
    EXPECT_EQ(build.problems()[0].rfind(
                  "Could not create a file in " + home.path("no/such/folder").string(), 0),
              0u);
}

TEST(ActionCommand, SubstitutesTheFirstPercentOrElseTheFirstAt) {
    EXPECT_EQ(actionCommand("notify %", "/lists/my.txt"), "notify /lists/my.txt");
    EXPECT_EQ(actionCommand("copy @ x", "/lists/my.txt"), "copy my.txt x");
    EXPECT_EQ(actionCommand("a % b %", "/p"), "a /p b %");
    EXPECT_EQ(actionCommand("% and @", "/l/f.txt"), "/l/f.txt and @");
    EXPECT_EQ(actionCommand("plain", "/p"), "plain");
}

TEST_F(BuildDriverTest, TheActionRunsThroughTheShellAndAFailureIsReported) {
    musicFolder();
    setSetting("PerformAction", "scp % host:");
    recordStarts();
    EXPECT_EQ(build.MakeList(), BuildResult::Written);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0],
              (std::vector<std::string>{"/bin/sh", "-c",
                                        "scp " + home.path("out/list.txt").string() + " host:"}));
    build.setStartCommand(
        [](const std::vector<std::string>&) { return Status(Error{"no shell"}); });
    EXPECT_EQ(build.MakeList(), BuildResult::Written);
    EXPECT_EQ(user.boxes().back().text, "Problem executing your action command on the list!");
    EXPECT_EQ(user.boxes().back().caption, "no shell");
    EXPECT_EQ(build.problems(),
              (std::vector<std::string>{"the action command could not be started: no shell"}));
    EXPECT_TRUE(existsInHome("data/list.lst"));
}

// A list output file that names a file the programs own is refused before
// anything is written, and the store still opens.
TEST_F(BuildDriverTest, AnOutputFileTheProgramsOwnIsRefusedAndNothingIsWritten) {
    musicFolder();
    home.file("home/data/kept.lst", "saved list\r\n");
    home.file("home/0.txt", "cache\r\n");
    home.file("home/header.txt", "header\r\n");
    const std::string settingsBefore = home.read("home/settings.db");
    for (const char* owned : {"settings.db", "data/kept.lst", "0.txt", "header.txt"}) {
        const std::string savePath = (home.home() / owned).string();
        setSetting("SavePath", savePath);
        EXPECT_EQ(build.MakeList(), BuildResult::OutputRefused) << owned;
        ASSERT_FALSE(user.boxes().empty());
        EXPECT_NE(user.boxes().back().text.find(savePath), std::string::npos) << owned;
        EXPECT_EQ(user.boxes().back().shown, Shown::Always);
    }
    EXPECT_EQ(home.read("home/data/kept.lst"), "saved list\r\n");
    EXPECT_EQ(home.read("home/0.txt"), "cache\r\n");
    EXPECT_EQ(home.read("home/header.txt"), "header\r\n");
    EXPECT_FALSE(existsInHome("data/settings.lst"));
    EXPECT_FALSE(existsInHome("data/0.lst"));
    auto reopened = store::SettingsStore::open(home.home() / "settings.db");
    ASSERT_TRUE(reopened.ok());
    EXPECT_EQ(store::AppSettings(**reopened, store::kQuorvane).setting("NumPaths"), "1");
}

}  // namespace
}  // namespace quor::generate
