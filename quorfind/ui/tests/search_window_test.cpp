// The search window driven through its search box, buttons and menus: the
// three sources, Stop, the recent searches, the first start, placement and
// the options' effects.

#include "quorfind/ui/search_window.h"

#include <QAction>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusTipEvent>
#include <QtTest>

#include "common/qt/testing/test_main.h"
#include "quorfind/search/saved_list_fixture.h"
#include "quorfind/search/search_texts.h"
#include "window_fixture.h"

namespace quor::find::ui {

using namespace quor::testing;

namespace {

std::vector<std::string> instructions() {
    return {kInstructionRows.begin(), kInstructionRows.end()};
}

}  // namespace

class SearchWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void startsOnTheOwnListWithInstructions();
    void ownListSearchShowsRowsStatusAndCaption();
    void foundTextOutlastsMenuHoverTips();
    void enterSearchesAndAPickSearchesAgain();
    void recentSearchesSurviveARestartAsEightItems();
    void stopEndsASearchBetweenFiles();
    void closingDuringASearchWaitsForItsEnd();
    void textListIsChosenSearchedAndRemembered();
    void listsFolderIsCreatedAndSearched();
    void aFullResultListKeepsItsRowsAndSaysSoOnce();
    void savedListChooserMakesTheOwnList();
    void ownListWithoutNameAsksForAList();
    void firstStartShowsHelpOnlyOnce();
    void placementKeepsTheMinimumAndStoresTwips();
    void firstStartOpensCentredAndGrownWithTheFont();
    void optionsSetTopMostAndScrollRange();
    void helpWithoutAPageSaysSo();
    void keyboardReachesEveryControl();
};

void SearchWindowTest::startsOnTheOwnListWithInstructions() {
    WindowFixture f;
    f.world.setSetting(kListType, "1");  // left over from a run that did not close
    f.reopen();
    QCOMPARE(f.window->windowTitle(), QString("Quorfind - music.txt"));
    QCOMPARE(f.rows(), instructions());
    QCOMPARE(f.window->listType(), ListType::OwnList);
    QCOMPARE(f.world.setting(kListType), std::string("0"));
    QCOMPARE(f.window->searchBox().count(), 8);
    QCOMPARE(f.window->searchBox().currentText(), QString());
    QVERIFY(f.world.user.boxes().empty());
}

void SearchWindowTest::ownListSearchShowsRowsStatusAndCaption() {
    WindowFixture f;
    f.search("");
    QCOMPARE(f.rows(), kMusicRows);
    QCOMPARE(f.status(), QString("Found 3 matching files."));
    QCOMPARE(f.window->windowTitle(), QString("Quorfind - music.txt"));
    f.search("*ROCK/?");  // cleaned to "ROCK", found in the folder names
    QCOMPARE(f.window->searchBox().currentText(), QString("ROCK"));
    QCOMPARE(f.rows(), (std::vector<std::string>{"Music/Rock/b.mp3", "Music/Rock/c d.mp3"}));
    f.world.setSetting(kIncludeFolders, "0");
    f.search("rock");
    QCOMPARE(f.rows(), std::vector<std::string>{std::string(kNoMatchesRow)});
    QCOMPARE(f.status(), QString("Found 0 matching files."));
    screenshot(*f.window, "search-window-no-matches");
    QVERIFY(f.window->results().notes());
    QCOMPARE(f.child<QPushButton>("btnSearch").text(), QString("Search"));
}

// A menu entry under the pointer shows its tip in the status bar; when the
// pointer leaves it (an empty tip), the search's own text is back.
void SearchWindowTest::foundTextOutlastsMenuHoverTips() {
    WindowFixture f;
    f.search("");
    QCOMPARE(f.status(), QString("Found 3 matching files."));
    QAction* entry = f.window->menuBar()->actions().first()->menu()->actions().first();
    entry->setStatusTip("Tip of the entry");
    QVERIFY(entry->showStatusText(f.window.get()));
    QCOMPARE(f.status(), QString("Tip of the entry"));
    QStatusTipEvent left{QString()};
    QCoreApplication::sendEvent(f.window.get(), &left);
    QCOMPARE(f.status(), QString("Found 3 matching files."));
}

void SearchWindowTest::enterSearchesAndAPickSearchesAgain() {
    WindowFixture f;
    f.search("b.mp3");
    f.search("a.mp3");
    f.search("b.mp3");  // already listed: the list stays as it is
    QComboBox& box = f.window->searchBox();
    QCOMPARE(box.itemText(0), QString("a.mp3"));
    QCOMPARE(box.itemText(1), QString("b.mp3"));
    QCOMPARE(box.count(), 8);
    QCOMPARE(f.rows(), std::vector<std::string>{"Music/Rock/b.mp3"});
    QCOMPARE(f.window->searchBox().currentText(), QString("b.mp3"));
    QCOMPARE(f.world.user.busyDepth(), 0);

    box.setCurrentIndex(0);  // a recent search picked from the list runs as it stands
    emit box.activated(0);
    QCOMPARE(f.rows(), std::vector<std::string>{"Music/a.mp3"});
    QCOMPARE(box.itemText(0), QString("a.mp3"));
}

void SearchWindowTest::recentSearchesSurviveARestartAsEightItems() {
    WindowFixture f;
    for (int i = 1; i <= 9; ++i) {
        f.search(QString("text %1").arg(i));
    }
    f.window->close();
    QCOMPARE(f.world.setting("SearchFav0"), std::string("text 9"));
    QCOMPARE(f.world.setting("SearchFav7"), std::string("text 2"));
    f.reopen();
    QComboBox& box = f.window->searchBox();
    QCOMPARE(box.count(), 8);
    QCOMPARE(box.itemText(0), QString("text 9"));
    QCOMPARE(box.itemText(7), QString("text 2"));
}

void SearchWindowTest::stopEndsASearchBetweenFiles() {
    WindowFixture f;
    quor::testing::writeSavedList(f.world.home, "music",
                                  {{"0", "/one", "One", "0\n*One/\nx1.mp3\n"},
                                   {"0", "/two", "Two", "0\n*Two/\nx2.mp3\n"},
                                   {"0", "/three", "Three", "0\n*Three/\nx3.mp3\n"}});
    QPushButton& button = f.child<QPushButton>("btnSearch");
    QString captionWhileSearching;
    // Clicked from the window's event queue, which the search runs after its
    // first file.
    QMetaObject::invokeMethod(
        &button,
        [&] {
            captionWhileSearching = button.text();
            screenshot(*f.window, "search-window-searching");
            QVERIFY(!f.child<QAction>("mnuEditDelete").isEnabled());
            button.click();
        },
        Qt::QueuedConnection);
    f.search("x");
    QCOMPARE(captionWhileSearching, QString("Stop"));
    QCOMPARE(f.rows(), std::vector<std::string>{"One/x1.mp3"});
    QCOMPARE(button.text(), QString("Search"));
    QVERIFY(!f.window->searching());
    QVERIFY(f.child<QAction>("mnuEditDelete").isEnabled());
    f.search("x");  // the next search starts afresh
    QCOMPARE(f.rows().size(), 3u);
}

void SearchWindowTest::closingDuringASearchWaitsForItsEnd() {
    WindowFixture f;
    f.window->show();
    int closedSignals = 0;
    connect(f.window.get(), &SearchWindow::closed, [&] { ++closedSignals; });
    QMetaObject::invokeMethod(
        f.window.get(), [&] { f.window->close(); }, Qt::QueuedConnection);
    f.search("mp3");
    QCOMPARE(closedSignals, 1);
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.world.setting("SearchFav0"), std::string("mp3"));
}

void SearchWindowTest::textListIsChosenSearchedAndRemembered() {
    WindowFixture f;
    const auto list =
        f.world.home.file("lists/other.txt", "Alpha song\r\n\r\nbeta SONG\r\nnone\r\n");
    f.world.openAnswers.push_back(QString::fromStdString(list.string()));
    f.child<QAction>("mnuFileOpenNonLocal").trigger();
    QCOMPARE(f.world.fileRequests.at(0).title, QString("Select a text file to search:"));
    QCOMPARE(f.world.fileRequests.at(0).folder,
             QString::fromStdString(f.world.home.home().string()));
    QCOMPARE(f.window->windowTitle(), QString("Quorfind - other.txt"));
    QCOMPARE(f.world.setting(kListType), std::string("1"));
    QCOMPARE(f.world.setting(kNonLocalList), list.string());
    f.search("song");
    QCOMPARE(f.rows(), (std::vector<std::string>{"Alpha song", "beta SONG"}));

    f.child<QAction>("mnuUpdateList").trigger();
    QCOMPARE(f.world.started, std::vector<std::string>{"update 1 " + list.string()});

    f.world.openAnswers.push_back("");  // cancelled: nothing changes
    f.child<QAction>("mnuFileOpenNonLocal").trigger();
    QCOMPARE(f.world.fileRequests.at(1).folder,
             QString::fromStdString(f.world.home.path("lists").string() + "/"));
    QCOMPARE(f.window->listType(), ListType::TextList);

    f.window->close();
    QCOMPARE(f.world.setting(kListType), std::string("0"));
    QCOMPARE(f.world.setting(kNonLocalList), list.string());
    QCOMPARE(f.world.setting(kLocalList), std::string("/web/music.txt"));
}

void SearchWindowTest::listsFolderIsCreatedAndSearched() {
    WindowFixture f;
    std::filesystem::remove_all(f.world.places().listsFolder());
    f.child<QAction>("mnuFileOpenListsFolder").trigger();
    QCOMPARE(f.world.user.boxes().at(0).caption, std::string(kNoListsCaption));
    QVERIFY(std::filesystem::is_directory(f.world.places().listsFolder()));
    QCOMPARE(f.window->windowTitle(), QString("Quorfind - Lists Folder"));
    f.world.home.file("home/Lists/friends.txt", "Abbey Road.mp3\r\nother\r\n");
    f.search("abbey");
    QCOMPARE(f.rows(), std::vector<std::string>{"FRIENDS.TXT - Abbey Road.mp3"});
    screenshot(*f.window, "search-window-lists-folder");
    QCOMPARE(f.world.user.boxes().size(), 1u);
}

void SearchWindowTest::aFullResultListKeepsItsRowsAndSaysSoOnce() {
    WindowFixture f;
    f.world.limits.maxRows = 2;
    f.reopen();
    f.search("");  // the own list's three rows
    QCOMPARE(f.rows(), (std::vector<std::string>{kMusicRows[0], kMusicRows[1]}));
    QCOMPARE(f.world.user.texts(), std::vector<std::string>{std::string(kTooManyMatchesText)});
    QCOMPARE(f.status(), QString("Found 2 matching files."));

    const auto list = f.world.home.file("lists/many.txt", "s1\ns2\ns3\ns4\n");
    f.world.openAnswers.push_back(QString::fromStdString(list.string()));
    f.child<QAction>("mnuFileOpenNonLocal").trigger();
    f.search("s");
    QCOMPARE(f.rows(), (std::vector<std::string>{"s1", "s2"}));
    QCOMPARE(f.world.user.texts().size(), 2u);
}

void SearchWindowTest::savedListChooserMakesTheOwnList() {
    WindowFixture f;
    quor::testing::writeSavedList(f.world.home, "other", {{"0", "/x", "X", "0\n*X/\nx.mp3\n"}});
    f.world.listChoices = {"other.lst"};
    f.child<QAction>("mnuFileOpenLocal").trigger();
    QCOMPARE(f.world.dialogsRun, std::vector<std::string>{"frmSavedLists"});
    QCOMPARE(f.world.setting(kLocalList), std::string("/web/other.txt"));
    QCOMPARE(f.window->windowTitle(), QString("Quorfind - other.txt"));
    f.search("");
    QCOMPARE(f.rows(), std::vector<std::string>{"X/x.mp3"});

    f.world.home.file("home/data/broken.lst", "3.2\r\n");
    f.world.listChoices = {"broken.lst"};
    f.child<QAction>("mnuFileOpenLocal").trigger();
    QCOMPARE(f.world.user.boxes().at(0).text,
             std::string("There was a problem opening your list!"));
    QCOMPARE(f.window->currentListPath(), std::string("/web/other.txt"));
}

void SearchWindowTest::ownListWithoutNameAsksForAList() {
    WindowFixture f;
    f.world.setSetting(kLocalList, "");
    f.reopen();
    f.world.listChoices = {"music.lst"};
    f.search("a.mp3");
    QCOMPARE(f.world.dialogsRun, std::vector<std::string>{"frmSavedLists"});
    QCOMPARE(f.rows(), std::vector<std::string>{"Music/a.mp3"});
    QCOMPARE(f.window->searchBox().currentText(), QString("a.mp3"));
}

void SearchWindowTest::firstStartShowsHelpOnlyOnce() {
    WindowFixture f;
    f.world.duringDialog = [&] { QVERIFY(f.window->isVisible()); };
    f.window->showAtStart();
    QCOMPARE(f.world.dialogsRun, std::vector<std::string>{"firstStartHelp"});
    f.window->close();
    f.reopen();
    f.window->showAtStart();
    QCOMPARE(f.world.dialogsRun.size(), 1u);

    WindowFixture minimised;  // closed minimised on its very first run
    minimised.window->showAtStart();
    minimised.window->showMinimized();
    minimised.window->close();
    minimised.reopen();
    minimised.window->showAtStart();
    QCOMPARE(minimised.world.dialogsRun.size(), 1u);
}

void SearchWindowTest::placementKeepsTheMinimumAndStoresTwips() {
    WindowFixture f;
    f.world.setSetting("SearchWidth", "1000");
    f.world.setSetting("SearchHeight", "900");
    f.world.setSetting("SearchLeft", "-90000");  // on no screen: moved onto the primary one
    f.world.setSetting("SearchTop", "300");
    f.reopen();
    const double dpi = quor::ui::logicalDpi(*f.window);
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(f.window->pos()));
    QVERIFY(f.window->width() >= quor::ui::twipsToPixels(kSearchMinimumWidth, dpi));
    QVERIFY(f.window->height() >= quor::ui::twipsToPixels(kSearchMinimumHeight, dpi));
    f.window->move(3000, 20);  // stored beyond 16-bit twips as it is
    f.window->close();
    QCOMPARE(f.world.setting("SearchLeft"), std::to_string(quor::ui::pixelsToTwips(3000, dpi)));
    QVERIFY(std::stoi(f.world.setting("SearchWidth")) >= kSearchMinimumWidth - 15);

    f.world.setSetting("SearchWidth", "wide");
    f.reopen();
    QCOMPARE(f.world.user.boxes().size(), 1u);
    QVERIFY(f.world.user.boxes()[0].text.find("SearchWidth") != std::string::npos);
    QCOMPARE(f.rows(), instructions());
}

void SearchWindowTest::firstStartOpensCentredAndGrownWithTheFont() {
    FindWorld world;
    SearchWindow window(*world.store, world.places(), world.user, world.services());
    QFont large;
    large.setPixelSize(26);
    window.setFont(large);
    window.load();
    const double dpi = quor::ui::logicalDpi(window);
    const quor::ui::FontScale scale = quor::ui::fontScaleOf(window);
    QVERIFY(scale.x > 1.5 && scale.y > 1.5);
    const QSize minimum =
        quor::ui::describedSizeInPixels({kSearchMinimumWidth, kSearchMinimumHeight}, dpi, scale);
    QCOMPARE(window.minimumSize(), minimum.expandedTo(window.minimumSizeHint()));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(window.width() >= quor::ui::describedSizeInPixels({4170, 0}, dpi, scale).width());
    QVERIFY(window.height() >= quor::ui::describedSizeInPixels({0, 4080}, dpi, scale).height());

    // In the usual font the window opens wide enough for the instructions.
    WindowFixture f;
    f.window->show();
    QAbstractItemView& view = f.child<ResultView>("SearchList");
    QCOMPARE(f.rows(), instructions());
    const int widestRow = view.sizeHintForColumn(0);
    QVERIFY(widestRow > quor::ui::twipsToPixels(4170, dpi));
    QVERIFY(view.viewport()->width() >= widestRow);
    // Centred up to the frame's edges, which the place includes.
    const QPoint offCentre = f.window->geometry().center() - screen.center();
    QVERIFY(std::abs(offCentre.x()) <= 4 && std::abs(offCentre.y()) <= 4);
}

void SearchWindowTest::optionsSetTopMostAndScrollRange() {
    WindowFixture f;
    f.world.setSetting(kAlwaysOnTop, "1");
    f.reopen();
    f.window->showAtStart();
    QVERIFY(f.window->topMost());
    QVERIFY(f.window->isVisible());
    bool topMostInDialog = true;
    f.world.optionsScript = [&](FindSettings& settings) {
        topMostInDialog = f.window->topMost();
        settings.app().save(kAlwaysOnTop, "0");
        settings.app().save(kIncludeHScrollBar, "0");
    };
    f.child<QAction>("mnuOptions").trigger();
    QVERIFY(!topMostInDialog);
    QVERIFY(!f.window->topMost());
    QVERIFY(f.window->isVisible());
    ResultView& view = f.window->resultView();
    QCOMPARE(view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    f.world.optionsScript = [](FindSettings& settings) {
        settings.app().save(kAlwaysOnTop, "1");
        settings.app().save(kIncludeHScrollBar, "1");
    };
    f.child<QAction>("mnuOptions").trigger();
    QVERIFY(f.window->topMost());
    QCOMPARE(view.header()->sectionSize(0), 3 * view.width());
    screenshot(*f.window, "search-window-instructions");
}

void SearchWindowTest::helpWithoutAPageSaysSo() {
    WindowFixture f;
    f.child<QAction>("mnuHelp").trigger();
    QCOMPARE(f.world.user.texts(), std::vector<std::string>{std::string(kHelpFailedText)});
    f.world.helpPage = "/usr/share/quorvane/help/index.html";
    f.child<QAction>("mnuHelp").trigger();
    QCOMPARE(f.world.opened, std::vector<QString>{f.world.helpPage});
}

void SearchWindowTest::keyboardReachesEveryControl() {
    WindowFixture f;
    f.window->show();
    QStringList order;
    QWidget* start = &f.window->searchBox();
    QWidget* w = start;
    do {
        if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(f.window.get())) {
            order << w->objectName();
        }
        w = w->nextInFocusChain();
    } while (w != start);
    order.removeAll(QString());
    QCOMPARE(order, (QStringList{"SearchBox", "btnSearch", "btnOpen", "SearchList"}));
    QCOMPARE(f.child<QLabel>("lblSearchText").buddy(), &f.window->searchBox());
    QVERIFY(!f.window->searchBox().accessibleName().isEmpty());
    QVERIFY(!f.window->resultView().accessibleName().isEmpty());
}

}  // namespace quor::find::ui

QUOR_QT_TEST_MAIN(quor::find::ui::SearchWindowTest)

#include "search_window_test.moc"
