// The rename dialog and the IRC nickname dialog: what they start with and
// what each way of leaving them hands back.

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "common/qt/testing/test_main.h"
#include "dialog_fixture.h"
#include "quorfind/ui/dialogs.h"

namespace quor::find::ui {

using namespace quor::testing;

namespace {

QByteArray bytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// How a test leaves a dialog: type text (a null text types nothing) and
// press a button, or close it.
void typeAndLeave(QWidget& dialog, const char* boxName, const QString& typed, const QString& how) {
    if (!typed.isNull()) {
        child<QLineEdit>(dialog, boxName).setText(typed);
    }
    if (how == "OK") {
        child<QPushButton>(dialog, "btnOK").click();
    } else if (how == "Cancel") {
        child<QPushButton>(dialog, "btnCancel").click();
    } else if (how == "close box") {
        dialog.close();
    } else {
        QTest::keyClick(&dialog, Qt::Key_Escape);
    }
}

}  // namespace

class RenameAndNickTest : public QObject {
    Q_OBJECT
  private slots:
    void renameStartsWithTheWholePathSelected();
    void renameHandsBackTheCleanedPath_data();
    void renameHandsBackTheCleanedPath();
    void nicknameOnlyOnOk_data();
    void nicknameOnlyOnOk();
};

void RenameAndNickTest::renameStartsWithTheWholePathSelected() {
    auto ran = onModal("frmRename", [](QWidget& dialog) {
        QCOMPARE(dialog.windowTitle(), QString("Rename File"));
        auto& oldBox = child<QLineEdit>(dialog, "txtOldFileName");
        auto& newBox = child<QLineEdit>(dialog, "txtNewFileName");
        QCOMPARE(oldBox.text(), QString("/home/u/Music/a song.mp3"));
        QVERIFY(oldBox.isReadOnly());
        QCOMPARE(newBox.selectedText(), QString("/home/u/Music/a song.mp3"));
        QCOMPARE(dialog.focusWidget(), &newBox);
        QVERIFY(child<QPushButton>(dialog, "btnOK").isDefault());
        QCOMPARE(newBox.accessibleName(), QString("New file name"));
        QCOMPARE(tabOrder(dialog),
                 QStringList({"txtOldFileName", "txtNewFileName", "btnOK", "btnCancel"}));
        screenshot(dialog, "frmRename");
    });
    QCOMPARE(askNewPath(nullptr, "/home/u/Music/a song.mp3"), std::string());
    QVERIFY(*ran);
}

void RenameAndNickTest::renameHandsBackTheCleanedPath_data() {
    QTest::addColumn<QByteArray>("oldPath");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray song = "/m/a.mp3";
    QTest::newRow("unchanged") << song << QString() << "OK" << song;
    QTest::newRow("emptied") << song << ""
                             << "OK" << song;
    QTest::newRow("Cancel") << song << "/m/b.mp3"
                            << "Cancel" << QByteArray();
    QTest::newRow("close box") << song << "/m/b.mp3"
                               << "close box" << QByteArray();
    QTest::newRow("Escape") << song << "/m/b.mp3"
                            << "Escape" << QByteArray();
    QTest::newRow("renamed") << song << "/m/b c.mp3"
                             << "OK" << bytes("/m/b c.mp3");
    QTest::newRow("moved") << song << "/n/a.mp3"
                           << "OK" << bytes("/n/a.mp3");
    QTest::newRow("wildcards") << song << "/m/?b*<>.mp3"
                               << "OK" << bytes("/m/b.mp3");
    QTest::newRow("only wildcards added") << song << "/m/a?.mp3"
                                          << "OK" << song;
    QTest::newRow("folder keeps ?") << bytes("/m/a?/x.mp3") << "/m/a?/y.mp3"
                                    << "OK" << bytes("/m/a?/y.mp3");
    QTest::newRow("bare name") << song << "b.mp3"
                               << "OK" << bytes("/m/b.mp3");
    QTest::newRow("relative folder") << song << "sub/b.mp3"
                                     << "OK" << bytes("/m/sub/b.mp3");
    const QByteArray odd = "/m/\xff\xfe/x.mp3";
    QTest::newRow("odd folder unchanged") << odd << QString() << "OK" << odd;
    QTest::newRow("odd folder, name edited")
        << odd << QString::fromUtf8(odd).replace("x.mp3", "y.mp3") << "OK"
        << bytes("/m/\xff\xfe/y.mp3");
    QTest::newRow("odd name unchanged")
        << bytes("/m/\xc3.mp3") << QString() << "OK" << bytes("/m/\xc3.mp3");
}

void RenameAndNickTest::renameHandsBackTheCleanedPath() {
    QFETCH(QByteArray, oldPath);
    QFETCH(QString, typed);
    QFETCH(QString, how);
    QFETCH(QByteArray, expected);
    QString shownAfterOk;
    auto ran = onModal("frmRename", [&](QWidget& dialog) {
        typeAndLeave(dialog, "txtNewFileName", typed, how);
        shownAfterOk = child<QLineEdit>(dialog, "txtNewFileName").text();
    });
    const std::string newPath = askNewPath(nullptr, oldPath.toStdString());
    QVERIFY(*ran);
    QCOMPARE(bytes(newPath), expected);
    // The box shows the path the rename will use.
    if (how == "OK" && expected != oldPath) {
        QCOMPARE(shownAfterOk, QString::fromUtf8(expected));
    }
}

void RenameAndNickTest::nicknameOnlyOnOk_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("expected");
    QTest::newRow("OK") << "alice"
                        << "OK"
                        << "alice";
    QTest::newRow("OK empty") << ""
                              << "OK"
                              << "";
    QTest::newRow("Cancel") << "alice"
                            << "Cancel"
                            << "";
    QTest::newRow("close box") << "alice"
                               << "close box"
                               << "";
    QTest::newRow("Escape") << "alice"
                            << "Escape"
                            << "";
}

void RenameAndNickTest::nicknameOnlyOnOk() {
    QFETCH(QString, typed);
    QFETCH(QString, how);
    QFETCH(QString, expected);
    auto ran = onModal("frmIRCnick",
                       [&](QWidget& dialog) { typeAndLeave(dialog, "txtIRCNick", typed, how); });
    QCOMPARE(QString::fromStdString(askIrcNickname(nullptr, "bob")), expected);
    QVERIFY(*ran);
}

}  // namespace quor::find::ui

QUOR_QT_TEST_MAIN(quor::find::ui::RenameAndNickTest)

#include "rename_and_nick_test.moc"
