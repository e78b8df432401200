// Window and message box titles: exactly the given text, one line in the
// title bar, the rest of a title that spans lines shown inside the dialog.

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "common/qt/app_identity.h"
#include "common/qt/dialog_title.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/testing/test_main.h"
#include "quorvane/store/folder_list.h"
#include "quorvane/ui/folder_chooser.h"
#include "ui_world_fixture.h"

namespace quor::ui {

using namespace quor::testing;

namespace {

// Runs look on the message box once it is open, then answers it with Escape.
void answerNextBox(const std::function<void(QMessageBox&)>& look, int turnsLeft = 200) {
    QTimer::singleShot(0, qApp, [look, turnsLeft] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            if (turnsLeft > 0) {
                answerNextBox(look, turnsLeft - 1);
            }
            return;
        }
        look(*box);
        box->reject();
    });
}

}  // namespace

class WindowTitlesTest : public QObject {
    Q_OBJECT
  private slots:
    void qtAppendsNoProgramNameToTitles();
    void titlesSpanningLinesAreSplit();
    void messageBoxShowsTheCaptionsFurtherLinesInside();
    void folderChooserShowsTheSecondLineAsALabel();
};

void WindowTitlesTest::qtAppendsNoProgramNameToTitles() {
    // Qt appends the display name, once one is set, to every title it hands
    // the window manager; without one the display name follows the name.
    const QString before = QCoreApplication::applicationName();
    nameApplication("Quorvane", "quorvane");
    QCOMPARE(QCoreApplication::applicationName(), QString("Quorvane"));
    QCOMPARE(QGuiApplication::desktopFileName(), QString("quorvane"));
    QCoreApplication::setApplicationName("no display name set");
    QCOMPARE(QGuiApplication::applicationDisplayName(), QString("no display name set"));
    QCoreApplication::setApplicationName(before);

    UiWorld world;
    const auto window = world.makeMainWindow();
    QVERIFY(window->load().ok());
    window->show();
    QCOMPARE(window->windowHandle()->title(), QString("Quorvane"));
}

void WindowTitlesTest::titlesSpanningLinesAreSplit() {
    const struct {
        const char* text;
        SplitTitle split;
    } cases[] = {
        {"Folder Options", {"Folder Options", ""}},
        {"", {"", ""}},
        {"Select the folder to add:\n(Sub-folders are included automatically)",
         {"Select the folder to add:", "(Sub-folders are included automatically)"}},
        {"one\r\ntwo\rthree\n", {"one", "two\nthree"}},
        {"one\n\n", {"one", ""}},
        {"\nsecond", {"", "second"}},
    };
    for (const auto& c : cases) {
        QCOMPARE(splitTitle(c.text), c.split);
    }
}

void WindowTitlesTest::messageBoxShowsTheCaptionsFurtherLinesInside() {
    QtInteraction qtBoxes;
    Interaction& boxes = qtBoxes;
    QString title;
    QString text;
    const auto look = [&](QMessageBox& box) {
        title = box.windowTitle();
        text = box.text();
    };
    answerNextBox(look);
    boxes.notice("The text.", "Welcome to Brevard's Quorvane!");
    QCOMPARE(title, QString("Welcome to Brevard's Quorvane!"));
    QCOMPARE(text, QString("The text."));

    answerNextBox(look);
    boxes.notice("The text.", "A failure\r\non two lines");
    QCOMPARE(title, QString("A failure"));
    QCOMPARE(text, QString("on two lines\n\nThe text."));
}

void WindowTitlesTest::folderChooserShowsTheSecondLineAsALabel() {
    const auto chooser = makeFolderChooser(nullptr, qtext(store::kAddFolderTitle));
    QCOMPARE(chooser->windowTitle(), QString("Select the folder to add:"));
    QCOMPARE(chooser->fileMode(), QFileDialog::Directory);
    QVERIFY(chooser->testOption(QFileDialog::ShowDirsOnly));
    auto* label = chooser->findChild<QLabel*>("lblChooserPrompt");
    QVERIFY(label != nullptr);
    QCOMPARE(label->text(), QString("(Sub-folders are included automatically)"));
    chooser->show();
    QVERIFY(label->isVisible());
    // Above the folders, the way the prompt reads.
    auto* folders = chooser->findChild<QWidget*>("treeView");
    QVERIFY(folders != nullptr);
    QVERIFY(label->mapTo(chooser.get(), QPoint(0, 0)).y() <
            folders->mapTo(chooser.get(), QPoint(0, 0)).y());
    chooser->reject();

    const auto plain = makeFolderChooser(nullptr, "Choose a folder");
    QCOMPARE(plain->windowTitle(), QString("Choose a folder"));
    QVERIFY(plain->findChild<QLabel*>("lblChooserPrompt") == nullptr);
}

}  // namespace quor::ui

QUOR_QT_TEST_MAIN(quor::ui::WindowTitlesTest)

#include "window_titles_test.moc"
