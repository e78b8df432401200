// The tray icon, coming forward (tray, second copy), the single-instance
// names, and the names the menu tips give the player and IRC client.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

#include "common/qt/instance_beacon.h"
#include "platform/instance_lock.h"
#include "quorfind/ui/find_app.h"
#include "quorfind/ui/find_tray.h"
#include "quorfind/ui/link_names.h"
#include "window_test_support.h"
#include "window_tests.h"

namespace quor::find::ui::testing {

class TrayAndStartTest : public QObject {
    Q_OBJECT
  private slots:
    void trayOffersSearchAndExitOnceAtATime();
    void minimisingHidesOnlyWhenATrayCanBringItBack();
    void comingForwardTakesTheListQuorvaneHandedOver();
    void eachProgramHasItsOwnLockAndBeacon();
    void linkNamesFollowTheSettings();
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
    f.window->findChild<QAction*>("mnuFileOpenNonLocal")->trigger();
    f.window->comeForward();  // nothing handed over: the text list stays
    QCOMPARE(f.window->listType(), ListType::TextList);

    f.world.setSetting(kLocalList, "/web/new.list.html");  // as quorvane's Search does
    f.world.setSetting(kListType, "0");
    f.window->comeForward();
    QCOMPARE(f.window->listType(), ListType::OwnList);
    QCOMPARE(f.window->windowTitle(), QString("Quorfind - new.list.html"));
    f.window->findChild<QAction*>("mnuUpdateList")->trigger();
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

QObject* newTrayAndStartTest() {
    return new TrayAndStartTest;
}

}  // namespace quor::find::ui::testing

#include "tray_and_start_test.moc"
