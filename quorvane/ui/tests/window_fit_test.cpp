// Window sizes grown with the system font, sizes the layout needs, and new
// windows centred over the window they came from.

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QtTest>

#include "common/qt/described_size.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/testing/test_main.h"
#include "common/qt/window_placement.h"
#include "quorvane/ui/dupes_window.h"
#include "quorvane/ui/head_foot_editor.h"
#include "quorvane/ui/removable_window.h"
#include "ui_world_fixture.h"

namespace quor::ui {

using namespace quor::testing;

namespace {

QFont largeFont() {
    QFont font;
    font.setPixelSize(26);
    return font;
}

QPoint centreOf(const QRect& rect) {
    return QPoint(rect.x() + rect.width() / 2, rect.y() + rect.height() / 2);
}

// The size a window opens at when nothing is stored: the described size
// grown with the font, at least what the layout prefers (within the screen)
// and the minimum.
QSize openingSize(const QWidget& window, QSize described) {
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    return describedSizeInPixels(described, logicalDpi(window), fontScaleOf(window))
        .expandedTo(window.sizeHint().boundedTo(screen))
        .expandedTo(window.minimumSize());
}

// Centred up to the pixel lost when halving an odd difference.
bool centredOver(const QRect& window, const QRect& area) {
    return (centreOf(window) - centreOf(area)).manhattanLength() <= 2;
}

}  // namespace

class WindowFitTest : public QObject {
    Q_OBJECT
  private slots:
    void fontScaleIsMeasuredAt96Dpi();
    void describedSizesGrowWithTheFont();
    void placeFollowsStoredDescribedAndLayoutSizes();
    void centredWindowsAreKeptOnTheirScreen();
    void mainWindowGrowsWithTheFontAndShowsTheListName();
    void toolWindowsOpenCentredOverTheMainWindow();
    void editorOpensCentredOverItsParent();
};

void WindowFitTest::fontScaleIsMeasuredAt96Dpi() {
    const struct {
        const char* name;
        double width, height, dpi;
        FontScale scale;
    } cases[] = {
        {"the 8-point font", 6, 13, 96, {1, 1}},
        {"the 8-point font at 144 DPI", 9, 19.5, 144, {1, 1}},
        {"twice as large", 12, 26, 96, {2, 2}},
        {"wider than high", 9, 13, 96, {1.5, 1}},
        {"no measures", 0, -1, 96, {1, 1}},
        {"no DPI", 7.5, 16.25, 0, {1.25, 1.25}},
        {"not a number", std::nan(""), 26, 96, {1, 2}},
    };
    for (const auto& c : cases) {
        const FontScale scale = fontScaleFor(c.width, c.height, c.dpi);
        QVERIFY2(qFuzzyCompare(scale.x, c.scale.x) && qFuzzyCompare(scale.y, c.scale.y), c.name);
    }
}

void WindowFitTest::describedSizesGrowWithTheFont() {
    QCOMPARE(describedSizeInPixels({3900, 4356}, 96, {1, 1}), QSize(260, 290));
    QCOMPARE(describedSizeInPixels({3900, 4356}, 96, {1.5, 2}), QSize(390, 581));
    QCOMPARE(describedSizeInPixels({3900, 4356}, 144, {1, 1}), QSize(390, 436));
    QCOMPARE(describedSizeInPixels({0, 1200}, 96, {2, 2}), QSize(0, 160));
    QCOMPARE(describedSizeInPixels({7, 7}, 96, {1, 1}), QSize(1, 1));  // never vanishes
    QCOMPARE(describedSizeInPixels({1500, 1500}, 0, {1, 1}), QSize(100, 100));
}

void WindowFitTest::placeFollowsStoredDescribedAndLayoutSizes() {
    const TwipsRect mainDefaults{1000, 1000, 3900, 4356};
    const TwipsRect toolDefaults{0, 0, 3780, 3132};
    const QRect area(100, 100, 800, 600);
    const struct {
        const char* name;
        StoredTwips stored;
        TwipsRect defaults;
        QSize minimumTwips;
        FontScale scale;
        QSize layoutMinimum;
        WindowPlace expected;
    } cases[] = {
        {"nothing stored: described sizes grow, minimum wins over the default width",
         {},
         mainDefaults,
         {4100, 2500},
         {1.5, 1.5},
         {0, 0},
         {{67, 67, 410, 436}, {410, 250}}},
        {"the layout needs more than the described minimum",
         {},
         mainDefaults,
         {4100, 2500},
         {1, 1},
         {300, 400},
         {{67, 67, 300, 400}, {300, 400}}},
        {"a stored size is converted as it is",
         {1500, 1500, 9000, 6000},
         mainDefaults,
         {4100, 2500},
         {2, 2},
         {0, 0},
         {{100, 100, 600, 400}, {547, 333}}},
        {"a stored size the layout does not fit in is enlarged",
         {1500, 1500, 1500, 1500},
         mainDefaults,
         {0, 0},
         {1, 1},
         {250, 120},
         {{100, 100, 250, 120}, {250, 120}}},
        {"default place 0, 0: centred over the area",
         {},
         toolDefaults,
         {3780, 2500},
         {1, 1},
         {0, 0},
         {{374, 295, 252, 209}, {252, 167}}},
        {"stored place 0, 0: centred too",
         {0, 0, 6000, 3000},
         mainDefaults,
         {0, 0},
         {1, 1},
         {0, 0},
         {{300, 300, 400, 200}, {0, 0}}},
        {"only one coordinate 0: placed as stored",
         {0, 15, 6000, 3000},
         mainDefaults,
         {0, 0},
         {1, 1},
         {0, 0},
         {{0, 1, 400, 200}, {0, 0}}},
    };
    for (const auto& c : cases) {
        const WindowPlace placed = placeWindow({c.stored, c.defaults, c.minimumTwips, 96, c.scale,
                                                c.layoutMinimum, area, QRect(), QSize()});
        if (placed != c.expected) {
            qWarning() << c.name << placed.rect << placed.minimum;
        }
        QVERIFY2(placed == c.expected, c.name);
    }

    // Centred over a window near the screen's corner: kept on the screen.
    const QRect screen(0, 0, 1600, 1000);
    const WindowPlace nearCorner = placeWindow(
        {{}, toolDefaults, {0, 0}, 96, {1, 1}, {0, 0}, QRect(10, 5, 200, 100), screen, QSize()});
    QCOMPARE(nearCorner.rect, QRect(0, 0, 252, 209));
}

void WindowFitTest::centredWindowsAreKeptOnTheirScreen() {
    const QRect screen(100, 50, 800, 600);
    const struct {
        QRect rect, expected;
    } cases[] = {
        {{200, 100, 300, 200}, {200, 100, 300, 200}},  // inside already
        {{-50, 20, 300, 200}, {100, 50, 300, 200}},    // off the top left
        {{700, 550, 300, 200}, {600, 450, 300, 200}},  // off the bottom right
        {{0, 0, 1000, 700}, {100, 50, 1000, 700}},     // larger: its top left shows
    };
    for (const auto& c : cases) {
        QCOMPARE(moveInside(c.rect, screen), c.expected);
    }
    QCOMPARE(moveInside(QRect(-5, -5, 10, 10), QRect()), QRect(-5, -5, 10, 10));
}

void WindowFitTest::mainWindowGrowsWithTheFontAndShowsTheListName() {
    UiWorld world;
    const auto large = world.makeMainWindow();
    large->setFont(largeFont());
    QVERIFY(large->load().ok());
    const double dpi = logicalDpi(*large);
    const FontScale scale = fontScaleOf(*large);
    QVERIFY(scale.x > 1.5 && scale.y > 1.5);
    QCOMPARE(large->minimumSize(),
             describedSizeInPixels({4100, 2500}, dpi, scale).expandedTo(large->minimumSizeHint()));
    QCOMPARE(large->size(), openingSize(*large, {3900, 4356}));
    QVERIFY(large->width() >= describedSizeInPixels({4100, 0}, dpi, scale).width());

    // The name of the current list is never cut off when the window opens.
    world.settings().saveSetting(
        "SavePath",
        (world.home.home() / "a-list-with-a-rather-long-name-to-show-in-full.txt").string());
    const auto window = world.makeMainWindow();
    QVERIFY(window->load().ok());
    window->show();
    auto* label = &child<QLabel>(*window, "lblListName");
    QVERIFY(label->text().contains("a-list-with-a-rather-long-name-to-show-in-full.txt"));
    QVERIFY(label->width() >= label->sizeHint().width());
}

void WindowFitTest::toolWindowsOpenCentredOverTheMainWindow() {
    UiWorld world;
    const auto main = world.makeMainWindow();
    QVERIFY(main->load().ok());
    main->move(200, 150);
    main->resize(700, 560);
    main->show();
    main->setRemovableDisksHandler(removableDisksWindowOpener(*main, world.services()));
    main->setDuplicatesHandler(duplicatesWindowOpener(*main, world.services()));
    main->manageRemovableDisks();
    main->findDuplicates();
    auto* removable = main->findChild<RemovableWindow*>();
    auto* dupes = main->findChild<DupesWindow*>();
    QVERIFY(removable != nullptr && dupes != nullptr);
    for (const auto& [window, twips] :
         {std::pair<QWidget*, QSize>{removable, {3780, 3132}}, {dupes, {3648, 3828}}}) {
        QVERIFY2(centredOver(window->geometry(), main->geometry()),
                 qPrintable(window->objectName()));
        QCOMPARE(window->size(), openingSize(*window, twips));
    }
    main->close();
}

void WindowFitTest::editorOpensCentredOverItsParent() {
    UiWorld world;
    QWidget owner;
    owner.setGeometry(50, 40, 700, 520);
    auto context = world.context();
    HeadFootEditor editor(context, ListText::Header, "text", &owner);
    QVERIFY(centredOver(editor.geometry(), owner.geometry()));
    QVERIFY(editor.width() >=
            describedSizeInPixels({7000, 5000}, logicalDpi(editor), fontScaleOf(editor)).width());
}

}  // namespace quor::ui

QUOR_QT_TEST_MAIN(quor::ui::WindowFitTest)

#include "window_fit_test.moc"
