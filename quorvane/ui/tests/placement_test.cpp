// Window placement in twips, the off-screen rule, the reset case, and the
// single-instance beacon.

#include <QSignalSpy>
#include <QtTest>

#include "common/qt/instance_beacon.h"
#include "common/qt/testing/test_main.h"
#include "common/qt/window_placement.h"
#include "quorvane/ui/main_window.h"
#include "ui_world_fixture.h"

namespace quor::ui {

using namespace quor::testing;

class PlacementTest : public QObject {
    Q_OBJECT
  private slots:
    void storedTwipsAreReadAsWideNumbers();
    void twipsAndPixelsAtEveryDpi();
    void windowsOffEveryScreenMoveToThePrimary();
    void mainWindowOpensAtItsStoredPlacement();
    void minimisedWindowKeepsTheLastPlacement();
    void unusablePlacementFailsTheLoad();
    void secondCopyReachesTheFirst();
};

void PlacementTest::storedTwipsAreReadAsWideNumbers() {
    struct Case {
        const char* text;
        std::optional<std::int64_t> value;
    };
    const Case cases[] = {{"1000", 1000},
                          {" -45 ", -45},
                          {"40000", 40000},  // beyond 16 bits
                          {"99999999999", 99999999999LL},
                          {"12.6", 13},
                          {"", std::nullopt},
                          {"abc", std::nullopt},
                          {"12abc", std::nullopt},
                          {"0x10", std::nullopt},
                          {"1e3", std::nullopt},
                          {"99999999999999999999999", std::nullopt}};
    for (const Case& c : cases) {
        QCOMPARE(parseTwips(c.text), c.value);
    }
}

void PlacementTest::twipsAndPixelsAtEveryDpi() {
    QCOMPARE(twipsToPixels(1500, 96), 100);
    QCOMPARE(pixelsToTwips(100, 96), 1500);
    QCOMPARE(twipsToPixels(1440, 144), 144);
    QCOMPARE(pixelsToTwips(3000, 96), 45000);  // a position a 16-bit value cannot hold
    const TwipsRect rect{1500, 3000, 61500, 4500};
    QCOMPARE(toTwips(toPixels(rect, 96), 96), rect);
    QCOMPARE(twipsToPixels(15, 0), 1);  // an unknown DPI counts as 96
}

void PlacementTest::windowsOffEveryScreenMoveToThePrimary() {
    const QRect primary(0, 0, 1920, 1080);
    const QList<QRect> screens = {primary, QRect(1920, 0, 1280, 1024)};
    QCOMPARE(keepOnScreens(QRect(100, 100, 300, 200), screens, primary), QRect(100, 100, 300, 200));
    QCOMPARE(keepOnScreens(QRect(2000, 500, 300, 200), screens, primary),
             QRect(2000, 500, 300, 200));
    // A screen that is gone, far left, or only a sliver showing.
    QCOMPARE(keepOnScreens(QRect(5000, 100, 300, 200), screens, primary), QRect(0, 0, 300, 200));
    QCOMPARE(keepOnScreens(QRect(-290, 100, 300, 200), screens, primary), QRect(0, 0, 300, 200));
    QCOMPARE(keepOnScreens(QRect(100, 1075, 300, 200), screens, primary), QRect(0, 0, 300, 200));
    // Larger than the primary screen: shrunk to fit.
    QCOMPARE(keepOnScreens(QRect(9000, 0, 4000, 3000), screens, primary), primary);
}

void PlacementTest::mainWindowOpensAtItsStoredPlacement() {
    UiWorld world;
    MainWindow window(*world.store, store::Places(world.home.home()), world.user, world.services());
    const double dpi = logicalDpi(window);
    auto s = world.settings();
    s.saveSetting("MainLeft", std::to_string(pixelsToTwips(40, dpi)));
    s.saveSetting("MainTop", std::to_string(pixelsToTwips(30, dpi)));
    s.saveSetting("MainWidth", "2000");  // below the smallest width
    s.saveSetting("MainHeight", std::to_string(pixelsToTwips(500, dpi)));
    QVERIFY(window.load().ok());
    QCOMPARE(window.pos(), QPoint(40, 30));
    QVERIFY(window.width() >= twipsToPixels(4100, dpi));
    QCOMPARE(window.height(), 500);
    window.show();
    window.resize(600, 520);
    window.close();
    QCOMPARE(world.setting("MainWidth"), std::to_string(pixelsToTwips(600, dpi)));
    QCOMPARE(world.setting("MainHeight"), std::to_string(pixelsToTwips(520, dpi)));
}

void PlacementTest::minimisedWindowKeepsTheLastPlacement() {
    UiWorld world;
    world.settings().saveSetting("MainLeft", "1234");
    MainWindow window(*world.store, store::Places(world.home.home()), world.user, world.services());
    QVERIFY(window.load().ok());
    window.show();
    window.setWindowState(Qt::WindowMinimized);
    if (!window.isMinimized()) {
        QSKIP("this platform does not minimise windows");
    }
    window.close();
    QCOMPARE(world.setting("MainLeft"), std::string("1234"));
}

void PlacementTest::unusablePlacementFailsTheLoad() {
    UiWorld world;
    world.settings().saveSetting("MainTop", "left of centre");
    MainWindow window(*world.store, store::Places(world.home.home()), world.user, world.services());
    const Status loaded = window.load();
    QVERIFY(!loaded.ok());
    QVERIFY(loaded.error().find("MainTop") != std::string::npos);
}

void PlacementTest::secondCopyReachesTheFirst() {
    quor::testing::TempTree folders;
    const QString name = beaconName(folders.folder("one"));
    QVERIFY(name != beaconName(folders.folder("two")));
    QCOMPARE(name, beaconName(folders.root() / "one/../one"));
    QVERIFY(!askFirstCopyToComeForward(name));  // nobody listens yet
    InstanceBeacon first;
    QVERIFY(first.listen(name));
    QSignalSpy asked(&first, &InstanceBeacon::comeForwardRequested);
    QVERIFY(askFirstCopyToComeForward(name));
    QVERIFY(asked.count() == 1 || asked.wait());
    QCOMPARE(asked.count(), 1);
}

}  // namespace quor::ui

QUOR_QT_TEST_MAIN(quor::ui::PlacementTest)

#include "placement_test.moc"
