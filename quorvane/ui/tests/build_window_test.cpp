// The list build in the main window, watched at every poll of the build:
// the folder being read, the progress, Stop, closing during a build; the
// output file chooser and the action after the build; the playlist save.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QtTest>

#include "common/qt/status_text.h"
#include "common/qt/testing/test_main.h"
#include "quorvane/ui/main_window.h"
#include "quorvane/ui/playlist_dialog.h"
#include "quorvane/ui/window_build.h"
#include "ui_world_fixture.h"

namespace quor::ui {

using namespace quor::testing;

namespace {

using quor::testing::crlf;

// What the main window showed at one poll of the build.
struct PollState {
    QString status;
    bool progressShown = false;
    int done = -1;
    int total = -1;
    bool stopShown = false;
    bool createEnabled = true;
    bool addFolderEnabled = true;
    bool operator==(const PollState&) const = default;
};

// Two folders on disk as records 0 and 1 (display name = path), subfolders
// sorted Pop before Rock, and an output file.
struct BuildWorld {
    UiWorld world;
    std::unique_ptr<MainWindow> window;
    WindowBuild* build = nullptr;

    BuildWorld() {
        world.home.file("music/a.txt", "a");
        world.home.file("music/Rock/b.txt", "bb");
        world.home.file("music/Pop/c.txt", "ccc");
        world.home.file("more/x.txt", "x");
        world.home.file("more/Sub/y.txt", "y");
        world.home.folder("out");
        world.addRecords({path("music"), path("more")});
        store::AppSettings s = world.settings();
        s.saveSetting("SavePath", path("out/list.txt"));
        s.saveSetting("ShowHeader", "0");
        s.saveSetting("ShowSummary", "0");
        window = world.makeMainWindow();
        build = attachWindowBuild(*window, world.user, world.services());
        build->interaction().setEventInterval(std::chrono::milliseconds(0));
        (void)window->load();
        window->resize(900, window->height());  // room for the whole folder path
    }
    std::string path(std::string_view relative) const { return world.home.path(relative).string(); }
    QProgressBar& progress() { return child<QProgressBar>(*window, "pbBuild"); }
    QPushButton& button(const char* name) { return child<QPushButton>(*window, name); }
    QString status() { return quor::ui::shownStatusText(*window->statusBar()); }

    PollState state() {
        return {status(),
                progress().isVisibleTo(window.get()),
                progress().value(),
                progress().maximum(),
                button("btnStop").isVisibleTo(window.get()),
                button("btnMakeList").isEnabled(),
                button("btnAdd").isEnabled()};
    }

    // Runs look at every poll of the build that starts next.
    void atEveryPoll(std::function<void()> look) {
        everyPoll = [this, look = std::move(look)] {
            look();
            if (window->building()) {
                QMetaObject::invokeMethod(window.get(), everyPoll, Qt::QueuedConnection);
            }
        };
        QMetaObject::invokeMethod(window.get(), everyPoll, Qt::QueuedConnection);
    }
    // Runs work once, at the first poll of the build that starts next.
    void atFirstPoll(std::function<void()> work) {
        QMetaObject::invokeMethod(window.get(), std::move(work), Qt::QueuedConnection);
    }

    std::function<void()> everyPoll;  // queued again at each poll while building
};

}  // namespace

class BuildWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void buildShowsTheFolderBeingReadAndTheFoldersDone();
    void savedStatusOutlastsMenuHoverTips();
    void stopKeepsTheLastListAndTheNextBuildRunsWhole();
    void closingDuringABuildWaitsForASafePoint();
    void withoutAnOutputFileTheChooserAsksAndTheActionRuns();
    void playlistIsAppendedToTheChosenFile();
    void screenshots();
};

void BuildWindowTest::buildShowsTheFolderBeingReadAndTheFoldersDone() {
    BuildWorld f;
    f.window->show();
    QVERIFY(!f.state().progressShown && !f.state().stopShown);
    std::vector<PollState> seen;
    QStringList tabFromCreateList;
    f.atFirstPoll([&] { tabFromCreateList = focusOrder(f.button("btnMakeList"), 2); });
    f.atEveryPoll([&] { seen.push_back(f.state()); });
    click(*f.window, "btnMakeList");
    QCOMPARE(tabFromCreateList, (QStringList{"btnMakeList", "btnStop"}));
    QCOMPARE(f.button("btnStop").text(), QString("Sto&p"));

    const auto saw = [&](const std::string& status, int done) {
        return std::find(seen.begin(), seen.end(),
                         PollState{QString::fromStdString(status), true, done, 2, true, false,
                                   false}) != seen.end();
    };
    QVERIFY(saw(f.path("music") + "/Pop/", 0));
    QVERIFY(saw(f.path("music") + "/Rock/", 0));
    QVERIFY(saw(f.path("more") + "/Sub/", 1));
    QVERIFY(saw("Sorting files.....", 2));

    const PollState after = f.state();
    QCOMPARE(after.status, QString::fromStdString("List saved as: " + f.path("out/list.txt")));
    QVERIFY(!after.progressShown && !after.stopShown && after.createEnabled &&
            after.addFolderEnabled);
    QCOMPARE(child<QLabel>(*f.window, "lblListName").text(),
             QString("List: list.txt, 5 files, 8B"));
    QCOMPARE(f.window->windowTitle(), QString("Quorvane - list.txt"));
    QVERIFY(f.world.home.read("out/list.txt").find("b.txt") != std::string::npos);
    QCOMPARE(f.world.user.busyDepth(), 0);
    QVERIFY(f.world.user.boxes().empty());
}

// A menu entry under the pointer shows its tip in the status bar; when the
// pointer leaves it (an empty tip), "List saved as" is back.
void BuildWindowTest::savedStatusOutlastsMenuHoverTips() {
    BuildWorld f;
    f.window->show();
    click(*f.window, "btnMakeList");
    const QString saved = f.status();
    QVERIFY(saved.startsWith("List saved as: "));
    QAction* entry = f.window->menuBar()->actions().first()->menu()->actions().first();
    entry->setStatusTip("Tip of the entry");
    QVERIFY(entry->showStatusText(f.window.get()));
    QCOMPARE(f.status(), QString("Tip of the entry"));
    QStatusTipEvent left{QString()};
    QCoreApplication::sendEvent(f.window.get(), &left);
    QCOMPARE(f.status(), saved);
}

void BuildWindowTest::stopKeepsTheLastListAndTheNextBuildRunsWhole() {
    BuildWorld f;
    f.world.home.file("out/list.txt", "previous list");
    f.world.home.file("home/0.txt", "old music cache");
    f.atFirstPoll([&] {
        click(*f.window, "btnStop");
        QVERIFY(!f.button("btnStop").isEnabled());
        // Create List is refused while the build winds down.
        click(*f.window, "btnMakeList");
        f.window->makeList();
    });
    click(*f.window, "btnMakeList");
    QCOMPARE(f.status(), QString("List creation was stopped."));
    QCOMPARE(f.world.home.read("out/list.txt"), std::string("previous list"));
    QCOMPARE(f.world.home.read("home/0.txt"), std::string("old music cache"));
    QVERIFY(!f.state().stopShown && f.state().createEnabled);

    click(*f.window, "btnMakeList");
    QVERIFY(f.status().startsWith("List saved as: "));
    QVERIFY(f.world.home.read("home/0.txt").starts_with("6\r\n"));
}

void BuildWindowTest::closingDuringABuildWaitsForASafePoint() {
    BuildWorld f;
    f.world.home.file("out/list.txt", "previous list");
    f.world.home.file("home/0.txt", "old music cache");
    f.window->show();
    int closes = 0;
    bool visibleAfterClose = false;
    QObject::connect(f.window.get(), &MainWindow::closed, [&] { ++closes; });
    f.atFirstPoll([&] {
        f.window->close();
        visibleAfterClose = f.window->isVisible();
        QCOMPARE(closes, 0);
    });
    click(*f.window, "btnMakeList");
    QVERIFY(visibleAfterClose);
    QVERIFY(!f.window->isVisible());
    QCOMPARE(closes, 1);
    // Every file is the old one or a new one, whole.
    QCOMPARE(f.world.home.read("out/list.txt"), std::string("previous list"));
    QCOMPARE(f.world.home.read("home/0.txt"), std::string("old music cache"));
    QVERIFY(f.world.home.exists("home/data/list.lst"));  // saved on closing
    QVERIFY(f.world.setting("MainWidth") != "<missing>");
}

void BuildWindowTest::withoutAnOutputFileTheChooserAsksAndTheActionRuns() {
    BuildWorld f;
    f.world.settings().saveSetting("SavePath", "");
    f.world.settings().saveSetting("PerformAction", "notify %");
    // Cancelled: nothing is built.
    click(*f.window, "btnMakeList");
    QCOMPARE(f.world.user.texts(),
             std::vector<std::string>{"You must choose a save file for the list!"});
    QVERIFY(f.world.started.empty());

    f.world.saveAnswers.push_back(QString::fromStdString(f.path("out/new.html")));
    click(*f.window, "btnMakeList");
    QCOMPARE(f.world.saveRequests.size(), 2u);
    QCOMPARE(f.world.saveRequests.back().title, QString("Save List Output As"));
    QVERIFY(f.world.home.read("out/new.html").find("<") != std::string::npos);
    QCOMPARE(f.world.setting("HTML"), std::string("1"));
    QCOMPARE(f.world.started.size(), 1u);
    QCOMPARE(
        f.world.started[0],
        (QStringList{"/bin/sh", "-c", "notify " + QString::fromStdString(f.path("out/new.html"))}));
    QCOMPARE(f.window->windowTitle(), QString("Quorvane - new.html"));

    // An action that cannot be started is told; the list stays saved.
    f.world.startSucceeds = false;
    click(*f.window, "btnMakeList");
    QCOMPARE(f.world.user.boxes().back().text,
             std::string("Problem executing your action command on the list!"));
    QVERIFY(f.status().startsWith("List saved as: "));
}

void BuildWindowTest::playlistIsAppendedToTheChosenFile() {
    BuildWorld f;
    f.window->setPlaylistHandler(playlistSaver(*f.window, f.world.services()));
    click(*f.window, "btnMakeList");
    f.world.home.file("lists/mine.m3u", "/kept/first.mp3\r\n");
    const std::string playlist = f.path("lists/mine.m3u");

    // Cancelled: nothing changes.
    child<QAction>(*f.window, "mnuMakePlayList").trigger();
    QCOMPARE(f.world.setting("PlaylistPath"), std::string("<missing>"));
    const FileRequest& asked = f.world.saveRequests.back();
    QCOMPARE(asked.title, QString("Save MP3 Playlist As: (choose an existing file to append)"));
    QVERIFY(asked.filter.startsWith("Playlist Files (") && asked.filter.contains("*.m3u"));
    QCOMPARE(asked.defaultSuffix, QString("m3u"));
    QVERIFY(!asked.confirmOverwrite);

    f.world.saveAnswers.push_back(QString::fromStdString(playlist));
    child<QAction>(*f.window, "mnuMakePlayList").trigger();
    const std::string files = f.path("more") + "/Sub/y.txt\n" + f.path("more") + "/x.txt\n" +
                              f.path("music") + "/a.txt\n" + f.path("music") + "/Pop/c.txt\n" +
                              f.path("music") + "/Rock/b.txt\n";
    QCOMPARE(f.world.home.read("lists/mine.m3u"), crlf("/kept/first.mp3\n" + files));
    QCOMPARE(f.world.setting("PlaylistPath"), playlist);

    // The next dialog opens in that folder; a second save appends again.
    f.world.saveAnswers.push_back(QString::fromStdString(playlist));
    child<QAction>(*f.window, "mnuMakePlayList").trigger();
    QCOMPARE(f.world.saveRequests.back().folder, QString::fromStdString(f.path("lists") + "/"));
    QCOMPARE(f.world.home.read("lists/mine.m3u"), crlf("/kept/first.mp3\n" + files + files));
    QCOMPARE(f.world.user.busyDepth(), 0);
}

void BuildWindowTest::screenshots() {
    BuildWorld f;
    f.window->resize(f.window->minimumSize());
    f.window->show();
    f.atFirstPoll([&] {
        f.progress().setValue(1);  // as it shows half way
        screenshot(*f.window, "main-window-building");
    });
    click(*f.window, "btnMakeList");
    screenshot(*f.window, "main-window-built");
}

}  // namespace quor::ui

QUOR_QT_TEST_MAIN(quor::ui::BuildWindowTest)

#include "build_window_test.moc"
