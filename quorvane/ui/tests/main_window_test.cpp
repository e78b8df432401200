// The main window driven through its buttons, keys, menus and choosers.

#include "quorvane/ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "common/qt/qt_interaction.h"
#include "common/qt/testing/test_main.h"
#include "common/testing/temp_tree.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/saved_lists.h"
#include "ui_world_fixture.h"

namespace quor::ui {

using namespace quor::testing;

namespace {

struct Fixture {
    UiWorld world;
    std::unique_ptr<MainWindow> window;

    Fixture() {
        window = std::make_unique<MainWindow>(*world.store, store::Places(world.home.home()),
                                              world.user, world.services());
    }
    QListWidget& list() { return child<QListWidget>(*window, "PathList"); }
    QStringList rows() {
        QStringList texts;
        for (int i = 0; i < list().count(); ++i) {
            texts << list().item(i)->text();
        }
        return texts;
    }
    QString label() { return child<QLabel>(*window, "lblListName").text(); }
    void trigger(const char* action) { child<QAction>(*window, action).trigger(); }
    void select(int row) { list().setCurrentRow(row, QItemSelectionModel::ClearAndSelect); }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void emptyStoreWelcomesAfterShowing();
    void addFolderStoresRecordAndOpensItsOptions();
    void addingTheSameFolderTwiceIsRefused();
    void deleteKeyRemovesAfterConfirmation();
    void upAndDownKeysMoveTheFolderAndTheSelectionFollows();
    void rightClickSelectsTheRowAndOffersTheMenu();
    void commandsWithoutSelectionSayWhatIsMissing();
    void saveListOutputAsFollowsTheExtension();
    void saveListOutputAsCancelledChangesNothing();
    void saveListOutputAsRefusesAFileTheProgramsOwn();
    void newOpenAndDeleteListThroughTheChooser();
    void searchWritesQuorfindSettingsAndStartsIt();
    void viewThisListNeedsAnExistingList();
    void hooksWithoutHandlerShowANotice();
    void closingDuringABuildWaitsForIt();
    void closingSavesTheListUnderItsName();
    void menuKeysRunTheirCommands();
    void screenshots();
};

void MainWindowTest::emptyStoreWelcomesAfterShowing() {
    Fixture f;
    QVERIFY(f.window->load().ok());
    QCOMPARE(f.label(), QString("List:"));
    QCOMPARE(f.window->windowTitle(), QString("Quorvane"));
    f.window->showAndWelcome();
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.world.user.boxes().size(), 1u);
    QCOMPARE(f.world.user.boxes()[0].caption, std::string("Welcome to Brevard's Quorvane!"));
    QVERIFY(f.world.user.boxes()[0].text.starts_with("To begin making a list:\n\n1. Click"));
}

void MainWindowTest::addFolderStoresRecordAndOpensItsOptions() {
    Fixture f;
    QVERIFY(f.window->load().ok());
    f.world.folderAnswers.push_back("/data/Music");
    f.world.dialogScripts.push_back([](QDialog& dialog) {
        SCRIPT_CHECK(child<QLineEdit>(dialog, "Path").text(), QString("/data/Music"));
        child<QLineEdit>(dialog, "PathName").setText("My*Music");
        click(dialog, "btnOK");
        return dialog.result();
    });
    click(*f.window, "btnAdd");
    QCOMPARE(f.world.dialogsRun, std::vector<QString>{"frmProperties"});
    QCOMPARE(f.rows(), QStringList{"/data/Music"});
    QCOMPARE(f.world.setting("NumPaths"), std::string("1"));
    const store::FolderRecord record = store::readFolderRecord(f.world.settings(), 0);
    QCOMPARE(record, (store::FolderRecord{"/data/Music", "MyMusic", "1", "0"}));
    QCOMPARE(*f.window->selectedRow(), 0);
}

void MainWindowTest::addingTheSameFolderTwiceIsRefused() {
    Fixture f;
    f.world.addRecords({"/data/Music"});
    QVERIFY(f.window->load().ok());
    f.world.folderAnswers = {"/data/Music", "/data/music", ""};
    click(*f.window, "btnAdd");
    QCOMPARE(f.world.user.texts(), std::vector<std::string>{"That folder has already been added!"});
    click(*f.window, "btnAdd");  // exact comparison: another case is another folder
    QCOMPARE(f.rows(), (QStringList{"/data/Music", "/data/music"}));
    click(*f.window, "btnAdd");  // the chooser was cancelled
    QCOMPARE(f.rows().size(), 2);
}

void MainWindowTest::deleteKeyRemovesAfterConfirmation() {
    Fixture f;
    f.world.addRecords({"/a", "/b", "/c"});
    f.world.home.file("home/1.txt", "b listing");
    f.world.home.file("home/2.txt", "c listing");
    QVERIFY(f.window->load().ok());
    f.select(1);
    f.world.user.answerNo();
    QTest::keyClick(&f.list(), Qt::Key_Delete);
    QCOMPARE(f.rows().size(), 3);
    f.world.user.answerYes();
    QTest::keyClick(&f.list(), Qt::Key_Delete);
    QCOMPARE(f.rows(), (QStringList{"/a", "/c"}));
    QCOMPARE(f.world.setting("NumPaths"), std::string("2"));
    QCOMPARE(f.world.home.read("home/1.txt"), std::string("c listing"));
    QVERIFY(!f.world.home.exists("home/2.txt"));
    QCOMPARE(f.world.user.boxes()[0].text,
             std::string("Are you sure you want to remove the folder: \n/b\nfrom your list?"));
}

void MainWindowTest::upAndDownKeysMoveTheFolderAndTheSelectionFollows() {
    Fixture f;
    f.world.addRecords({"/a", "/b", "/c"});
    f.world.home.file("home/2.txt", "c listing");
    QVERIFY(f.window->load().ok());
    f.select(2);
    QTest::keyClick(&f.list(), Qt::Key_Up);
    QCOMPARE(f.rows(), (QStringList{"/a", "/c", "/b"}));
    QCOMPARE(*f.window->selectedRow(), 1);
    QCOMPARE(f.world.home.read("home/1.txt"), std::string("c listing"));
    QTest::keyClick(&f.list(), Qt::Key_Up);
    QTest::keyClick(&f.list(), Qt::Key_Up);  // on the first row: nothing moves
    QCOMPARE(f.rows(), (QStringList{"/c", "/a", "/b"}));
    QCOMPARE(*f.window->selectedRow(), 0);
    QTest::keyClick(&f.list(), Qt::Key_Down);
    QCOMPARE(f.rows(), (QStringList{"/a", "/c", "/b"}));
    QCOMPARE(*f.window->selectedRow(), 1);
    QVERIFY(f.world.user.boxes().empty());
}

void MainWindowTest::rightClickSelectsTheRowAndOffersTheMenu() {
    Fixture f;
    f.world.addRecords({"/a", "/b", "/c"});
    QVERIFY(f.window->load().ok());
    f.window->show();
    f.select(0);
    QListWidget& list = f.list();
    const QPoint inRow = list.visualItemRect(list.item(2)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, inRow, list.viewport()->mapToGlobal(inRow));
    QCoreApplication::sendEvent(list.viewport(), &event);
    QCOMPARE(*f.window->selectedRow(), 2);
    auto* menu = &child<QMenu>(*f.window, "mnuPathList");
    QVERIFY(menu->isVisible());
    QStringList captions;
    for (QAction* action : menu->actions()) {
        captions << action->text();
    }
    QCOMPARE(captions, (QStringList{"&Options", "&Remove", "Move &Up", "Move D&own"}));
    menu->hide();
    f.trigger("mnuPathListMoveUp");  // from the menu the selection stays on its row
    QCOMPARE(f.rows(), (QStringList{"/a", "/c", "/b"}));
    QCOMPARE(*f.window->selectedRow(), 2);

    // Below the last row there is no row: nothing happens.
    const QPoint below(5, list.viewport()->height() - 2);
    menu->hide();
    QContextMenuEvent empty(QContextMenuEvent::Mouse, below, list.viewport()->mapToGlobal(below));
    QCoreApplication::sendEvent(list.viewport(), &empty);
    QVERIFY(!menu->isVisible());
    QCOMPARE(*f.window->selectedRow(), 2);
}

void MainWindowTest::commandsWithoutSelectionSayWhatIsMissing() {
    Fixture f;
    f.world.addRecords({"/a"});
    QVERIFY(f.window->load().ok());
    click(*f.window, "btnRemove");
    click(*f.window, "btnOptions");
    f.trigger("mnuPathListMoveDown");
    QCOMPARE(f.world.user.texts(),
             (std::vector<std::string>{"You must first select a folder to remove!",
                                       "You must select a folder first!",
                                       "You must first select a folder to move it!"}));
    QVERIFY(f.world.dialogsRun.empty());
}

void MainWindowTest::saveListOutputAsFollowsTheExtension() {
    struct Case {
        const char* chosen;
        const char* htmlBefore;
        const char* htmlAfter;
    };
    const Case cases[] = {{"/lists/music.htm", "0", "1"},
                          {"/lists/music.HTML", "0", "1"},
                          {"/lists/music.txt", "1", "0"},
                          {"/lists/music.lst", "1", "1"}};
    for (const Case& c : cases) {
        Fixture f;
        f.world.settings().saveSetting("HTML", c.htmlBefore);
        f.world.addRecords({"/a"});
        QVERIFY(f.window->load().ok());
        f.world.saveAnswers.push_back(c.chosen);
        f.trigger("mnuFileSaveAs");
        QCOMPARE(f.world.setting("SavePath"), std::string(c.chosen));
        QCOMPARE(f.world.setting("HTML"), std::string(c.htmlAfter));
        const QString name = QFileInfo(c.chosen).fileName();
        QCOMPARE(f.window->windowTitle(), "Quorvane - " + name);
        QVERIFY(f.world.home.exists("home/data/music.lst"));
        const FileRequest& request = f.world.saveRequests.at(0);
        QCOMPARE(request.title, QString("Save List Output As"));
        QCOMPARE(request.defaultSuffix, QString(c.htmlBefore[0] == '1' ? "html" : "txt"));
    }
    // The saved list moves with the output file; the dialog opens in its folder.
    Fixture f;
    f.world.addRecords({"/a"});
    f.world.settings().saveSetting("SavePath", "/web/old.txt");
    {
        auto context = f.world.context();
        QVERIFY(store::savelist(context, "old.txt"));
    }
    QVERIFY(f.window->load().ok());
    f.world.saveAnswers.push_back("/web/new.txt");
    f.trigger("mnuFileSaveAs");
    QCOMPARE(f.world.saveRequests.at(0).folder, QString("/web/"));
    QVERIFY(!f.world.home.exists("home/data/old.lst"));
    QVERIFY(f.world.home.exists("home/data/new.lst"));
}

void MainWindowTest::saveListOutputAsCancelledChangesNothing() {
    Fixture f;
    f.world.settings().saveSetting("SavePath", "/web/old.txt");
    QVERIFY(f.window->load().ok());
    f.trigger("mnuFileSaveAs");
    QCOMPARE(f.world.setting("SavePath"), std::string("/web/old.txt"));
    QCOMPARE(f.world.setting("HTML"), std::string("<missing>"));
}

void MainWindowTest::saveListOutputAsRefusesAFileTheProgramsOwn() {
    Fixture f;
    f.world.settings().saveSetting("SavePath", "/web/old.txt");
    QVERIFY(f.window->load().ok());
    const std::string store = (f.world.home.home() / "settings.db").string();
    f.world.saveAnswers.push_back(QString::fromStdString(store));
    f.trigger("mnuFileSaveAs");
    QCOMPARE(f.world.setting("SavePath"), std::string("/web/old.txt"));
    QVERIFY(!f.world.home.exists("home/data/settings.lst"));
    QCOMPARE(f.world.user.boxes().size(), std::size_t{1});
    QVERIFY(f.world.user.boxes()[0].text.starts_with("The list cannot be saved as " + store));
}

void MainWindowTest::newOpenAndDeleteListThroughTheChooser() {
    Fixture f;
    f.world.addRecords({"/music"});
    f.world.settings().saveSetting("SavePath", "/web/music.html");
    QVERIFY(f.window->load().ok());
    QCOMPARE(f.window->windowTitle(), QString("Quorvane - music.html"));

    f.trigger("mnuNewList");  // the old list is kept as a saved list
    QVERIFY(f.rows().isEmpty());
    QCOMPARE(f.label(), QString("List:"));
    QCOMPARE(f.window->windowTitle(), QString("Quorvane"));
    QVERIFY(f.world.home.exists("home/data/music.lst"));

    // The only list is selected; without a selection Open is disabled and
    // nothing changes.
    f.world.dialogScripts.push_back([](QDialog& dialog) {
        SCRIPT_CHECK(dialog.windowTitle(), QString("Open List"));
        auto* lists = &child<QListWidget>(dialog, "lstSavedLists");
        auto* open = &child<QPushButton>(dialog, "btnOpen");
        SCRIPT_CHECK(lists->selectedItems().size(), 1);
        SCRIPT_CHECK(open->isEnabled(), true);
        lists->clearSelection();
        SCRIPT_CHECK(open->isEnabled(), false);
        click(dialog, "btnOpen");
        return dialog.result();
    });
    f.trigger("mnuOpenList");
    QVERIFY(f.world.user.boxes().empty());
    QVERIFY(f.rows().isEmpty());

    // Enter opens the selected list.
    f.world.dialogScripts.push_back([](QDialog& dialog) {
        auto* lists = &child<QListWidget>(dialog, "lstSavedLists");
        SCRIPT_CHECK(lists->count(), 1);
        SCRIPT_CHECK(lists->item(0)->text(), QString("music"));
        dialog.show();
        QTest::keyClick(lists, Qt::Key_Return);
        return dialog.result();
    });
    f.trigger("mnuOpenList");
    QCOMPARE(f.rows(), QStringList{"/music"});
    QCOMPARE(f.window->windowTitle(), QString("Quorvane - music.html"));
    QCOMPARE(f.window->session().openedListName, std::string("music.lst"));

    // Delete answered No deletes nothing; Yes deletes the saved list only.
    for (bool yes : {false, true}) {
        f.world.user.answer(yes);
        f.world.dialogScripts.push_back([](QDialog& dialog) {
            SCRIPT_CHECK(dialog.windowTitle(), QString("Delete List"));
            SCRIPT_CHECK(child<QAbstractButton>(dialog, "btnOpen").text(), QString("Delete"));
            auto* lists = &child<QListWidget>(dialog, "lstSavedLists");
            SCRIPT_CHECK(lists->currentRow(), 0);  // the current list
            SCRIPT_CHECK(lists->item(0)->isSelected(), true);
            click(dialog, "btnOpen");
            return dialog.result();
        });
        f.trigger("mnuDeleteList");
        QCOMPARE(f.world.home.exists("home/data/music.lst"), !yes);
    }
    QCOMPARE(f.rows(), QStringList{"/music"});
}

void MainWindowTest::searchWritesQuorfindSettingsAndStartsIt() {
    Fixture f;
    QVERIFY(f.window->load().ok());
    f.world.programFound = "/opt/q/quorfind";
    f.trigger("mnuSearch");
    store::AppSettings quorfind(*f.world.store, store::kQuorfind);
    QCOMPARE(quorfind.setting("LocalList", "<missing>"), std::string(""));
    QCOMPARE(quorfind.setting("ListType"), std::string("0"));
    QCOMPARE(f.world.started.size(), 1u);
    QCOMPARE(f.world.started[0], QStringList{"/opt/q/quorfind"});
    QVERIFY(f.world.user.boxes().empty());

    f.world.programFound.clear();
    f.trigger("mnuSearch");
    QCOMPARE(
        f.world.user.texts(),
        std::vector<std::string>{
            "Quorfind was not found!\nMake sure quorfind exists in the same folder as quorvane"});
}

void MainWindowTest::viewThisListNeedsAnExistingList() {
    Fixture f;
    QVERIFY(f.window->load().ok());
    f.trigger("mnuToolsRecentList");
    f.world.settings().saveSetting("SavePath", (f.world.home.root() / "gone.txt").string());
    f.trigger("mnuToolsRecentList");
    QCOMPARE(f.world.user.texts(), (std::vector<std::string>{"You must create a list first!",
                                                             "You must create a list first!"}));
    const auto list = f.world.home.file("list.txt", "x");
    f.world.settings().saveSetting("SavePath", list.string());
    f.trigger("mnuToolsRecentList");
    QCOMPARE(f.world.opened.at(0), QUrl::fromLocalFile(QString::fromStdString(list.string())));
    f.world.openSucceeds = false;
    f.trigger("mnuToolsRecentList");
    QCOMPARE(f.world.user.texts().back(),
             std::string("There was a problem opening the list! (Toolsmostrecent)\n"
                         "No application is set to open files of this type."));
    QCOMPARE(f.world.user.boxes().back().caption, "No application could open " + list.string());
}

void MainWindowTest::hooksWithoutHandlerShowANotice() {
    Fixture f;
    QVERIFY(f.window->load().ok());
    for (const char* action :
         {"mnuMakePlayList", "mnuToolsRemovable", "mnuToolsDupes", "mnuFileMakeList"}) {
        f.trigger(action);
    }
    QCOMPARE(f.world.user.texts(), std::vector<std::string>(4, std::string(kNotAvailableText)));
    int built = 0;
    f.window->setBuildHandler([&] { ++built; });
    click(*f.window, "btnMakeList");
    QCOMPARE(built, 1);
}

void MainWindowTest::closingDuringABuildWaitsForIt() {
    Fixture f;
    QVERIFY(f.window->load().ok());
    f.window->show();
    int stops = 0;
    int closes = 0;
    bool closedDuringBuild = true;
    f.window->setStopRequester([&] { ++stops; });
    QObject::connect(f.window.get(), &MainWindow::closed, [&] { ++closes; });
    f.window->setBuildHandler([&] {
        f.window->close();
        f.window->makeList();  // a second start during a build is ignored
        closedDuringBuild = closes > 0;
    });
    f.window->makeList();
    QVERIFY(!closedDuringBuild);
    QCOMPARE(stops, 1);
    QCOMPARE(closes, 1);
    QVERIFY(!f.window->isVisible());
}

void MainWindowTest::closingSavesTheListUnderItsName() {
    Fixture f;
    f.world.addRecords({"/music"});
    f.world.settings().saveSetting("SavePath", "/web/weekly.txt");
    QVERIFY(f.window->load().ok());
    f.window->show();
    f.window->close();
    QVERIFY(f.world.home.exists("home/data/weekly.lst"));
    QVERIFY(f.world.setting("MainLeft") != "<missing>");
}

void MainWindowTest::menuKeysRunTheirCommands() {
    Fixture f;
    f.world.addRecords({"/music"});
    QVERIFY(f.window->load().ok());
    const struct {
        const char* action;
        QKeySequence key;
    } keys[] = {
        {"mnuNewList", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"mnuOpenList", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"mnuFileMakeList", QKeySequence(Qt::Key_F5)},
        {"mnuFileExit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"mnuQuorvaneHelp", QKeySequence(Qt::Key_F1)},
        {"mnuPathListDelete", QKeySequence(Qt::Key_Delete)},
    };
    for (const auto& k : keys) {
        // The first key is the one the menu shows.
        QCOMPARE(child<QAction>(*f.window, k.action).shortcut(), k.key);
    }

    QVERIFY(showActive(*f.window));
    f.world.dialogScripts.push_back([](QDialog& dialog) { return dialog.result(); });
    QTest::keyClick(f.window.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(f.world.dialogsRun, std::vector<QString>{"frmSavedLists"});

    QTest::keyClick(f.window.get(), Qt::Key_F1);  // the help page, or why it cannot open
    QCOMPARE(f.world.opened.size() + f.world.user.boxes().size(), 1u);

    // Delete is the folder list's: in the list it asks to remove the folder.
    f.list().setFocus();
    f.select(0);
    f.world.user.answerNo();
    QTest::keyClick(&f.list(), Qt::Key_Delete);
    QVERIFY(
        f.world.user.boxes().back().text.starts_with("Are you sure you want to remove the folder"));
    QCOMPARE(f.rows(), QStringList{"/music"});

    QTest::keyClick(f.window.get(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!f.window->isVisible());
}

void MainWindowTest::screenshots() {
    Fixture f;
    f.world.addRecords({"/home/user/Music", "/home/user/Documents/Letters"});
    f.world.settings().saveSetting("SavePath", "/web/music.html");
    f.world.settings().saveSetting("NumFiles", " 1234");
    f.world.settings().saveSetting("TotalSize", "1.50GB");
    QVERIFY(f.window->load().ok());
    screenshot(*f.window, "main-window");
    f.world.dialogScripts.push_back([](QDialog& dialog) {
        screenshot(dialog, "folder-options");
        return 0;
    });
    f.select(0);
    click(*f.window, "btnOptions");
    {
        auto context = f.world.context();
        QVERIFY(store::savelist(context, "music.html"));
    }
    f.world.dialogScripts.push_back([](QDialog& dialog) {
        screenshot(dialog, "saved-lists-open");
        return 0;
    });
    f.trigger("mnuOpenList");
    f.world.dialogScripts.push_back([](QDialog& dialog) {
        screenshot(dialog, "perform-action");
        return 0;
    });
    f.trigger("mnuPerform");
    f.window->close();
}

}  // namespace quor::ui

QUOR_QT_TEST_MAIN(quor::ui::MainWindowTest)

#include "main_window_test.moc"
