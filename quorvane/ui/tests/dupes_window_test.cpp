// The Duplicate Files window driven through its buttons, keys and menus over
// a catalogue on disk: the search and its Stop, Open, Delete and Rename.

#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "common/qt/testing/test_main.h"
#include "common/qt/window_placement.h"
#include "dupes_fixture.h"
#include "quorvane/dupes/row_actions.h"
#include "quorvane/ui/main_window.h"

namespace quor::ui {

using namespace quor::testing;

namespace {

const QString kInstruction = "Double click on a file to open or run it.";
const QStringList kBothPairs = {"Music/My Song.mp3  3KB", "Music/Rock/my_song.MP3  3KB", "",
                                "More/abc.mp3  1KB",      "More/cab.mp3  1KB",           ""};

QPushButton& button(DupesWindow& window, const char* name) {
    return child<QPushButton>(window, name);
}

void trigger(DupesWindow& window, const char* action) {
    child<QAction>(window, action).trigger();
}

// Runs work at the search's first poll, when the window lets events run.
void atFirstPoll(QObject& context, std::function<void()> work) {
    QMetaObject::invokeMethod(&context, std::move(work), Qt::QueuedConnection);
}

// What the window showed while its search was running.
struct SearchingState {
    QString caption;
    QString button;
    bool buttonEnabled = false;
    bool actionsEnabled = false;
    bool optionsEnabled = false;
};

SearchingState stateOf(DupesWindow& window) {
    return {window.windowTitle(), button(window, "btnSearch").text(),
            button(window, "btnSearch").isEnabled(), button(window, "btnDelete").isEnabled(),
            child<QAction>(window, "mnuDupesOptions").isEnabled()};
}

QStringList menuCaptions(QMenu& menu) {
    QStringList captions;
    for (QAction* action : menu.actions()) {
        captions << action->text();
    }
    return captions;
}

}  // namespace

class DupesWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void searchListsThePairsAndTellsHowMany();
    void stopEndsTheSearchAfterTheCurrentFolder();
    void closingDuringASearchWaitsForItToStop();
    void deleteRemovesTheFileItsRowAndItsCacheLine();
    void renameRenamesTheFileItsRowsAndItsCacheLine();
    void openHandsTheFileToTheDesktop();
    void contextMenuFollowsThePointerAndTheMenuKey();
    void everyControlIsReachedByKeyboard();
    void keysActOnTheListAndEscapeStopsOrCloses();
    void mainWindowOpensOneWindowThatKeepsItsPlace();
};

void DupesWindowTest::searchListsThePairsAndTellsHowMany() {
    DupesWorld f;
    auto window = f.makeWindow();
    QCOMPARE(shownRows(*window), QStringList{kInstruction});
    QCOMPARE(window->windowTitle(), QString("Duplicate Files"));
    selectRow(*window, 0);  // the instruction names no file
    QVERIFY(dupesList(*window).selectedItems().isEmpty());
    QVERIFY(!stateOf(*window).actionsEnabled);

    // Without a list of at least two files nothing is searched.
    f.world.settings().saveSetting("NumFiles", "1");
    button(*window, "btnSearch").click();
    QCOMPARE(f.world.user.texts(), std::vector<std::string>{"You must first create a list!"});
    QCOMPARE(shownRows(*window), QStringList{kInstruction});

    f.world.settings().saveSetting("NumFiles", "5");
    SearchingState during;
    atFirstPoll(*window, [&] { during = stateOf(*window); });
    button(*window, "btnSearch").click();
    QCOMPARE(during.caption, QString("Searching..."));
    QCOMPARE(during.button, QString("Stop"));
    QVERIFY(during.buttonEnabled && !during.actionsEnabled && !during.optionsEnabled);

    QCOMPARE(shownRows(*window), kBothPairs);
    QCOMPARE(window->rows().rowMap[4], std::string("More/cab.mp3*  1KB"));
    QCOMPARE(statusText(*window), QString("Found 2 possible duplicate files."));
    const SearchingState after = stateOf(*window);
    QCOMPARE(after.caption, QString("Duplicate Files"));
    QCOMPARE(after.button, QString("Search"));
    QVERIFY(after.buttonEnabled && !after.actionsEnabled && after.optionsEnabled);
    // The file rows can be selected, the separators cannot; the buttons
    // that act on a file follow the selection.
    for (int row = 0; row < kBothPairs.size(); ++row) {
        selectRow(*window, row);
        const bool file = !kBothPairs[row].isEmpty();
        QCOMPARE(dupesList(*window).item(row)->isSelected(), file);
        QCOMPARE(stateOf(*window).actionsEnabled, file);
    }
    QCOMPARE(f.world.user.busyDepth(), 0);

    // A search that finds nothing says so in the list.
    f.writeCacheFile(1, "1\n*More/\nother.txt*  1KB\n");
    f.writeCacheFile(0, "1\n*Music/\nMy Song.mp3*      3KB\n");
    button(*window, "btnSearch").click();
    QCOMPARE(shownRows(*window), QStringList{"No duplicate files found."});
}

void DupesWindowTest::stopEndsTheSearchAfterTheCurrentFolder() {
    DupesWorld f;
    auto window = f.makeWindow();
    SearchingState afterStop;
    atFirstPoll(*window, [&] {
        button(*window, "btnSearch").click();  // reads "Stop"
        afterStop = stateOf(*window);
    });
    button(*window, "btnSearch").click();
    // Stop reads "Search" again, but no second search starts inside this one.
    QCOMPARE(afterStop.button, QString("Search"));
    QVERIFY(!afterStop.buttonEnabled);
    // Only the first folder was read; its first entry was still compared.
    QCOMPARE(shownRows(*window), kBothPairs.mid(0, 3));
    QCOMPARE(statusText(*window), QString("Found 1 possible duplicate files."));
    QVERIFY(button(*window, "btnSearch").isEnabled());

    // The next search starts without the old stop request.
    button(*window, "btnSearch").click();
    QCOMPARE(shownRows(*window), kBothPairs);
}

void DupesWindowTest::closingDuringASearchWaitsForItToStop() {
    DupesWorld f;
    auto window = f.makeWindow();
    window->show();
    bool visibleAfterClose = false;
    atFirstPoll(*window, [&] {
        window->close();
        visibleAfterClose = window->isVisible();
    });
    button(*window, "btnSearch").click();
    QVERIFY(visibleAfterClose);
    QVERIFY(!window->isVisible());
    QCOMPARE(shownRows(*window), kBothPairs.mid(0, 3));
    QVERIFY(f.world.setting("DupesWidth") != "<missing>");
}

void DupesWindowTest::deleteRemovesTheFileItsRowAndItsCacheLine() {
    DupesWorld f;
    auto window = f.makeWindow();
    trigger(*window, "mnuDelete");
    QCOMPARE(f.world.user.texts().back(), std::string("You must first select a file to delete!"));
    button(*window, "btnSearch").click();

    // The Delete key asks first; No keeps everything.
    selectRow(*window, 1);
    f.world.user.answerNo();
    QTest::keyClick(&dupesList(*window), Qt::Key_Delete);
    const std::string path = f.musicFolder() + "/Rock/my_song.MP3";
    QCOMPARE(f.world.user.boxes().back().text,
             "Are you sure you want to delete the\nfile: " + path + "?");
    QCOMPARE(f.world.user.boxes().back().caption, std::string("Warning"));
    QVERIFY(f.world.home.exists("music/Rock/my_song.MP3"));
    QCOMPARE(shownRows(*window), kBothPairs);

    f.world.user.answerYes();
    QTest::keyClick(&dupesList(*window), Qt::Key_Delete);
    QVERIFY(!f.world.home.exists("music/Rock/my_song.MP3"));
    QStringList expected = kBothPairs;
    expected.removeAt(1);  // the partner row stays
    QCOMPARE(shownRows(*window), expected);
    QCOMPARE(window->rows().rowMap.size(), window->rows().rows.size());
    QVERIFY(dupesList(*window).selectedItems().isEmpty());
    QVERIFY(!button(*window, "btnDelete").isEnabled());
    // The row that moved up into the separator's place became one.
    selectRow(*window, 1);
    QVERIFY(dupesList(*window).selectedItems().isEmpty());
    QCOMPARE(f.cacheFile(0), quor::testing::crlf("2\n*Music/\nMy Song.mp3*      3KB\n"
                                                 "*Music/Rock/\n"));
    QCOMPARE(f.world.setting("NumFiles"), std::string("4"));

    // The same through the pop-up menu; an empty row does nothing.
    selectRow(*window, 1);
    trigger(*window, "mnuDelete");
    QCOMPARE(shownRows(*window), expected);
    selectRow(*window, 3);
    f.world.user.answerYes();
    trigger(*window, "mnuDelete");
    QVERIFY(!f.world.home.exists("more/cab.mp3"));
    QCOMPARE(f.cacheFile(1), quor::testing::crlf("3\n*More/\nabc.mp3*  1KB\nother.txt*  1KB\n"));
    QCOMPARE(f.world.setting("NumFiles"), std::string("3"));
    QCOMPARE(f.world.user.unscriptedQuestions(), 0);
}

void DupesWindowTest::renameRenamesTheFileItsRowsAndItsCacheLine() {
    DupesWorld f;
    f.world.home.file("music/taken.mp3");
    auto window = f.makeWindow();
    trigger(*window, "mnuRename");
    QCOMPARE(f.world.user.texts().back(), std::string("You must first select a file to rename!"));
    QVERIFY(f.world.dialogsRun.empty());
    button(*window, "btnSearch").click();
    selectRow(*window, 0);

    // Cancel changes nothing.
    f.world.dialogScripts.push_back([](QDialog& dialog) {
        click(dialog, "btnCancel");
        return dialog.result();
    });
    button(*window, "btnRename").click();
    QCOMPARE(f.world.dialogsRun, std::vector<QString>{"frmRename"});
    QVERIFY(f.world.home.exists("music/My Song.mp3"));

    // A name that is taken is refused.
    f.world.dialogScripts.push_back([](QDialog& dialog) {
        child<QLineEdit>(dialog, "txtNewFileName").setText("taken.mp3");
        click(dialog, "btnOK");
        return dialog.result();
    });
    button(*window, "btnRename").click();
    QCOMPARE(f.world.user.texts().back(),
             std::string("Can't rename, the file taken.mp3 already exists!"));
    QVERIFY(f.world.home.exists("music/My Song.mp3"));

    // The dialog offers the current name; characters no name may hold go.
    f.world.dialogScripts.push_back([](QDialog& dialog) {
        auto* newName = &child<QLineEdit>(dialog, "txtNewFileName");
        SCRIPT_CHECK(child<QLineEdit>(dialog, "txtOldFileName").text(), QString("My Song.mp3"));
        SCRIPT_CHECK(newName->selectedText(), QString("My Song.mp3"));
        newName->setText("Best?Song*.mp3");
        click(dialog, "btnOK");
        return dialog.result();
    });
    trigger(*window, "mnuRename");
    QVERIFY(!f.world.home.exists("music/My Song.mp3"));
    QCOMPARE(f.world.home.read("music/BestSong.mp3"), std::string("song"));
    QCOMPARE(shownRows(*window)[0], QString("Music/BestSong.mp3  3KB"));
    QCOMPARE(window->rows().rowMap[0], std::string("Music/BestSong.mp3*      3KB"));
    QCOMPARE(f.cacheFile(0), quor::testing::crlf("2\n*Music/\nBestSong.mp3*      3KB\n"
                                                 "*Music/Rock/\nmy_song.MP3*      3KB\n"));
    QVERIFY(!dupesList(*window).selectedItems().isEmpty());
    QCOMPARE(f.world.user.unscriptedQuestions(), 0);
}

void DupesWindowTest::openHandsTheFileToTheDesktop() {
    DupesWorld f;
    auto window = f.makeWindow();
    window->show();
    QListWidget& list = dupesList(*window);
    button(*window, "btnSearch").click();

    const QPoint inRow = list.visualItemRect(list.item(3)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, inRow);  // a double click's first press
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, inRow);
    selectRow(*window, 4);
    QTest::keyClick(&list, Qt::Key_Return);
    selectRow(*window, 2);  // a separator row opens nothing
    button(*window, "btnOpen").click();
    using Call = std::pair<std::string, std::string>;
    QCOMPARE(f.opener->calls, (std::vector<Call>{{f.moreFolder() + "/abc.mp3", "open"},
                                                 {f.moreFolder() + "/cab.mp3", "open"}}));

    // When neither open nor play can start anything, the user is told.
    f.opener->calls.clear();
    f.opener->succeeds = false;
    selectRow(*window, 0);
    trigger(*window, "mnuOpen");
    const std::string path = f.musicFolder() + "/My Song.mp3";
    QCOMPARE(f.opener->calls, (std::vector<Call>{{path, "open"}, {path, "play"}}));
    QCOMPARE(f.world.user.texts().back(),
             std::string(dupes::kNotRegistered) + "\n\nno application");

    // A file that is not there asks for its disk; Cancel ends the action.
    f.opener->calls.clear();
    std::filesystem::remove(f.world.home.path("more/abc.mp3"));
    selectRow(*window, 3);
    f.world.user.answerNo();
    button(*window, "btnOpen").click();
    QCOMPARE(f.world.user.boxes().back().text, "Please insert the disk " + f.moreFolder() + "/");
    QCOMPARE(f.world.user.boxes().back().caption, std::string("File Not Found"));
    QVERIFY(f.opener->calls.empty());
}

void DupesWindowTest::contextMenuFollowsThePointerAndTheMenuKey() {
    DupesWorld f;
    auto window = f.makeWindow();
    window->show();
    button(*window, "btnSearch").click();
    QListWidget& list = dupesList(*window);
    auto* menu = &child<QMenu>(*window, "mnuDupesList");
    QCOMPARE(menuCaptions(*menu), (QStringList{"&Open/Play", "&Rename", "&Delete"}));

    selectRow(*window, 0);
    const QPoint inRow = list.visualItemRect(list.item(3)).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, inRow, list.viewport()->mapToGlobal(inRow));
    QCoreApplication::sendEvent(list.viewport(), &click);
    QCOMPARE(list.currentRow(), 3);
    QVERIFY(list.item(3)->isSelected());
    QVERIFY(menu->isVisible());
    menu->hide();

    // The menu key offers the menu for the current row, wherever the pointer is.
    list.setCurrentRow(4, QItemSelectionModel::ClearAndSelect);
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 5),
                          list.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&list, &key);
    QCOMPARE(list.currentRow(), 4);
    QVERIFY(menu->isVisible());
    menu->hide();

    // Not on a separator row.
    const QPoint separator = list.visualItemRect(list.item(2)).center();
    QContextMenuEvent empty(QContextMenuEvent::Mouse, separator,
                            list.viewport()->mapToGlobal(separator));
    QCoreApplication::sendEvent(list.viewport(), &empty);
    QVERIFY(!menu->isVisible());
}

void DupesWindowTest::everyControlIsReachedByKeyboard() {
    DupesWorld f;
    auto window = f.makeWindow();
    button(*window, "btnSearch").click();
    selectRow(*window, 0);  // the file buttons are enabled with a file
    QCOMPARE(focusOrder(dupesList(*window), 6), (QStringList{"DupesList", "btnOpen", "btnRename",
                                                             "btnDelete", "btnSearch", "btnDone"}));
    QVERIFY(!dupesList(*window).accessibleName().isEmpty());
    QCOMPARE(button(*window, "btnDelete").toolTip(), QString("Click to delete the selected file"));
    QCOMPARE(child<QAction>(*window, "mnuDupesOptions").text(), QString("&Options"));
    QCOMPARE(button(*window, "btnDone").text(), QString("Exit"));
}

void DupesWindowTest::keysActOnTheListAndEscapeStopsOrCloses() {
    DupesWorld f;
    auto window = f.makeWindow();
    QCOMPARE(child<QAction>(*window, "mnuRename").shortcut(), QKeySequence(Qt::Key_F2));
    QCOMPARE(child<QAction>(*window, "mnuDelete").shortcut(), QKeySequence(Qt::Key_Delete));
    QVERIFY(showActive(*window));
    button(*window, "btnSearch").click();
    QListWidget& list = dupesList(*window);
    list.setFocus();
    selectRow(*window, 0);
    f.world.dialogScripts.push_back([](QDialog& dialog) {
        click(dialog, "btnCancel");
        return dialog.result();
    });
    QTest::keyClick(&list, Qt::Key_F2);
    QCOMPARE(f.world.dialogsRun, std::vector<QString>{"frmRename"});

    // During a search Escape stops it, and the window stays.
    atFirstPoll(*window, [&] { QTest::keyClick(&list, Qt::Key_Escape); });
    button(*window, "btnSearch").click();
    QCOMPARE(shownRows(*window), kBothPairs.mid(0, 3));
    QVERIFY(window->isVisible());
    // Idle, it closes the window.
    QTest::keyClick(&list, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
}

void DupesWindowTest::mainWindowOpensOneWindowThatKeepsItsPlace() {
    DupesWorld f;
    const auto mainWindow = f.world.makeMainWindow();
    MainWindow& main = *mainWindow;
    main.setDuplicatesHandler(duplicatesWindowOpener(main, f.world.services()));
    const double dpi = logicalDpi(main);
    f.world.storePixels({{"DupesLeft", 40}, {"DupesTop", 30}, {"DupesHeight", 400}}, dpi);

    main.findDuplicates();
    main.findDuplicates();  // the open window comes forward; no second one
    const QList<DupesWindow*> windows = main.findChildren<DupesWindow*>();
    QCOMPARE(windows.size(), 1);
    QPointer<DupesWindow> window = windows.first();
    QVERIFY(window->isVisible());
    QCOMPARE(window->pos(), QPoint(40, 30));
    QCOMPARE(window->height(), 400);
    QVERIFY(window->width() >= twipsToPixels(3648, dpi));  // never below its default size
    QCOMPARE(shownRows(*window), QStringList{kInstruction});

    window->resize(window->width() + 30, 420);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
    QCOMPARE(f.world.setting("DupesHeight"), std::to_string(pixelsToTwips(420, dpi)));

    // Ending the program closes the window without storing its place.
    main.findDuplicates();
    window = main.findChild<DupesWindow*>();
    QVERIFY(!window.isNull());
    QCOMPARE(window->height(), 420);
    window->resize(window->width(), 480);
    emit main.closed();
    QVERIFY(!window->isVisible());
    QCOMPARE(f.world.setting("DupesHeight"), std::to_string(pixelsToTwips(420, dpi)));
}

}  // namespace quor::ui

QUOR_QT_TEST_MAIN(quor::ui::DupesWindowTest)

#include "dupes_window_test.moc"
