// The saved-list chooser and the first-start help box.

#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "common/qt/testing/test_main.h"
#include "dialog_fixture.h"
#include "quorfind/ui/dialogs.h"

namespace quor::find::ui {

using namespace quor::testing;

namespace {

QStringList items(QWidget& dialog) {
    QStringList texts;
    auto& list = child<QListWidget>(dialog, "lstSavedLists");
    for (int i = 0; i < list.count(); ++i) {
        texts << list.item(i)->text();
    }
    return texts;
}

void select(QWidget& dialog, int row) {
    child<QListWidget>(dialog, "lstSavedLists").setCurrentRow(row);
}

// A data folder with three saved lists and files that are none.
void addSavedLists(const DialogWorld& world) {
    for (const char* name : {"rock.lst", "Jazz.lst", "my.music.lst", "rock0.dat", "notes.txt"}) {
        world.home.file("home/data/" + std::string(name), "x");
    }
}

}  // namespace

class ChooserAndHelpTest : public QObject {
    Q_OBJECT
  private slots:
    void chooserListsTheSavedListsWithoutExtension();
    void openIsEnabledOnlyWithASelection();
    void enterOpensTheCurrentOrOnlyList_data();
    void enterOpensTheCurrentOrOnlyList();
    void chooserResults_data();
    void chooserResults();
    void chooserHandsBackTheFileNameBytes();
    void helpTextNamesThisSystemsPlaces();
    void helpBoxIsShownWithItsCaption();
};

void ChooserAndHelpTest::chooserListsTheSavedListsWithoutExtension() {
    DialogWorld world;
    addSavedLists(world);
    auto ran = onModal("frmSavedLists", [](QWidget& dialog) {
        QCOMPARE(dialog.windowTitle(), QString("Open List"));
        QCOMPARE(items(dialog), QStringList({"Jazz", "my.music", "rock"}));
        QVERIFY(child<QPushButton>(dialog, "btnOpen").isDefault());
        QVERIFY(!child<QPushButton>(dialog, "btnOpen").isEnabled());
        QCOMPARE(tabOrder(dialog), QStringList({"lstSavedLists", "btnCancel"}));
        select(dialog, 0);
        QCOMPARE(tabOrder(dialog), QStringList({"lstSavedLists", "btnOpen", "btnCancel"}));
        QCOMPARE(dialog.focusWidget(), &child<QListWidget>(dialog, "lstSavedLists"));
        screenshot(dialog, "frmSavedLists");
    });
    (void)chooseListToSearch(nullptr, world.places(), "", world.user);
    QVERIFY(*ran);
}

void ChooserAndHelpTest::openIsEnabledOnlyWithASelection() {
    DialogWorld world;
    addSavedLists(world);
    bool stayedOpen = false;
    auto ran = onModal("frmSavedLists", [&](QWidget& dialog) {
        auto& open = child<QPushButton>(dialog, "btnOpen");
        QVERIFY(!open.isEnabled());  // "old" is not among the lists: nothing selected
        QTest::keyClick(&dialog, Qt::Key_Return);
        stayedOpen = dialog.isVisible();
        select(dialog, 2);
        QVERIFY(open.isEnabled());
        child<QListWidget>(dialog, "lstSavedLists").clearSelection();
        QVERIFY(!open.isEnabled());
        select(dialog, 2);
        open.click();
    });
    QCOMPARE(chooseListToSearch(nullptr, world.places(), "old.lst", world.user),
             std::string("rock.lst"));
    QVERIFY(*ran);
    QVERIFY(stayedOpen);
    QVERIFY(world.user.boxes().empty());
}

void ChooserAndHelpTest::enterOpensTheCurrentOrOnlyList_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("expected");
    const QStringList three = {"rock.lst", "Jazz.lst", "my.music.lst"};
    QTest::newRow("current list") << three << "rock.lst"
                                  << "rock.lst";
    QTest::newRow("current list with a dot") << three << "my.music.lst"
                                             << "my.music.lst";
    QTest::newRow("the only list") << QStringList{"Jazz.lst"} << ""
                                   << "Jazz.lst";
    QTest::newRow("no current list: Enter does nothing") << three << "gone.lst"
                                                         << "gone.lst";
}

// Enter goes to the default button, which opens the preselected list; with
// nothing preselected the chooser stays open and is closed by its box.
void ChooserAndHelpTest::enterOpensTheCurrentOrOnlyList() {
    QFETCH(QStringList, files);
    QFETCH(QString, previous);
    QFETCH(QString, expected);
    DialogWorld world;
    for (const QString& file : files) {
        world.home.file("home/data/" + file.toStdString(), "x");
    }
    auto ran = onModal("frmSavedLists", [](QWidget& dialog) {
        QTest::keyClick(&child<QListWidget>(dialog, "lstSavedLists"), Qt::Key_Return);
        if (dialog.isVisible()) {
            dialog.close();
        }
    });
    QCOMPARE(
        QString::fromStdString(chooseListToSearch(nullptr, world.places(), previous.toStdString())),
        expected);
    QVERIFY(*ran);
}

void ChooserAndHelpTest::chooserResults_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Open") << "Open"
                          << "old.lst"
                          << "my.music.lst";
    QTest::newRow("double click") << "double click"
                                  << ""
                                  << "my.music.lst";
    QTest::newRow("Cancel") << "Cancel"
                            << "old.lst"
                            << "";
    QTest::newRow("Escape") << "Escape"
                            << "old.lst"
                            << "";
    QTest::newRow("close box keeps the previous") << "close box"
                                                  << "old.lst"
                                                  << "old.lst";
    QTest::newRow("close box, no previous") << "close box"
                                            << ""
                                            << "";
}

void ChooserAndHelpTest::chooserResults() {
    QFETCH(QString, how);
    QFETCH(QString, previous);
    QFETCH(QString, expected);
    DialogWorld world;
    addSavedLists(world);
    auto ran = onModal("frmSavedLists", [&](QWidget& dialog) {
        select(dialog, 1);
        auto& list = child<QListWidget>(dialog, "lstSavedLists");
        if (how == "Open" || how == "Cancel") {
            child<QPushButton>(dialog, how == "Open" ? "btnOpen" : "btnCancel").click();
        } else if (how == "double click") {
            emit list.itemDoubleClicked(list.item(1));
        } else if (how == "Escape") {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        } else {
            dialog.close();
        }
    });
    const std::string chosen =
        chooseListToSearch(nullptr, world.places(), previous.toStdString(), world.user);
    QVERIFY(*ran);
    QCOMPARE(QString::fromStdString(chosen), expected);
    QVERIFY(world.user.boxes().empty());
}

void ChooserAndHelpTest::chooserHandsBackTheFileNameBytes() {
    DialogWorld world;
    world.home.file("home/data/caf\xe9.lst", "x");
    auto ran = onModal("frmSavedLists", [](QWidget& dialog) {
        QCOMPARE(items(dialog).size(), 1);
        select(dialog, 0);
        child<QPushButton>(dialog, "btnOpen").click();
    });
    QCOMPARE(chooseListToSearch(nullptr, world.places(), "", world.user),
             std::string("caf\xe9.lst"));
    QVERIFY(*ran);
}

void ChooserAndHelpTest::helpTextNamesThisSystemsPlaces() {
    const std::string text = firstStartHelpText("/home/u/.local/share/quorvane/Lists");
    const QStringList lines = QString::fromStdString(text).split('\n');
    QCOMPARE(lines.size(), 17);
    QCOMPARE(lines[0],
             QString("Welcome to Quorfind 3.2! - The list searching companion to Quorvane"));
    QCOMPARE(lines.mid(6, 5), QStringList({"",
                                           "The OPTIONS menu allows you to change how Quorfind "
                                           "works.",
                                           "",
                                           "The QUORVANE menu can either launch "
                                           "Quorvane, or update your current Quorvane list.",
                                           ""}));
    QCOMPARE(lines[4], QString("/home/u/.local/share/quorvane/Lists folder, then choose "
                               "\"Search Lists Folder\" from the FILE menu."));
    // No Windows program or path is named to a Linux user.
    for (const char* windowsOnly : {"Winamp", "\\", ".exe", "mIRC", "DOS"}) {
        QVERIFY2(text.find(windowsOnly) == std::string::npos, windowsOnly);
    }
}

void ChooserAndHelpTest::helpBoxIsShownWithItsCaption() {
    DialogWorld world;
    showFirstStartHelp(world.user, world.places());
    QCOMPARE(world.user.boxes().size(), std::size_t(1));
    QCOMPARE(world.user.boxes()[0].caption, std::string("Quorfind Help - Please Read"));
    QCOMPARE(world.user.boxes()[0].text, firstStartHelpText(world.home.home() / "Lists"));

    // The box of the window itself, over the program folder of this user.
    auto ran = onModal("", [](QWidget& box) {
        auto* message = qobject_cast<QMessageBox*>(&box);
        QVERIFY(message != nullptr);
        QCOMPARE(message->windowTitle(), QString("Quorfind Help - Please Read"));
        QVERIFY(message->text().contains("/home/Lists folder, then choose"));
        screenshot(box, "firstStartHelp");
        message->button(QMessageBox::Ok)->click();
    });
    showFirstStartHelp(nullptr);
    QVERIFY(*ran);
}

}  // namespace quor::find::ui

QUOR_QT_TEST_MAIN(quor::find::ui::ChooserAndHelpTest)

#include "chooser_and_help_test.moc"
