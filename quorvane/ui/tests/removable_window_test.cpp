// Removable disk sets in the windows: disks read in the add-disk dialog
// (from Folder Options and from a build), and the Removable Disks window's
// View, Rename and Delete through buttons, menu, keys and double click.

#include "quorvane/ui/removable_window.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>
#include <stdexcept>

#include "common/qt/status_text.h"
#include "common/qt/testing/test_main.h"
#include "common/qt/window_placement.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/ui/add_disk_dialog.h"
#include "quorvane/ui/main_window.h"
#include "quorvane/ui/window_build.h"
#include "ui_world_fixture.h"

namespace quor::ui {

using namespace quor::testing;

namespace {

using quor::testing::crlf;

const std::string kDisk1 =
    "?Disk 1\n3\n*Disk 1/\nb.txt*  2B\na.txt*  1B\n*Disk 1/Sub/\nc.txt*  3B\n";
const std::string kDisk10 = "?Disk 10\n1\n*Disk 10/\nz.txt*  1B\n";

// Record 0 a disk set over <tree>/drive, record 1 another over
// <tree>/zipdrive, record 2 an ordinary folder; the output file in out/.
struct DiskWorld {
    UiWorld world;

    DiskWorld() {
        store::AppSettings s = world.settings();
        store::writeFolderRecord(s, 0, {drive(), "Disk 1", "0", "1"});
        store::writeFolderRecord(s, 1, {path("zipdrive"), "Zip", "0", "1"});
        store::writeFolderRecord(s, 2, {path("music"), "Music", "1", "0"});
        s.save(store::kNumPaths, "3");
        s.saveSetting("SavePath", path("out/list.txt"));
        s.saveSetting("ShowHeader", "0");
        world.home.file("music/song.mp3", "song");
        world.home.folder("out");
        cacheFile(0, kDisk1 + kDisk10);
        cacheFile(1, "?Zip\n1\n*Zip/\nq.txt*  1B\n");
        cacheFile(2, "4\n*Music/\nsong.mp3\n");
    }
    std::string path(std::string_view relative) const { return world.home.path(relative).string(); }
    std::string drive() const { return path("drive"); }
    void cacheFile(int record, std::string_view lines) {
        world.home.file("home/" + std::to_string(record) + ".txt", crlf(lines));
    }
    std::string cacheFile(int record) const {
        return world.home.read("home/" + std::to_string(record) + ".txt");
    }
    // Puts a disk with these files into the drive.
    void insertDisk(const std::vector<std::string>& files) const {
        std::filesystem::remove_all(drive());
        world.home.folder("drive");
        for (const std::string& file : files) {
            world.home.file("drive/" + file, "x");
        }
    }
    std::unique_ptr<RemovableWindow> makeWindow() {
        auto window = std::make_unique<RemovableWindow>(
            *world.store, store::Places(world.home.home()), &world.user, world.services());
        window->load();
        return window;
    }
};

QListWidget& diskList(QWidget& window, const char* name = "lstRemovables") {
    return child<QListWidget>(window, name);
}

QStringList rows(QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts << list.item(i)->text();
    }
    return texts;
}

void select(QListWidget& list, const QString& text) {
    const auto found = list.findItems(text, Qt::MatchExactly);
    list.setCurrentItem(found.isEmpty() ? nullptr : found.first(),
                        QItemSelectionModel::ClearAndSelect);
}

// View, Delete and Rename, which act on the selected disk.
bool rowButtonsEnabled(QWidget& window) {
    bool any = false;
    bool all = true;
    for (const char* name : {"btnView", "btnDelete", "btnRename"}) {
        const bool enabled = child<QWidget>(window, name).isEnabled();
        any = any || enabled;
        all = all && enabled;
    }
    if (any != all) {
        throw std::runtime_error("the disk buttons disagree");
    }
    return all;
}

QString statusOf(QMainWindow& window) {
    return quor::ui::shownStatusText(*window.statusBar());
}

// An add-disk dialog script: reads the disks named, each with its files.
struct DiskToRead {
    QString name;
    std::vector<std::string> files;
};
DialogScript readDisks(DiskWorld& f, std::vector<DiskToRead> disks) {
    return [&f, disks = std::move(disks)](QDialog& dialog) {
        for (const DiskToRead& disk : disks) {
            f.insertDisk(disk.files);
            child<QLineEdit>(dialog, "txtLabel").setText(disk.name);
            click(dialog, "btnAdd");
        }
        click(dialog, "btnDone");
        return dialog.result();
    };
}

}  // namespace

class RemovableWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void folderOptionsAddAllAndAddNewReadDisksUnderTheTypedNames();
    void aBuildAsksForTheDisksOfASetWithoutItsCacheFile();
    void theAddDiskDialogStaysOpenWhileADiskIsRead();
    void windowListsEveryDiskAndViewsOne();
    void renameAndDeleteThroughButtonsMenuAndKeys();
    void withoutDisksOnlyThePlaceholderShows();
    void keysActOnTheListAndEscapeCloses();
    void windowsKeepTheirPlaceAndEveryControlIsReachable();
    void screenshots();
};

void RemovableWindowTest::folderOptionsAddAllAndAddNewReadDisksUnderTheTypedNames() {
    DiskWorld f;
    const auto mainWindow = f.world.makeMainWindow();
    MainWindow& main = *mainWindow;
    (void)attachWindowBuild(main, f.world.user, f.world.services());
    main.setDiskReadHandler(diskReader(main, f.world.services()));
    QVERIFY(main.load().ok());

    // Add All: the set starts anew with the disks read now.
    f.world.dialogScripts.push_back([&](QDialog& options) {
        f.world.user.answerYes();  // erase the disks entered so far
        click(options, "btnAddAll");
        click(options, "btnOK");
        return options.result();
    });
    f.world.dialogScripts.push_back([&](QDialog& dialog) {
        SCRIPT_CHECK(dialog.objectName(), QString("frmLabel"));
        SCRIPT_CHECK(dialog.windowTitle(),
                     QString::fromStdString("Add All Disks for " + f.drive()));
        SCRIPT_CHECK(child<QLabel>(dialog, "lblEnterName").text(),
                     QString("Enter a name for disk 1:"));
        auto* name = &child<QLineEdit>(dialog, "txtLabel");
        SCRIPT_CHECK(name->selectedText(), QString("Disk 1"));
        SCRIPT_CHECK(rows(diskList(dialog, "DiskList")), QStringList{});
        f.insertDisk({"one.txt", "Sub/two.txt"});
        name->setText("CD:1/2");
        click(dialog, "btnAdd");
        SCRIPT_CHECK(rows(diskList(dialog, "DiskList")), QStringList{"CD:12"});
        SCRIPT_CHECK(name->text(), QString("Disk 2"));
        SCRIPT_CHECK(child<QLabel>(dialog, "lblEnterName").text(),
                     QString("Enter a name for disk 2:"));
        name->setText("CD:12");  // taken: refused, the text stays for correcting
        click(dialog, "btnAdd");
        SCRIPT_CHECK(name->text(), QString("CD:12"));
        f.insertDisk({"three.txt"});
        name->setText("Backup");
        click(dialog, "btnAdd");
        click(dialog, "btnDone");
        return dialog.result();
    });
    main.openFolderOptions(0);
    QCOMPARE(f.world.dialogsRun, (std::vector<QString>{"frmProperties", "frmLabel"}));
    QCOMPARE(f.world.user.texts().back(), std::string("There is already a disk with this name!"));
    QCOMPARE(f.cacheFile(0), crlf("?Backup\n1\n*Backup/\nthree.txt\n"
                                  "?CD:12\n2\n*CD:12/\none.txt\n*CD:12/Sub/\ntwo.txt\n"));
    // Disks were read, so the list was built again when the dialog closed.
    const std::string list = f.world.home.read("out/list.txt");
    QVERIFY(list.find("three.txt") != std::string::npos);
    QVERIFY(list.find("b.txt") == std::string::npos);

    // Add New: the disks are added to the set.
    f.world.dialogScripts.push_back([&](QDialog& options) {
        click(options, "btnAddNew");
        click(options, "btnCancel");
        return options.result();
    });
    f.world.dialogScripts.push_back([&](QDialog& dialog) {
        SCRIPT_CHECK(dialog.windowTitle(),
                     QString::fromStdString("Add New Disks for " + f.drive()));
        SCRIPT_CHECK(rows(diskList(dialog, "DiskList")), (QStringList{"Backup", "CD:12"}));
        SCRIPT_CHECK(child<QLineEdit>(dialog, "txtLabel").text(), QString("Disk 3"));
        return readDisks(f, {{"Archive", {"four.txt"}}})(dialog);
    });
    main.openFolderOptions(0);
    QVERIFY(f.cacheFile(0).starts_with(crlf("?Archive\n1\n*Archive/\nfour.txt\n?Backup\n")));
    QVERIFY(f.world.home.read("out/list.txt").find("four.txt") != std::string::npos);
    QCOMPARE(f.world.user.busyDepth(), 0);
}

void RemovableWindowTest::aBuildAsksForTheDisksOfASetWithoutItsCacheFile() {
    DiskWorld f;
    std::filesystem::remove(f.world.home.path("home/0.txt"));
    const auto mainWindow = f.world.makeMainWindow();
    MainWindow& main = *mainWindow;
    (void)attachWindowBuild(main, f.world.user, f.world.services());
    QVERIFY(main.load().ok());
    f.world.dialogScripts.push_back(readDisks(f, {{"Zeta", {"z.txt"}}, {"Alpha", {"a.txt"}}}));
    main.makeList();
    QCOMPARE(f.world.user.texts().front(), f.drive() + " is not in the list, it must be updated.");
    QCOMPARE(f.world.dialogsRun, std::vector<QString>{"frmLabel"});
    QCOMPARE(f.cacheFile(0), crlf("?Alpha\n1\n*Alpha/\na.txt\n?Zeta\n1\n*Zeta/\nz.txt\n"));
    const std::string list = f.world.home.read("out/list.txt");
    QVERIFY(list.find("a.txt") != std::string::npos && list.find("q.txt") != std::string::npos);
}

void RemovableWindowTest::theAddDiskDialogStaysOpenWhileADiskIsRead() {
    DiskWorld f;
    f.insertDisk({"one.txt", "Sub/two.txt", "Sub/Deeper/three.txt"});
    generate::RemovableDiskState state{0, false, true};
    auto context = f.world.context();
    AddDiskDialog dialog(context, state);
    dialog.show();
    bool readingAtPoll = false;
    QMetaObject::invokeMethod(
        &dialog,
        [&] {
            readingAtPoll = dialog.reading();
            QVERIFY(!child<QPushButton>(dialog, "btnDone").isEnabled());
            QVERIFY(!child<QPushButton>(dialog, "btnAdd").isEnabled());
            dialog.reject();  // Escape or the close box
            dialog.close();
            QVERIFY(dialog.isVisible());
        },
        Qt::QueuedConnection);
    child<QLineEdit>(dialog, "txtLabel").setText("New");
    click(dialog, "btnAdd");
    QVERIFY(readingAtPoll);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.disksAdded(), 1);
    // The disk was written whole, then closing puts the blocks in order.
    dialog.reject();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(f.cacheFile(0), crlf(kDisk1 + kDisk10 +
                                  "?New\n3\n*New/\none.txt\n*New/Sub/\ntwo.txt\n"
                                  "*New/Sub/Deeper/\nthree.txt\n"));
}

void RemovableWindowTest::windowListsEveryDiskAndViewsOne() {
    DiskWorld f;
    auto window = f.makeWindow();
    window->show();
    QListWidget& list = diskList(*window);
    QCOMPARE(window->windowTitle(), QString("Removable Disks"));
    QCOMPARE(rows(list), (QStringList{"Disk 1", "Disk 10", "Zip"}));
    QCOMPARE(statusOf(*window), QString("Number of disks: 3"));

    // Without a selected disk the buttons that need one are disabled.
    QVERIFY(!rowButtonsEnabled(*window));
    click(*window, "btnView");
    QVERIFY(f.world.user.boxes().empty());
    QVERIFY(window->viewer() == nullptr);

    const QPoint inRow = list.visualItemRect(list.item(0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, inRow);
    QVERIFY(rowButtonsEnabled(*window));
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, inRow);
    ListViewer* viewer = window->viewer();
    QVERIFY(viewer != nullptr && viewer->isVisible());
    QCOMPARE(viewer->objectName(), QString("frmRecentList"));
    QCOMPARE(viewer->windowTitle(), QString("List of disk: Disk 1"));
    QCOMPARE(viewer->text(), QString("a.txt  1B\nb.txt  2B\nc.txt  3B"));

    // Enter views the selected disk in the same viewer.
    select(list, "Zip");
    QTest::keyClick(&list, Qt::Key_Return);
    QCOMPARE(window->viewer(), viewer);
    QCOMPARE(viewer->windowTitle(), QString("List of disk: Zip"));
    QCOMPARE(viewer->text(), QString("q.txt  1B"));
    click(*viewer, "Command1");
    QVERIFY(!viewer->isVisible());
    QVERIFY(f.world.setting("ViewListWidth") != "<missing>");

    // Disks read elsewhere show when the window is refreshed (on activation).
    f.cacheFile(1, "?Zip\n1\n?Zip 2\n1\n");
    window->refresh();
    QCOMPARE(rows(list), (QStringList{"Disk 1", "Disk 10", "Zip", "Zip 2"}));
    QCOMPARE(list.currentItem()->text(), QString("Zip"));
}

void RemovableWindowTest::renameAndDeleteThroughButtonsMenuAndKeys() {
    DiskWorld f;
    auto window = f.makeWindow();
    QListWidget& list = diskList(*window);

    // Without a selection the Rename button does nothing; the menu says why.
    click(*window, "btnRename");
    QVERIFY(f.world.user.boxes().empty());
    child<QAction>(*window, "mnuRename").trigger();
    QCOMPARE(f.world.user.texts().back(), std::string("You must select a disk first!"));
    QVERIFY(f.world.dialogsRun.empty());

    // Cancel changes nothing.
    select(list, "Disk 1");
    f.world.dialogScripts.push_back([](QDialog& dialog) {
        click(dialog, "btnCancel");
        return dialog.result();
    });
    click(*window, "btnRename");
    QCOMPARE(f.cacheFile(0), crlf(kDisk1 + kDisk10));

    // The name is cleaned; the disk's own headings follow; the block moves.
    f.world.dialogScripts.push_back([](QDialog& dialog) {
        auto* newName = &child<QLineEdit>(dialog, "txtNewFileName");
        SCRIPT_CHECK(child<QLineEdit>(dialog, "txtOldFileName").text(), QString("Disk 1"));
        SCRIPT_CHECK(newName->selectedText(), QString("Disk 1"));
        newName->setText("Mu*sic");
        click(dialog, "btnOK");
        return dialog.result();
    });
    child<QAction>(*window, "mnuRename").trigger();
    QCOMPARE(f.world.dialogsRun, (std::vector<QString>{"frmRename", "frmRename"}));
    QCOMPARE(
        f.cacheFile(0),
        crlf(kDisk10 + "?Music\n3\n*Music/\nb.txt*  2B\na.txt*  1B\n*Music/Sub/\nc.txt*  3B\n"));
    QCOMPARE(rows(list), (QStringList{"Disk 10", "Music", "Zip"}));
    QCOMPARE(list.currentItem()->text(), QString("Music"));

    // A name the set has already is refused; the selection stays.
    f.world.dialogScripts.push_back([](QDialog& dialog) {
        child<QLineEdit>(dialog, "txtNewFileName").setText("Disk 10");
        click(dialog, "btnOK");
        return dialog.result();
    });
    click(*window, "btnRename");
    QCOMPARE(f.world.user.texts().back(), std::string("There is already a disk with this name!"));
    QCOMPARE(list.currentItem()->text(), QString("Music"));

    // Delete asks first: No keeps the disk, Yes removes its block.
    f.world.user.answerNo();
    QTest::keyClick(&list, Qt::Key_Delete);
    QCOMPARE(f.world.user.boxes().back().text,
             std::string("Are you sure you want to delete Music\nfrom the list?"));
    QCOMPARE(rows(list).size(), 3);
    f.world.user.answerYes();
    click(*window, "btnDelete");
    QCOMPARE(rows(list), (QStringList{"Disk 10", "Zip"}));
    QCOMPARE(statusOf(*window), QString("Number of disks: 2"));
    QCOMPARE(f.cacheFile(0), crlf(kDisk10));
    QVERIFY(list.selectedItems().isEmpty());
    QVERIFY(!rowButtonsEnabled(*window));
    select(list, "Zip");
    f.world.user.answerYes();
    child<QAction>(*window, "mnuDelete").trigger();
    QCOMPARE(rows(list), QStringList{"Disk 10"});
    QCOMPARE(f.world.user.unscriptedQuestions(), 0);
}

void RemovableWindowTest::withoutDisksOnlyThePlaceholderShows() {
    DiskWorld f;
    std::filesystem::remove(f.world.home.path("home/0.txt"));
    f.cacheFile(1, "?Zip\n1\n");
    auto window = f.makeWindow();
    QListWidget& list = diskList(*window);
    select(list, "Zip");
    f.world.user.answerYes();
    QTest::keyClick(&list, Qt::Key_Delete);
    QCOMPARE(rows(list), QStringList{"There are no removable disks in the list."});
    QCOMPARE(statusOf(*window), QString("Number of disks: 0"));
    QVERIFY(!f.world.home.exists("home/1.txt"));  // the last disk took its file with it

    // The placeholder row is no disk: it cannot be selected, the buttons
    // stay disabled, and Delete and Rename do nothing.
    const std::size_t boxes = f.world.user.boxes().size();
    select(list, "There are no removable disks in the list.");
    QVERIFY(list.selectedItems().isEmpty());
    QVERIFY(!rowButtonsEnabled(*window));
    click(*window, "btnDelete");
    click(*window, "btnRename");
    click(*window, "btnView");
    QCOMPARE(f.world.user.boxes().size(), boxes);
    QVERIFY(f.world.dialogsRun.empty());
    QVERIFY(window->viewer() == nullptr);
}

void RemovableWindowTest::keysActOnTheListAndEscapeCloses() {
    DiskWorld f;
    auto window = f.makeWindow();
    QCOMPARE(child<QAction>(*window, "mnuRename").shortcut(), QKeySequence(Qt::Key_F2));
    QCOMPARE(child<QAction>(*window, "mnuDelete").shortcut(), QKeySequence(Qt::Key_Delete));
    QVERIFY(showActive(*window));
    QListWidget& list = diskList(*window);
    list.setFocus();
    select(list, "Zip");
    f.world.dialogScripts.push_back([](QDialog& dialog) {
        click(dialog, "btnCancel");
        return dialog.result();
    });
    QTest::keyClick(&list, Qt::Key_F2);
    QCOMPARE(f.world.dialogsRun, std::vector<QString>{"frmRename"});

    // Escape closes the viewer, then the window.
    QTest::keyClick(&list, Qt::Key_Return);
    ListViewer* viewer = window->viewer();
    QVERIFY(viewer != nullptr && viewer->isVisible());
    QTest::keyClick(viewer, Qt::Key_Escape);
    QVERIFY(!viewer->isVisible());
    QTest::keyClick(&list, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
}

void RemovableWindowTest::windowsKeepTheirPlaceAndEveryControlIsReachable() {
    DiskWorld f;
    const auto mainWindow = f.world.makeMainWindow();
    MainWindow& main = *mainWindow;
    main.setRemovableDisksHandler(removableDisksWindowOpener(main, f.world.services()));
    const double dpi = logicalDpi(main);
    f.world.storePixels({{"RemoveLeft", 40}, {"RemoveTop", 30}}, dpi);
    f.world.settings().saveSetting("RemoveWidth", "1000");  // below the smallest window

    main.manageRemovableDisks();
    main.manageRemovableDisks();  // the open window comes forward; no second one
    QCOMPARE(main.findChildren<RemovableWindow*>().size(), 1);
    QPointer<RemovableWindow> window = main.findChild<RemovableWindow*>();
    QVERIFY(window->isVisible());
    QCOMPARE(window->pos(), QPoint(40, 30));
    QVERIFY(window->width() >= twipsToPixels(3780, dpi));
    QVERIFY(window->minimumHeight() >= twipsToPixels(2500, dpi));

    select(diskList(*window), "Zip");  // the disk buttons are enabled with a disk
    QCOMPARE(focusOrder(diskList(*window), 5),
             (QStringList{"lstRemovables", "btnView", "btnDelete", "btnRename", "btnExit"}));
    QVERIFY(!diskList(*window).accessibleName().isEmpty());
    QCOMPARE(child<QPushButton>(*window, "btnExit").toolTip(), QString("Click here to exit"));
    QStringList menu;
    for (QAction* action : child<QMenu>(*window, "mnuRemovable").actions()) {
        menu << action->text();
    }
    QCOMPARE(menu, (QStringList{"&View", "&Delete", "&Rename", "E&xit"}));

    window->resize(window->width(), 420);
    child<QAction>(*window, "mnuExit").trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
    QCOMPARE(f.world.setting("RemoveHeight"), std::to_string(pixelsToTwips(420, dpi)));

    // The add-disk dialog: every control in order from the name box.
    generate::RemovableDiskState state{0, false, true};
    auto context = f.world.context();
    AddDiskDialog dialog(context, state);
    QCOMPARE(focusOrder(child<QLineEdit>(dialog, "txtLabel"), 5),
             (QStringList{"txtLabel", "btnAdd", "btnVolume", "btnDone", "DiskList"}));
    QVERIFY(child<QPushButton>(dialog, "btnAdd").isDefault());
    QCOMPARE(child<QLabel>(dialog, "lblEnterName").buddy(), &child<QLineEdit>(dialog, "txtLabel"));
}

void RemovableWindowTest::screenshots() {
    DiskWorld f;
    auto window = f.makeWindow();
    screenshot(*window, "removable-disks");
    select(diskList(*window), "Disk 1");
    click(*window, "btnView");
    screenshot(*window->viewer(), "disk-list-viewer");
    generate::RemovableDiskState state{0, false, true};
    auto context = f.world.context();
    AddDiskDialog dialog(context, state);
    screenshot(dialog, "add-disk");
}

}  // namespace quor::ui

QUOR_QT_TEST_MAIN(quor::ui::RemovableWindowTest)

#include "removable_window_test.moc"
