// The option dialogs and editors: their dependencies, what OK writes and in
// which order, and the files they save.

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "common/qt/qt_interaction.h"
#include "common/qt/testing/test_main.h"
#include "common/qt/window_interaction.h"
#include "common/testing/scoped_environment.h"
#include "quorvane/store/folder_options.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/ui/download_link.h"
#include "quorvane/ui/download_link_dialog.h"
#include "quorvane/ui/folder_options_dialog.h"
#include "quorvane/ui/head_foot_editor.h"
#include "quorvane/ui/list_preferences.h"
#include "quorvane/ui/preferences_dialog.h"
#include "ui_world_fixture.h"

namespace quor::ui {

using namespace quor::testing;

namespace {

using quor::testing::ScopedEnvironment;

QCheckBox* box(QWidget& dialog, const char* name) {
    return &child<QCheckBox>(dialog, name);
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void preferencesShowStoredChoices();
    void preferencesDependenciesFollowTheMasterBoxes();
    void preferencesWriteInOrderOnlyOnOk();
    void savePathFollowsTheFormat();
    void downloadLinkIsCleanedAndExampled();
    void folderOptionsMultipleDisksAnsweredNoKeepsTheDisks();
    void folderOptionsDiskButtonsRequestARebuild();
    void enterAnswersNoToADestructiveQuestion();
    void headerEditorSavesWithCrLf();
    void missingHeaderIsCreatedAndEdited();
    void templateIsEditedWithAGraphicalEditor();
    void templateWithoutAnEditorGoesToThePlainTextApplication();
    void screenshots();
};

void DialogsTest::preferencesShowStoredChoices() {
    UiWorld world;
    auto s = world.settings();
    s.saveSetting("IncludeFileSize", "2");
    s.saveSetting("IncludeFoldersOnly", "1");
    s.saveSetting("BigList", "True");
    s.saveSetting("HTMLTableColor", "Tan");
    const ListPreferences p = readListPreferences(s);
    QVERIFY(p.includeFileSize && p.fileSizeInUnits);
    QVERIFY(p.foldersOnly && !p.rootFoldersOnly);
    QVERIFY(p.bigList);
    QCOMPARE(p.colour, 2);
    QVERIFY(p.showHeader && p.showSummary && !p.showFooter && p.useHtmlTable);
    QCOMPARE(p.fileMask, std::string("*.*"));
    // The default colour matches none of the offered ones.
    s.remove(store::kSettings, "HTMLTableColor");
    QCOMPARE(readListPreferences(s).colour, -1);
}

void DialogsTest::preferencesDependenciesFollowTheMasterBoxes() {
    UiWorld world;
    PreferencesDialog dialog(world.settings(), world.user, world.services());
    // A text list: no HTML settings; no sizes, paths or folders-only.
    for (const char* name :
         {"chkIncludeLinks", "chkUseHTMLTable", "chkShowTableBorders", "chkAlternateColors",
          "chkPathAtEnd", "chkFileSizeInMB", "chkIncludeRootFoldersOnly"}) {
        QVERIFY2(!box(dialog, name)->isEnabled(), name);
    }
    QVERIFY(!child<QWidget>(dialog, "btnDownloadLink").isEnabled());
    QVERIFY(!child<QRadioButton>(dialog, "optColor0").isEnabled());

    child<QRadioButton>(dialog, "optHTML").click();
    for (const char* name : {"chkIncludeLinks", "chkUseHTMLTable", "chkShowTableBorders"}) {
        QVERIFY2(box(dialog, name)->isEnabled(), name);
    }
    QVERIFY(child<QRadioButton>(dialog, "optColor7").isEnabled());
    box(dialog, "chkUseHTMLTable")->click();  // cleared: no table details
    QVERIFY(!box(dialog, "chkShowTableBorders")->isEnabled());
    QVERIFY(!child<QRadioButton>(dialog, "optColor7").isEnabled());
    QVERIFY(box(dialog, "chkIncludeLinks")->isEnabled());

    // Abbreviated size: disabled with its tick kept, and written as 0.
    box(dialog, "chkIncludeFileSize")->click();
    box(dialog, "chkFileSizeInMB")->click();
    QCOMPARE(dialog.current().fileSizeInUnits, true);
    box(dialog, "chkIncludeFileSize")->click();
    QVERIFY(!box(dialog, "chkFileSizeInMB")->isEnabled());
    QVERIFY(box(dialog, "chkFileSizeInMB")->isChecked());
    auto sizeWritten = [&] {
        for (const auto& [key, value] : listPreferenceWrites(dialog.current())) {
            if (key == "IncludeFileSize") {
                return value;
            }
        }
        return std::string("<none>");
    };
    QCOMPARE(sizeWritten(), std::string("0"));
    box(dialog, "chkIncludeFileSize")->click();
    QVERIFY(box(dialog, "chkFileSizeInMB")->isEnabled());
    QCOMPARE(sizeWritten(), std::string("2"));

    box(dialog, "chkIncludePath")->click();
    QVERIFY(box(dialog, "chkPathAtEnd")->isEnabled());
    box(dialog, "chkIncludeFoldersOnly")->click();
    QVERIFY(box(dialog, "chkIncludeRootFoldersOnly")->isEnabled());
}

void DialogsTest::preferencesWriteInOrderOnlyOnOk() {
    ListPreferences p;
    p.colour = 4;
    std::vector<std::string_view> keys;
    for (const auto& [key, value] : listPreferenceWrites(p)) {
        keys.push_back(key);
    }
    const std::vector<std::string_view> expected = {"ShowHeader",
                                                    "ShowFooter",
                                                    "ShowSummary",
                                                    "HTML",
                                                    "IncludeLinks",
                                                    "BigList",
                                                    "FileMask",
                                                    "IncludeFileSize",
                                                    "IncludeFileDate",
                                                    "IncludeMP3Info",
                                                    "IncludeSongLength",
                                                    "IncludeEmptyDirs",
                                                    "IncludeFoldersOnly",
                                                    "IncludePath",
                                                    "PathAtEnd",
                                                    "SavePath",
                                                    "UseHTMLTable",
                                                    "DisplayHTMLTable",
                                                    "AlternateTableColors",
                                                    "IncludeFileNums",
                                                    "HTMLTableColor"};
    QCOMPARE(keys, expected);
    p.colour = -1;
    QCOMPARE(listPreferenceWrites(p).size(), expected.size() - 1);

    UiWorld world;
    {
        PreferencesDialog dialog(world.settings(), world.user, world.services());
        box(dialog, "chkFooter")->click();
        click(dialog, "btnCancel");
    }
    QCOMPARE(world.setting("ShowFooter"), std::string("<missing>"));
    PreferencesDialog dialog(world.settings(), world.user, world.services());
    box(dialog, "chkFooter")->click();
    child<QRadioButton>(dialog, "optBigList").click();
    child<QLineEdit>(dialog, "FileMask").setText("*.mp3");
    click(dialog, "btnOK");
    QCOMPARE(world.setting("ShowFooter"), std::string("1"));
    QCOMPARE(world.setting("BigList"), std::string("True"));
    QCOMPARE(world.setting("FileMask"), std::string("*.mp3"));
    QCOMPARE(world.setting("HTMLTableColor"), std::string("<missing>"));
}

void DialogsTest::savePathFollowsTheFormat() {
    QCOMPARE(savePathWithExtension("/lists/my.list.txt", ".html"),
             std::string("/lists/my.list.html"));
    QCOMPARE(savePathWithExtension("/my.lists/music", ".txt"), std::string("/my.lists/music.txt"));
    QCOMPARE(savePathWithExtension("", ".txt"), std::string(""));

    UiWorld world;
    world.settings().saveSetting("HTML", "1");
    world.settings().saveSetting("SavePath", "/lists/my.list.txt");
    PreferencesDialog dialog(world.settings(), world.user, world.services());
    QCOMPARE(dialog.workingSavePath(), std::string("/lists/my.list.html"));
    child<QRadioButton>(dialog, "optText").click();
    QCOMPARE(dialog.workingSavePath(), std::string("/lists/my.list.txt"));
    child<QRadioButton>(dialog, "optHTML").click();
    click(dialog, "btnOK");
    QCOMPARE(world.setting("SavePath"), std::string("/lists/my.list.html"));
    QCOMPARE(world.setting("HTML"), std::string("1"));
}

void DialogsTest::downloadLinkIsCleanedAndExampled() {
    QCOMPARE(cleanDownloadLink("http://my host/files//"), std::string("http://myhost/files/"));
    QCOMPARE(cleanDownloadLink("\\\\pc\\share\\"), std::string("\\\\pc\\share"));
    QCOMPARE(cleanDownloadLink("<\"*?>"), std::string(""));
    QCOMPARE(exampleDownloadLink(""), std::string("/mymusic/song.mp3"));
    QCOMPARE(exampleDownloadLink("\\\\pc"), std::string("\\\\pc\\mymusic\\song.mp3"));
    QCOMPARE(exampleDownloadLink("http://h"), std::string("http://h/mymusic/song.mp3"));

    UiWorld world;
    DownloadLinkDialog dialog(world.settings(), world.user);
    auto* link = &child<QLineEdit>(dialog, "txtDownloadLink");
    link->setText("http://h/ my files/");
    QCOMPARE(child<QLineEdit>(dialog, "txtExampleLink").text(),
             QString("http://h/ my files//mymusic/song.mp3"));
    click(dialog, "btnOK");
    QCOMPARE(world.setting("DownloadLink"), std::string("http://h/myfiles"));
    QCOMPARE(link->text(), QString("http://h/myfiles"));
}

void DialogsTest::folderOptionsMultipleDisksAnsweredNoKeepsTheDisks() {
    UiWorld world;
    world.addRecords({"/media/cd"});
    auto settings = world.settings();
    store::writeFolderRecord(settings, 0, {"/media/cd", "CDs", "0", "1"});
    world.home.file("home/0.txt", "?disk1");
    auto context = world.context();
    store::FolderOptions state(context, 0);
    FolderOptionsDialog dialog(state, world.user);
    auto* disks = box(dialog, "Check2");
    QVERIFY(disks->isChecked());
    QVERIFY(!box(dialog, "Check1")->isEnabled());
    QVERIFY(child<QWidget>(dialog, "btnAddAll").isEnabled());
    world.user.answerNo();
    disks->click();
    QVERIFY(disks->isChecked());
    QVERIFY(world.home.exists("home/0.txt"));
    QVERIFY(world.user.boxes().back().defaultNo);
    world.user.answerYes();
    disks->click();
    QVERIFY(!disks->isChecked());
    QVERIFY(box(dialog, "Check1")->isChecked() && box(dialog, "Check1")->isEnabled());
    QVERIFY(!child<QWidget>(dialog, "btnAddNew").isEnabled());
    QVERIFY(!world.home.exists("home/0.txt"));
    QCOMPARE(store::readFolderRecord(world.settings(), 0).cdrom, std::string("0"));
    // An empty path keeps the dialog open.
    child<QLineEdit>(dialog, "Path").clear();
    click(dialog, "btnOK");
    QCOMPARE(world.user.texts().back(), std::string("You must enter a valid path!"));
    QCOMPARE(dialog.result(), 0);
}

void DialogsTest::folderOptionsDiskButtonsRequestARebuild() {
    UiWorld world;
    world.addRecords({"/media/cd"});
    auto context = world.context();
    store::FolderOptions state(context, 0);
    FolderOptionsDialog dialog(state, world.user);
    box(dialog, "Check2")->click();  // an ordinary folder becomes a disk set
    QCOMPARE(store::readFolderRecord(world.settings(), 0).cdrom, std::string("1"));
    std::vector<std::pair<int, DiskReadMode>> reads;
    dialog.setDiskReadHandler([&](QWidget*, int index, DiskReadMode mode) {
        reads.emplace_back(index, mode);
        world.home.file("home/0.txt", "?Disk 1\r\n10\r\n");
        return true;
    });
    auto* addAll = &child<QPushButton>(dialog, "btnAddAll");
    addAll->setFocus();
    click(dialog, "btnAddAll");  // no disks yet: nothing to erase, nothing asked
    QVERIFY(world.user.boxes().empty());
    QCOMPARE(reads.size(), 1u);
    QCOMPARE(reads[0].second, DiskReadMode::AddAll);
    QVERIFY(dialog.rebuildRequested());
    // Enter after the disks were read closes the dialog, not Add All again.
    QCOMPARE(dialog.focusWidget(), &child<QWidget>(dialog, "btnOK"));

    world.user.answerNo();
    click(dialog, "btnAddAll");  // now there are disks: asked, No by default
    QCOMPARE(world.user.boxes().size(), 1u);
    QVERIFY(world.user.boxes()[0].defaultNo);
    QCOMPARE(reads.size(), 1u);
    click(dialog, "btnAddNew");
    QCOMPARE(reads.size(), 2u);
    QCOMPARE(reads[1].second, DiskReadMode::AddNew);
}

namespace {

// Presses Enter in the message box that the next event loop shows, and
// reports which button was its default.
void pressEnterInNextBox(QMessageBox::StandardButton& defaultButton) {
    QTimer::singleShot(0, qApp, [&defaultButton] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box != nullptr && box->isVisible()) {
                defaultButton = box->standardButton(box->defaultButton());
                QTest::keyClick(box, Qt::Key_Return);
                return;
            }
        }
    });
}

}  // namespace

void DialogsTest::enterAnswersNoToADestructiveQuestion() {
    const struct {
        bool destructive;
        QMessageBox::StandardButton defaultButton;
    } cases[] = {{true, QMessageBox::No}, {false, QMessageBox::Yes}};
    for (const auto& c : cases) {
        QtInteraction boxes;
        WindowInteraction window(boxes, [](const QString&) {});
        QMessageBox::StandardButton shown = QMessageBox::NoButton;
        pressEnterInNextBox(shown);
        const bool yes = c.destructive ? window.confirmDestructive("Delete it?", "Warning")
                                       : window.confirm("Go on?", "Warning");
        QCOMPARE(shown, c.defaultButton);
        QCOMPARE(yes, !c.destructive);
    }
}

void DialogsTest::headerEditorSavesWithCrLf() {
    QCOMPARE(editableText("a\r\nb\r\n"), std::string("a\nb"));
    QCOMPARE(editableText("a\nb"), std::string("a\nb"));
    QCOMPARE(fileContentsForText("a\nb"), std::string("a\r\nb\r\n"));
    QCOMPARE(fileContentsForText(""), std::string("\r\n"));

    UiWorld world;
    auto context = world.context();
    HeadFootEditor editor(context, ListText::Footer, "old");
    QCOMPARE(editor.windowTitle(), QString("Footer Text"));
    editor.textBox()->setPlainText("line 1\nline 2");
    click(editor, "Command1");
    QCOMPARE(world.home.read("home/footer.txt"), std::string("line 1\r\nline 2\r\n"));
    QVERIFY(world.setting("HeadFootWidth") != "<missing>");
}

void DialogsTest::missingHeaderIsCreatedAndEdited() {
    UiWorld world;
    auto context = world.context();
    auto services = world.services();
    world.dialogScripts.push_back([](QDialog& dialog) {
        auto* text = &child<QPlainTextEdit>(dialog, "txtFile");
        SCRIPT_CHECK(text->toPlainText(), QString(""));
        text->setPlainText("Welcome");
        click(dialog, "Command1");
        return dialog.result();
    });
    editListText(context, services, ListText::Header, nullptr);
    QVERIFY(world.opened.empty());
    QCOMPARE(world.home.read("home/header.txt"), std::string("Welcome\r\n"));
    // An existing file goes to the desktop's application.
    editListText(context, services, ListText::Header, nullptr);
    QCOMPARE(world.opened.size(), 1u);
    QCOMPARE(world.dialogsRun.size(), 1u);
}

void DialogsTest::templateIsEditedWithAGraphicalEditor() {
    QCOMPARE(graphicalEditorCommand("vim", "gedit --new-window"),
             (QStringList{"gedit", "--new-window"}));
    QCOMPARE(graphicalEditorCommand("", "/usr/bin/nano"), QStringList{});
    QCOMPARE(graphicalEditorCommand("kate", ""), QStringList{"kate"});

    UiWorld world;
    auto context = world.context();
    auto services = world.services();
    editHtmlTemplate(context, services);  // no template: the message, nothing started
    QVERIFY(world.user.texts().at(0).starts_with("There was a problem opening "));
    QVERIFY(world.started.empty() && world.opened.empty());
    QVERIFY(!world.home.exists("home/Template.html"));

    world.home.file("home/Template.html", "<!--list-->");
    const ScopedEnvironment visual("VISUAL", "");
    const ScopedEnvironment editor("EDITOR", "mousepad");
    editHtmlTemplate(context, services);
    QCOMPARE(world.started.at(0).first(), QString("mousepad"));
    QVERIFY(world.started.at(0).last().endsWith("/Template.html"));
    world.startSucceeds = false;
    editHtmlTemplate(context, services);  // the editor failed: the file is opened
    QCOMPARE(world.opened.size(), 1u);
}

// With no graphical editor named, the page goes to the desktop's application
// for plain text, where it can be edited, rather than to the browser.
void DialogsTest::templateWithoutAnEditorGoesToThePlainTextApplication() {
    UiWorld world;
    const auto page = world.home.file("home/Template.html", "<!--list-->");
    world.home.file("xdg/data/applications/pad.desktop", "[Desktop Entry]\nExec=sh pad %f\n");
    world.home.file("xdg/config/mimeapps.list", "[Default Applications]\ntext/plain=pad.desktop\n");
    const std::string xdg = world.home.path("xdg").string();
    const ScopedEnvironment configHome("XDG_CONFIG_HOME", xdg + "/config");
    const ScopedEnvironment configDirs("XDG_CONFIG_DIRS", xdg + "/none");
    const ScopedEnvironment dataHome("XDG_DATA_HOME", xdg + "/data");
    const ScopedEnvironment dataDirs("XDG_DATA_DIRS", xdg + "/none");
    const ScopedEnvironment desktop("XDG_CURRENT_DESKTOP", "");
    const ScopedEnvironment visual("VISUAL", "");
    const ScopedEnvironment editor("EDITOR", "vi");

    auto context = world.context();
    editHtmlTemplate(context, world.services());
    const QString path = QString::fromStdString(page.string());
    QCOMPARE(world.started, (std::vector<QStringList>{{"sh", "pad", path}}));
    QVERIFY(world.opened.empty());
    // Nothing for plain text: the page is opened after all.
    std::filesystem::remove(world.home.path("xdg/data/applications/pad.desktop"));
    editHtmlTemplate(context, world.services());
    QCOMPARE(world.opened, std::vector<QUrl>{QUrl::fromLocalFile(path)});
    QVERIFY(world.user.boxes().empty());
}

void DialogsTest::screenshots() {
    UiWorld world;
    world.settings().saveSetting("HTML", "1");
    PreferencesDialog preferences(world.settings(), world.user, world.services());
    screenshot(preferences, "list-preferences");
    DownloadLinkDialog link(world.settings(), world.user);
    screenshot(link, "download-link");
    auto context = world.context();
    HeadFootEditor editor(context, ListText::Header, "My files\nAsk me for anything");
    screenshot(editor, "header-editor");
}

}  // namespace quor::ui

QUOR_QT_TEST_MAIN(quor::ui::DialogsTest)

#include "dialogs_test.moc"
