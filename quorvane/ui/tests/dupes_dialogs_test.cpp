// The duplicate finder's dialogs: Duplicate File Options and what its
// choices do to a search, Rename File and the name it hands back, and
// pictures of the three windows.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QtTest>

#include "common/qt/testing/test_main.h"
#include "dupes_fixture.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/ui/dupes_options_dialog.h"
#include "quorvane/ui/rename_file_dialog.h"

namespace quor::ui {

using namespace quor::testing;

namespace {

QSlider& slider(QWidget& dialog) {
    return child<QSlider>(dialog, "Slider");
}

QCheckBox& removables(QWidget& dialog) {
    return child<QCheckBox>(dialog, "chkIncludeRemovables");
}

QLineEdit& box(QWidget& dialog, const char* name) {
    return child<QLineEdit>(dialog, name);
}

// A dialog script: sets the options and presses the button.
DialogScript chooseOptions(int tolerance, bool includeRemovables, const char* pressed) {
    return [=](QDialog& dialog) {
        slider(dialog).setValue(tolerance);
        removables(dialog).setChecked(includeRemovables);
        click(dialog, pressed);
        return dialog.result();
    };
}

}  // namespace

class DupesDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void optionsShowTheStoredChoices();
    void optionsAreStoredOnlyOnOk();
    void optionsChangeWhatTheSearchFinds();
    void renameHandsBackTheCleanedName();
    void renameKeepsTheBytesOfAnUnchangedName();
    void screenshots();
};

void DupesDialogsTest::optionsShowTheStoredChoices() {
    UiWorld world;
    {
        DupesOptionsDialog dialog(world.settings(), world.user);
        QCOMPARE(dialog.windowTitle(), QString("Duplicate File Options"));
        QCOMPARE(child<QLabel>(dialog, "lblInstruction").text(),
                 QString("Select how close files must be to match:"));
        QCOMPARE(child<QLabel>(dialog, "lblExact").text(), QString("Exact"));
        QCOMPARE(child<QLabel>(dialog, "lblLess").text(), QString("Less"));
        QCOMPARE(slider(dialog).toolTip(),
                 QString("Adjust to select duplicate search sensitivity"));
        QCOMPARE(slider(dialog).minimum(), 0);
        QCOMPARE(slider(dialog).maximum(), 4);
        QCOMPARE(removables(dialog).text(), QString("Include removable disks in search"));
        QCOMPARE(child<QPushButton>(dialog, "btnOK").toolTip(), QString("Changes will be saved"));
        QCOMPARE(child<QPushButton>(dialog, "btnCancel").toolTip(),
                 QString("Changes will not be saved"));
        QVERIFY(child<QPushButton>(dialog, "btnOK").isDefault());
        QCOMPARE(focusOrder(slider(dialog), 4),
                 (QStringList{"Slider", "chkIncludeRemovables", "btnOK", "btnCancel"}));
        // Nothing stored yet: the defaults.
        QCOMPARE(slider(dialog).value(), 3);
        QVERIFY(removables(dialog).isChecked());
    }
    world.settings().saveSetting("DupesSlider", "1");
    world.settings().saveSetting("DupesIncludeRemovables", "0");
    DupesOptionsDialog dialog(world.settings(), world.user);
    QCOMPARE(slider(dialog).value(), 1);
    QVERIFY(!removables(dialog).isChecked());
    QVERIFY(world.user.boxes().empty());
}

void DupesDialogsTest::optionsAreStoredOnlyOnOk() {
    UiWorld world;
    {
        DupesOptionsDialog dialog(world.settings(), world.user);
        QTest::keyClick(&slider(dialog), Qt::Key_Home);  // the keyboard reaches both ends
        removables(dialog).setChecked(false);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QCOMPARE(world.setting("DupesSlider"), std::string("<missing>"));
    QCOMPARE(world.setting("DupesIncludeRemovables"), std::string("<missing>"));

    DupesOptionsDialog dialog(world.settings(), world.user);
    QTest::keyClick(&slider(dialog), Qt::Key_End);
    removables(dialog).setChecked(false);
    click(dialog, "btnOK");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(world.setting("DupesSlider"), std::string("4"));
    QCOMPARE(world.setting("DupesIncludeRemovables"), std::string("0"));
}

void DupesDialogsTest::optionsChangeWhatTheSearchFinds() {
    DupesWorld f;
    f.writeCacheFile(1, "2\n*More/\ntrack01.mp3\ntrack02.mp3\n");  // two apart
    auto window = f.makeWindow();
    const QStringList musicPair = {"Music/My Song.mp3  3KB", "Music/Rock/my_song.MP3  3KB", ""};
    const QStringList trackPair = {"More/track01.mp3", "More/track02.mp3", ""};
    auto search = [&] {
        f.world.dialogsRun.clear();
        child<QPushButton>(*window, "btnSearch").click();
        return shownRows(*window);
    };
    auto options = [&](DialogScript script) {
        f.world.dialogScripts.push_back(std::move(script));
        child<QAction>(*window, "mnuDupesOptions").trigger();
        QCOMPARE(f.world.dialogsRun.back(), QString("frmDupesOptions"));
    };
    QCOMPARE(search(), musicPair);

    options(chooseOptions(2, true, "btnOK"));
    QCOMPARE(search(), musicPair + trackPair);
    options(chooseOptions(0, true, "btnCancel"));
    QCOMPARE(search(), musicPair + trackPair);

    // The second folder is on a removable disk: left out when unticked.
    store::AppSettings s = f.world.settings();
    store::writeFolderRecord(s, 1, {f.moreFolder(), "More", "0", "1"});
    QCOMPARE(search(), musicPair + trackPair);
    options(chooseOptions(2, false, "btnOK"));
    QCOMPARE(search(), musicPair);
}

void DupesDialogsTest::renameHandsBackTheCleanedName() {
    RenameFileDialog dialog("My Song.mp3");
    QCOMPARE(dialog.windowTitle(), QString("Rename File"));
    QVERIFY(box(dialog, "txtOldFileName").isReadOnly());
    QCOMPARE(box(dialog, "txtOldFileName").text(), QString("My Song.mp3"));
    QCOMPARE(box(dialog, "txtNewFileName").selectedText(), QString("My Song.mp3"));
    QCOMPARE(focusOrder(box(dialog, "txtOldFileName"), 4),
             (QStringList{"txtOldFileName", "txtNewFileName", "btnOK", "btnCancel"}));
    QVERIFY(child<QPushButton>(dialog, "btnOK").isDefault());

    box(dialog, "txtNewFileName").setText("a<b>\"c\"|d?.mp3");
    click(dialog, "btnOK");
    QCOMPARE(dialog.answer(), std::optional<std::string>("abc|d.mp3"));
    QCOMPARE(box(dialog, "txtNewFileName").text(), QString("abc|d.mp3"));

    RenameFileDialog cancelled("My Song.mp3");
    box(cancelled, "txtNewFileName").setText("other.mp3");
    QTest::keyClick(&cancelled, Qt::Key_Escape);
    QCOMPARE(cancelled.answer(), std::nullopt);
    RenameFileDialog emptied("My Song.mp3");
    box(emptied, "txtNewFileName").clear();
    click(emptied, "btnOK");
    QCOMPARE(emptied.answer(), std::optional<std::string>(""));
}

void DupesDialogsTest::renameKeepsTheBytesOfAnUnchangedName() {
    // A name that is not UTF-8 is shown with a replacement character; OK
    // without a change must not hand that back as a new name.
    const std::string latin1 = "caf\xe9.mp3";
    int runs = 0;
    RenameFileAsker asker(nullptr, [&](QDialog& dialog) {
        ++runs;
        click(dialog, "btnOK");
        return dialog.result();
    });
    QCOMPARE(asker.ask(latin1), std::optional<std::string>(latin1));
    QCOMPARE(runs, 1);
    QCOMPARE(dupes::renameDialogResult(latin1, asker.ask(latin1)), latin1);
}

void DupesDialogsTest::screenshots() {
    DupesWorld f;
    auto window = f.makeWindow();
    window->resize(520, 360);
    child<QPushButton>(*window, "btnSearch").click();
    selectRow(*window, 3);
    screenshot(*window, "dupes-window");
    DupesOptionsDialog options(f.world.settings(), f.world.user);
    screenshot(options, "dupes-options");
    RenameFileDialog rename("My Song.mp3");
    screenshot(rename, "dupes-rename");
    DupesWorld empty;
    auto fresh = empty.makeWindow();
    screenshot(*fresh, "dupes-window-opened");
}

}  // namespace quor::ui

QUOR_QT_TEST_MAIN(quor::ui::DupesDialogsTest)

#include "dupes_dialogs_test.moc"
