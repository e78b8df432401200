// The tray icon, coming forward (tray, second copy), the single-instance
// names, and the names the menu tips give the player and IRC client.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

#include "common/qt/instance_beacon.h"
#include "common/qt/testing/test_main.h"
#include "platform/instance_lock.h"
#include "quorfind/start_quorvane.h"
#include "quorfind/ui/find_app.h"
#include "quorfind/ui/find_tray.h"
#include "quorfind/ui/link_names.h"
#include "quorfind/ui/search_services.h"
#include "window_fixture.h"

namespace quor::find::ui {

using namespace quor::testing;

class TrayAndStartTest : public QObject {
    Q_OBJECT
  private slots:
    void trayOffersSearchAndExitOnceAtATime();
    void minimisingHidesOnlyWhenATrayCanBringItBack();
    void comingForwardTakesTheListQuorvaneHandedOver();
    void eachProgramHasItsOwnLockAndBeacon();
    void linkNamesFollowTheSettings();
    void aListNotRebuiltIsToldInAMessageBox();
    void anUpdateRunsWithoutWaitingAndLearnsHowItEnded();
};

void TrayAndStartTest::trayOffersSearchAndExitOnceAtATime() {
    FindTray tray;
    QCOMPARE(tray.icon().toolTip(), QString("Quorfind"));
    QVERIFY(!tray.icon().icon().isNull());
    QStringList captions;
    for (QAction* action : tray.menu().actions()) {
        captions << action->text();
    }
    QCOMPARE(captions, (QStringList{"&Search", "E&xit"}));
    int searches = 0;
    int exits = 0;
    connect(&tray, &FindTray::searchRequested, [&] {
        ++searches;
        tray.handle(QSystemTrayIcon::DoubleClick);  // a second event while handling one
    });
    connect(&tray, &FindTray::exitRequested, [&] { ++exits; });
    tray.handle(QSystemTrayIcon::DoubleClick);
    tray.handle(QSystemTrayIcon::Context);  // the menu itself shows for this
    tray.menu().actions()[0]->trigger();
    QCOMPARE(searches, 2);
    tray.menu().actions()[1]->trigger();
    QCOMPARE(exits, 1);
    screenshot(tray.menu(), "tray-menu");
    QLabel picture;
    picture.setPixmap(tray.icon().icon().pixmap(64, 64));
    screenshot(picture, "tray-icon");
}

void TrayAndStartTest::minimisingHidesOnlyWhenATrayCanBringItBack() {
    WindowFixture f;
    f.window->showAtStart();
    f.window->showMinimized();
    QCoreApplication::processEvents();
    QVERIFY(f.window->isVisible());  // no tray: minimised where the task bar shows it

    f.window->setHiddenWhenMinimised(true);
    f.window->showNormal();
    f.window->showMinimized();
    QCoreApplication::processEvents();
    QVERIFY(f.window->isHidden());
    f.search("b.mp3");
    f.window->comeForward();
    QVERIFY(f.window->isVisible());
    QVERIFY(!f.window->isMinimized());
    QVERIFY(f.window->searchBox().lineEdit()->hasSelectedText());
    QCOMPARE(f.window->results().size(), 1u);  // the rows stay
}

void TrayAndStartTest::comingForwardTakesTheListQuorvaneHandedOver() {
    WindowFixture f;
    f.world.openAnswers.push_back(
        QString::fromStdString(f.world.home.file("t.txt", "x\r\n").string()));
    child<QAction>(*f.window, "mnuFileOpenNonLocal").trigger();
    f.window->comeForward();  // nothing handed over: the text list stays
    QCOMPARE(f.window->listType(), ListType::TextList);

    f.world.setSetting(kLocalList, "/web/new.list.html");  // as quorvane's Search does
    f.world.setSetting(kListType, "0");
    f.window->comeForward();
    QCOMPARE(f.window->listType(), ListType::OwnList);
    QCOMPARE(f.window->windowTitle(), QString("Quorfind - new.list.html"));
    child<QAction>(*f.window, "mnuUpdateList").trigger();
    QCOMPARE(f.world.started, std::vector<std::string>{"update 0 /web/new.list.html"});
}

void TrayAndStartTest::eachProgramHasItsOwnLockAndBeacon() {
    quor::testing::TempTree folder;
    const auto vane = platform::InstanceLock::tryAcquire(folder.root());
    QVERIFY(vane.has_value());
    const auto find = platform::InstanceLock::tryAcquire(folder.root(), kQuorfindLockFile);
    QVERIFY(find.has_value());
    QVERIFY(!platform::InstanceLock::tryAcquire(folder.root(), kQuorfindLockFile));
    QVERIFY(quor::ui::beaconName(folder.root(), "quorfind") != quor::ui::beaconName(folder.root()));
    QVERIFY(quor::ui::beaconName(folder.root(), "quorfind").startsWith("quorfind-"));
}

void TrayAndStartTest::linkNamesFollowTheSettings() {
    const auto nothingInstalled = [](std::string_view) { return false; };
    const auto onlyVlc = [](std::string_view name) { return name == "vlc"; };
    using platform::PlayerVerb;
    QCOMPARE(audioPlayerName(PlayerVerb::Enqueue, "", onlyVlc), std::string("VLC"));
    QCOMPARE(audioPlayerName(PlayerVerb::Enqueue, "", nothingInstalled), std::string());
    QCOMPARE(audioPlayerName(PlayerVerb::Enqueue, "audtool --playlist-addurl %F", nothingInstalled),
             std::string("audtool"));
    struct Case {
        const char* service;
        const char* client;
    };
    const Case cases[] = {{"mIRC", "HexChat"},
                          {"", "HexChat"},
                          {"WeeChat", "WeeChat"},
                          {"/tmp/weechat_fifo_9", "WeeChat (its pipe /tmp/weechat_fifo_9)"},
                          {"org.example.irc", "HexChat (D-Bus service org.example.irc)"}};
    for (const Case& c : cases) {
        QCOMPARE(ircClientName(c.service), std::string(c.client));
    }
}

void TrayAndStartTest::aListNotRebuiltIsToldInAMessageBox() {
    WindowFixture f;
    f.child<QAction>("mnuUpdateList").trigger();
    f.child<QAction>("mnuUpdateList").trigger();
    QCOMPARE(f.world.updatesRunning.size(), 2u);
    QVERIFY(f.world.user.boxes().empty());  // nothing is known until a run ends

    f.world.updatesRunning[0](std::nullopt);  // rebuilt
    QVERIFY(f.world.user.boxes().empty());
    const std::string failure = std::string(kListNotRebuilt) + "\nit is busy";
    f.world.updatesRunning[1](failure);
    QCOMPARE(f.world.user.boxes().size(), 1u);
    QCOMPARE(f.world.user.boxes()[0].text, failure);
    QCOMPARE(f.world.user.boxes()[0].caption, std::string("Quorfind"));

    f.child<QAction>("mnuUpdateList").trigger();
    f.window.reset();  // a run that ends after the window has gone tells nobody
    f.world.updatesRunning[2](failure);
    QCOMPARE(f.world.user.boxes().size(), 1u);
}

void TrayAndStartTest::anUpdateRunsWithoutWaitingAndLearnsHowItEnded() {
    quor::testing::TempTree tree;
    // The stand-in for quorvane waits on a pipe until the test lets it end.
    const std::string go = tree.path("go").string();
    QCOMPARE(::mkfifo(go.c_str(), 0600), 0);
    const auto script = tree.file("quorvane",
                                  "#!/bin/sh\nread line < \"$(dirname \"$0\")/go\"\n"
                                  "echo \"quorvane: $line\" >&2\nexit \"$1\"\n");
    ::chmod(script.c_str(), 0755);
    struct Case {
        const char* status;
        const char* said;
        std::optional<std::string> told;
    };
    const Case cases[] = {
        {"0", "the list was written", std::nullopt},
        {"75", "the running Quorvane window did not build the list: it is busy",
         std::string(kListNotRebuilt) +
             "\nThe running Quorvane window did not build the list: it is busy"},
    };
    for (const Case& c : cases) {
        quor::testing::ScriptedInteraction user;
        QEventLoop loop;
        int calls = 0;
        std::optional<std::string> told = "(not called)";
        const bool started =
            startListUpdate(user, std::vector<std::string>{script.string(), c.status},
                            [&](const std::optional<std::string>& failure) {
                                ++calls;
                                told = failure;
                                loop.quit();
                            });
        QVERIFY(started);
        QCOMPARE(calls, 0);  // returned while the run goes on
        const int pipe = ::open(go.c_str(), O_WRONLY | O_CLOEXEC);
        QVERIFY(pipe >= 0);
        const std::string line = std::string(c.said) + "\n";
        QCOMPARE(::write(pipe, line.data(), line.size()), static_cast<ssize_t>(line.size()));
        ::close(pipe);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);  // a guard, not a measure
        loop.exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the ended run
        QCOMPARE(calls, 1);
        QCOMPARE(told, c.told);
        QVERIFY(user.boxes().empty());
    }

    quor::testing::ScriptedInteraction user;
    QVERIFY(!startListUpdate(user, std::nullopt, [](const std::optional<std::string>&) {}));
    QVERIFY(!startListUpdate(user, std::vector<std::string>{tree.path("none").string()},
                             [](const std::optional<std::string>&) {}));
    QCOMPARE(user.texts(), (std::vector<std::string>(2, std::string(kQuorvaneNotFound))));
}

}  // namespace quor::find::ui

QUOR_QT_TEST_MAIN(quor::find::ui::TrayAndStartTest)

#include "tray_and_start_test.moc"
