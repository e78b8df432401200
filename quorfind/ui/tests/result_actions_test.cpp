// The actions of the search window on result rows: the Edit menu, the
// context menu and its selection rules, the Open button, double-click,
// drag, clipboard and DCC send, each over the real files of a temporary
// folder.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "common/qt/testing/test_main.h"
#include "quorfind/actions/action_context.h"
#include "quorfind/actions/file_actions.h"
#include "window_fixture.h"

namespace quor::find::ui {

using namespace quor::testing;

namespace {

// A window that has searched the own list "music" (its three rows shown).
struct Searched : WindowFixture {
    Searched() { search(""); }
    void trigger(const char* action) { child<QAction>(action).trigger(); }
    QPoint rowPoint(int row) {
        ResultView& view = window->resultView();
        const QRect rect = view.visualRect(view.model()->index(row, 0));
        return QPoint(rect.left() + 10, rect.center().y());
    }
};

}  // namespace

class ResultActionsTest : public QObject {
    Q_OBJECT
  private slots:
    void everyActionButCopyRefusesAnotherSource();
    void copyTextPutsTheShownRowsOnTheClipboard();
    void openAndQueueHandTheResolvedPaths();
    void notesCannotBeSelectedAndOpenNeedsAResult();
    void keysReachTheSearchBoxAndTheSelectedRows();
    void doubleClickOpensTheRowUnderThePointer();
    void deleteAsksThenRemovesTheFilesAndKeepsTheRows();
    void renameMovesTheFileAndNeverReplacesOne();
    void playlistAppendsEveryRowWhenNoneIsSelected();
    void dragCarriesTheResolvedPaths();
    void rightClickKeepsOrReplacesTheSelection();
    void dccSendWritesToTheIrcClientsPipe();
    void tipsNameThePlayerAndIrcClientInUse();
};

void ResultActionsTest::everyActionButCopyRefusesAnotherSource() {
    Searched f;
    const auto list = f.world.home.file("other.txt", "Music/a.mp3\r\n");
    f.world.openAnswers.push_back(QString::fromStdString(list.string()));
    f.trigger("mnuFileOpenNonLocal");
    f.search("");
    f.select({0});
    struct Case {
        const char* action;
        RowAction refusal;
    };
    const Case cases[] = {
        {"mnuEditOpen", RowAction::Open},         {"mnuEditQueue", RowAction::Queue},
        {"mnuEditPlaylist", RowAction::Playlist}, {"mnuEditDelete", RowAction::Delete},
        {"mnuEditRename", RowAction::Rename},     {"mnuEditDCC", RowAction::DccSend}};
    for (const Case& c : cases) {
        f.trigger(c.action);
        QCOMPARE(f.world.user.boxes().back().text,
                 std::string(refusalFirstLine(c.refusal)) + "\n" + std::string(kRefusalSecondLine));
    }
    emit f.window->resultView().dragRequested();
    QCOMPARE(f.world.user.boxes().back().text.substr(0, 30),
             std::string(refusalFirstLine(RowAction::Drag)).substr(0, 30));
    QCOMPARE(f.world.user.boxes().size(), 7u);
    QVERIFY(f.world.launched.empty() && f.world.dragged.empty());
    QVERIFY(f.world.dialogsRun.empty() && f.world.fileRequests.size() == 1);
    QVERIFY(f.world.home.exists("music/a.mp3"));

    f.trigger("mnuEditCopy");
    QCOMPARE(QApplication::clipboard()->text(), QString("Music/a.mp3"));
    QCOMPARE(f.world.user.boxes().size(), 7u);
}

void ResultActionsTest::copyTextPutsTheShownRowsOnTheClipboard() {
    Searched f;
    f.select({2, 0});
    f.trigger("mnuEditCopy");
    QCOMPARE(QApplication::clipboard()->text(), QString("Music/a.mp3\nMusic/Rock/c d.mp3"));
    QApplication::clipboard()->setText("kept");
    f.select({});
    f.trigger("mnuEditCopy");  // nothing selected: the clipboard stays
    QCOMPARE(QApplication::clipboard()->text(), QString("kept"));
    QVERIFY(f.world.user.boxes().empty());
}

void ResultActionsTest::openAndQueueHandTheResolvedPaths() {
    Searched f;
    f.select({0, 2});
    f.child<QPushButton>("btnOpen").click();
    QCOMPARE(f.world.launched, (std::vector<std::string>{"open " + f.world.music("a.mp3"),
                                                         "open " + f.world.music("Rock/c d.mp3")}));
    QVERIFY(f.world.pauses.empty());
    f.world.launched.clear();
    f.trigger("mnuEditQueue");
    QCOMPARE(f.world.launched.size(), 2u);
    QCOMPARE(f.world.launched[1], "enqueue " + f.world.music("Rock/c d.mp3"));
    QCOMPARE(f.world.pauses, (std::vector<int>{1000, 1000}));
    QVERIFY(f.window->searchBox().hasFocus() || !f.window->isVisible());
}

void ResultActionsTest::notesCannotBeSelectedAndOpenNeedsAResult() {
    Searched f;
    f.window->show();
    auto& open = f.child<QPushButton>("btnOpen");
    QVERIFY(!open.isEnabled());
    f.select({1});
    QVERIFY(open.isEnabled());
    f.select({});
    QVERIFY(!open.isEnabled());

    for (const QString& text : {QString(), QString("nothing like it")}) {
        if (text.isEmpty()) {
            f.window->load();  // the instruction rows
        } else {
            f.search(text);  // "No Matches Found"
        }
        ResultView& view = f.window->resultView();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, f.rowPoint(0));
        view.selectAll();
        QVERIFY(view.selectedRowNumbers().empty());
        QVERIFY(!open.isEnabled());
        QContextMenuEvent onNote(QContextMenuEvent::Mouse, f.rowPoint(0),
                                 view.viewport()->mapToGlobal(f.rowPoint(0)));
        QApplication::sendEvent(view.viewport(), &onNote);
        QVERIFY(!f.child<QMenu>("mnuPopup").isVisible());
    }
    QVERIFY(f.world.launched.empty());
}

void ResultActionsTest::keysReachTheSearchBoxAndTheSelectedRows() {
    Searched f;
    const struct {
        const char* action;
        QKeySequence key;
    } keys[] = {
        {"mnuEditDelete", QKeySequence(Qt::Key_Delete)},
        {"mnuEditRename", QKeySequence(Qt::Key_F2)},
        {"mnuFileExit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"mnuHelp", QKeySequence(Qt::Key_F1)},
    };
    for (const auto& k : keys) {
        QCOMPARE(f.child<QAction>(k.action).shortcut(), k.key);
    }
    f.window->show();
    f.window->activateWindow();
    QCoreApplication::processEvents();
    QApplication::setActiveWindow(f.window.get());
    QCOMPARE(QApplication::activeWindow(), f.window.get());

    ResultView& view = f.window->resultView();
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(f.window->searchBox().hasFocus());

    // Delete in the search box edits the text; it deletes no file.
    f.select({0});
    f.window->searchBox().setEditText("ab");
    f.window->searchBox().lineEdit()->setCursorPosition(0);
    QTest::keyClick(f.window->searchBox().lineEdit(), Qt::Key_Delete);
    QCOMPARE(f.window->searchBox().currentText(), QString("b"));
    QVERIFY(f.world.user.boxes().empty());

    // On the rows, F2 renames and Delete deletes the selected files.
    view.setFocus();
    f.select({0});
    QTest::keyClick(&view, Qt::Key_F2);
    QCOMPARE(f.world.dialogsRun, std::vector<std::string>{"frmRename"});
    view.setFocus();
    f.select({0});
    f.world.user.answerNo();
    QTest::keyClick(&view, Qt::Key_Delete);
    QCOMPARE(f.world.user.boxes().size(), 1u);
    QCOMPARE(f.world.user.boxes()[0].text, std::string(kDeleteQuestion));

    QTest::keyClick(f.window.get(), Qt::Key_F1);
    QCOMPARE(f.world.user.boxes().back().text, std::string(kHelpFailedText));
    QTest::keyClick(f.window.get(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!f.window->isVisible());
}

void ResultActionsTest::doubleClickOpensTheRowUnderThePointer() {
    Searched f;
    f.window->show();
    f.world.openFails = true;
    // What a real double-click sends: press, release, double-click, release.
    QWidget* viewport = f.window->resultView().viewport();
    const QPoint at = f.rowPoint(1);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    QMouseEvent second(QEvent::MouseButtonDblClick, at, viewport->mapToGlobal(at), Qt::LeftButton,
                       Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &second);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    QCOMPARE(f.world.launched, (std::vector<std::string>{"open " + f.world.music("Rock/b.mp3"),
                                                         "play " + f.world.music("Rock/b.mp3")}));
    QVERIFY(f.world.pauses.empty());
}

void ResultActionsTest::deleteAsksThenRemovesTheFilesAndKeepsTheRows() {
    Searched f;
    f.select({0, 1});
    f.world.user.answerNo();
    f.trigger("mnuEditDelete");
    QVERIFY(f.world.home.exists("music/a.mp3"));
    QCOMPARE(f.window->resultView().selectedRowNumbers(), (std::vector<int>{0, 1}));
    f.world.user.answerYes();
    f.trigger("mnuEditDelete");
    QCOMPARE(f.world.user.boxes().back().text, std::string(kDeleteQuestion));
    QVERIFY(!f.world.home.exists("music/a.mp3"));
    QVERIFY(!f.world.home.exists("music/Rock/b.mp3"));
    QVERIFY(f.world.home.exists("music/Rock/c d.mp3"));
    QCOMPARE(f.rows(), kMusicRows);
    QVERIFY(f.window->resultView().selectedRowNumbers().empty());
    QCOMPARE(f.world.pauses, (std::vector<int>{100, 100}));
}

void ResultActionsTest::renameMovesTheFileAndNeverReplacesOne() {
    Searched f;
    f.select({0});
    f.world.newPaths = {f.world.music("renamed?.mp3")};
    f.trigger("mnuEditRename");
    QCOMPARE(f.world.home.read("music/renamed.mp3"), std::string("a"));
    QVERIFY(!f.world.home.exists("music/a.mp3"));

    f.select({1});
    f.world.newPaths = {f.world.music("Rock/c d.mp3")};
    f.trigger("mnuEditRename");
    QCOMPARE(f.world.user.texts().back(),
             "Can't rename, the file " + f.world.music("Rock/c d.mp3") + " already exists!");
    QCOMPARE(f.world.home.read("music/Rock/c d.mp3"), std::string("c"));
    QCOMPARE(f.world.home.read("music/Rock/b.mp3"), std::string("b"));

    f.world.newPaths = {""};  // Cancel
    f.trigger("mnuEditRename");
    QVERIFY(f.world.home.exists("music/Rock/b.mp3"));
    QCOMPARE(f.world.dialogsRun.size(), 3u);
}

void ResultActionsTest::playlistAppendsEveryRowWhenNoneIsSelected() {
    Searched f;
    const std::string playlist = f.world.home.path("mix.m3u").string();
    f.world.saveAnswers = {QString::fromStdString(playlist)};
    f.select({});
    f.trigger("mnuEditPlaylist");
    QCOMPARE(f.world.fileRequests.at(0).title,
             QString("Save MP3 Playlist As: (choose an existing file to append)"));
    QCOMPARE(f.world.fileRequests.at(0).defaultSuffix, QString("m3u"));
    QCOMPARE(f.world.home.read("mix.m3u"), f.world.music("a.mp3") + "\r\n" +
                                               f.world.music("Rock/b.mp3") + "\r\n" +
                                               f.world.music("Rock/c d.mp3") + "\r\n");
    QCOMPARE(f.world.setting(kPlaylistPath), playlist);

    f.select({1});
    f.world.saveAnswers = {QString::fromStdString(playlist)};
    f.trigger("mnuEditPlaylist");
    QCOMPARE(f.world.fileRequests.at(1).folder,
             QString::fromStdString(f.world.home.root().string() + "/"));
    QVERIFY(f.world.home.read("mix.m3u").ends_with("c d.mp3\r\n" + f.world.music("Rock/b.mp3") +
                                                   "\r\n"));

    f.trigger("mnuEditPlaylist");  // the dialog cancelled: nothing written
    QCOMPARE(f.world.fileRequests.size(), 3u);

    f.search("nothing like it");  // "No Matches Found" names no file
    f.world.saveAnswers = {QString::fromStdString(f.world.home.path("none.m3u").string())};
    f.trigger("mnuEditPlaylist");
    QCOMPARE(f.world.home.read("none.m3u"), std::string());
    QVERIFY(f.world.user.boxes().empty());
}

void ResultActionsTest::dragCarriesTheResolvedPaths() {
    Searched f;
    f.select({2, 1});
    emit f.window->resultView().dragRequested();
    QCOMPARE(f.world.dragged,
             std::vector<std::string>{"file://" + f.world.musicFolder + "/Rock/b.mp3\r\nfile://" +
                                      f.world.musicFolder + "/Rock/c%20d.mp3\r\n"});
    f.window->load();  // instruction rows: nothing to drag, no disk asked for
    f.select({1});
    emit f.window->resultView().dragRequested();
    QCOMPARE(f.world.dragged.size(), 1u);
    QVERIFY(f.world.user.boxes().empty());
}

void ResultActionsTest::rightClickKeepsOrReplacesTheSelection() {
    Searched f;
    f.window->show();
    ResultView& view = f.window->resultView();
    f.select({0, 1});
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, f.rowPoint(1));
    QCOMPARE(view.selectedRowNumbers(), (std::vector<int>{0, 1}));
    QCOMPARE(view.currentIndex().row(), 1);
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, f.rowPoint(2));
    QCOMPARE(view.selectedRowNumbers(), std::vector<int>{2});

    QContextMenuEvent onRow(QContextMenuEvent::Mouse, f.rowPoint(2),
                            view.viewport()->mapToGlobal(f.rowPoint(2)));
    QApplication::sendEvent(view.viewport(), &onRow);
    QMenu& menu = f.child<QMenu>("mnuPopup");
    QVERIFY(menu.isVisible());
    QStringList captions;
    for (QAction* action : menu.actions()) {
        captions << action->text();
    }
    QCOMPARE(captions,
             (QStringList{"&Open/Play", "&Queue (Winamp only)", "&Save to MP3 playlist", "&Delete",
                          "&Rename", "&Copy text to Clipboard", "DCC &send (Mirc only)"}));
    screenshot(*f.window, "search-window-results");
    screenshot(menu, "search-window-row-menu");
    menu.hide();

    const QPoint below(10, view.viewport()->height() - 2);
    QContextMenuEvent belowRows(QContextMenuEvent::Mouse, below,
                                view.viewport()->mapToGlobal(below));
    QApplication::sendEvent(view.viewport(), &belowRows);
    QVERIFY(!menu.isVisible());
}

void ResultActionsTest::dccSendWritesToTheIrcClientsPipe() {
    Searched f;
    const std::string fifo = f.world.home.path("weechat_fifo_1").string();
    QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    f.world.setSetting(kDdeServiceName, fifo);
    f.select({0, 2});
    f.world.nicknames = {"bob"};
    f.trigger("mnuEditDCC");
    char buffer[512] = {};
    const ssize_t got = ::read(reader, buffer, sizeof buffer - 1);
    ::close(reader);
    QCOMPARE(std::string(buffer, got > 0 ? static_cast<std::size_t>(got) : 0),
             "*/DCC send bob " + f.world.music("a.mp3") + "\n*/DCC send bob " +
                 f.world.music("Rock/c d.mp3") + "\n");
    QCOMPARE(f.world.pauses, (std::vector<int>{1000, 1000}));

    f.world.nicknames = {""};  // Cancel: nothing is sent, and no link is tried
    f.trigger("mnuPopupDCC");
    QCOMPARE(f.world.dialogsRun, (std::vector<std::string>{"frmIRCnick", "frmIRCnick"}));
    QVERIFY(f.world.user.boxes().empty());

    f.world.setSetting(kDdeSendString, "/msg friend %F");  // no nickname needed
    f.trigger("mnuEditDCC");                               // the pipe has no reader now
    QCOMPARE(f.world.dialogsRun.size(), 2u);
    QCOMPARE(f.world.user.boxes().size(), 1u);
    QCOMPARE(f.world.user.boxes()[0].caption, std::string("Quorfind"));
}

void ResultActionsTest::tipsNameThePlayerAndIrcClientInUse() {
    WindowFixture f;
    f.world.setSetting(kEnqueueCommand, "/opt/player/bin/myplayer --add %F");
    f.world.setSetting(kDdeServiceName, "weechat");
    QMenu& edit = f.child<QMenu>("mnuEdit");
    emit edit.aboutToShow();
    QVERIFY(f.child<QAction>("mnuEditQueue").toolTip().contains("myplayer"));
    QCOMPARE(f.child<QAction>("mnuEditQueue").text(), QString("&Queue (Winamp only)"));
    QVERIFY(f.child<QAction>("mnuEditDCC").statusTip().endsWith("through WeeChat"));
    QVERIFY(f.child<QAction>("mnuPopupDCC").toolTip().endsWith("through WeeChat"));
    screenshot(edit, "search-window-edit-menu");
}

}  // namespace quor::find::ui

QUOR_QT_TEST_MAIN(quor::find::ui::ResultActionsTest)

#include "result_actions_test.moc"
