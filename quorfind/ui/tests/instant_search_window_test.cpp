// The search as you type, driven through the search box: each key shows
// the rows and count of the text so far and changes nothing else; Enter
// searches as before; the option turns it off; lists too large to answer
// at once wait for Enter.

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "common/qt/testing/test_main.h"
#include "quorfind/search/instant_search.h"
#include "quorfind/search/search_texts.h"
#include "window_fixture.h"

namespace quor::find::ui {

using namespace quor::testing;

namespace {

// Types text at the end of the search box, key by key, and waits for the
// answer to the last key.
void type(WindowFixture& f, const QString& text) {
    QTest::keyClicks(f.window->searchBox().lineEdit(), text);
    f.window->instantSearch().waitForDone();
}

std::vector<QString> boxItems(QComboBox& box) {
    std::vector<QString> items;
    for (int i = 0; i < box.count(); ++i) {
        items.push_back(box.itemText(i));
    }
    return items;
}

}  // namespace

class InstantSearchWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void eachKeyShowsRowsAndCountAndNothingElse();
    void noMatchesShowsAsItsRow();
    void aChangedListIsReadAgain();
    void enterSearchesAsBeforeAndDropsTheKeyBefore();
    void theOptionTurnsItOff();
    void textListsAreSearchedAsYouTypeOnlyWhenSmall();
};

void InstantSearchWindowTest::eachKeyShowsRowsAndCountAndNothingElse() {
    WindowFixture f;
    QComboBox& box = f.window->searchBox();
    const std::vector<QString> recent = boxItems(box);
    type(f, "c");
    QCOMPARE(f.rows(), kMusicRows);
    QCOMPARE(f.status(), QString("Found 3 matching files."));
    type(f, " d");  // narrows the rows of "c"
    QCOMPARE(f.rows(), std::vector<std::string>{"Music/Rock/c d.mp3"});
    QCOMPARE(f.status(), QString("Found 1 matching files."));
    QTest::keyClick(box.lineEdit(), Qt::Key_Backspace);
    QTest::keyClick(box.lineEdit(), Qt::Key_Backspace);
    f.window->instantSearch().waitForDone();
    QCOMPARE(f.rows(), kMusicRows);

    QCOMPARE(box.currentText(), QString("c"));
    QCOMPARE(boxItems(box), recent);
    QCOMPARE(f.window->windowTitle(), QString("Quorfind - music.txt"));
    QCOMPARE(f.child<QPushButton>("btnSearch").text(), QString("Search"));
    QVERIFY(f.world.user.boxes().empty());
    QCOMPARE(f.world.user.busyDepth(), 0);
    // The rows act as the rows of a full search.
    const std::vector<SearchRow> rows = f.window->results().resultRows();
    QCOMPARE(rows.size(), std::size_t{3});
    QCOMPARE(rows[2].folder(), std::string("Music/Rock/"));
    QCOMPARE(rows[2].name(), std::string("c d.mp3"));
}

void InstantSearchWindowTest::noMatchesShowsAsItsRow() {
    WindowFixture f;
    type(f, "zebra");
    QCOMPARE(f.rows(), std::vector<std::string>{std::string(kNoMatchesRow)});
    QVERIFY(f.window->results().notes());
    QCOMPARE(f.status(), QString("Found 0 matching files."));
    QVERIFY(f.world.user.boxes().empty());
}

void InstantSearchWindowTest::aChangedListIsReadAgain() {
    WindowFixture f;
    type(f, "mp3");
    QCOMPARE(f.rows(), kMusicRows);
    f.world.home.file("home/data/music0.dat", "0\r\n*Music/\r\na.mp3\r\nnew one.mp3\r\n");
    QTest::keyClick(f.window->searchBox().lineEdit(), Qt::Key_Backspace);
    type(f, "3");
    QCOMPARE(f.rows(), (std::vector<std::string>{"Music/a.mp3", "Music/new one.mp3"}));
}

void InstantSearchWindowTest::enterSearchesAsBeforeAndDropsTheKeyBefore() {
    WindowFixture f;
    QSignalSpy answers(&f.window->instantSearch(), &InstantRunner::answered);
    QTest::keyClicks(f.window->searchBox().lineEdit(), "b.mp3");
    QTest::keyClick(f.window->searchBox().lineEdit(), Qt::Key_Return);
    f.window->instantSearch().waitForDone();
    QCOMPARE(answers.count(), 0);  // overtaken by the full search
    QCOMPARE(f.rows(), std::vector<std::string>{"Music/Rock/b.mp3"});
    QCOMPARE(f.window->searchBox().itemText(0), QString("b.mp3"));  // remembered, as always
}

void InstantSearchWindowTest::theOptionTurnsItOff() {
    WindowFixture f;
    f.world.setSetting(kSearchAsYouType, "0");
    const std::vector<std::string> before = f.rows();
    QTest::keyClicks(f.window->searchBox().lineEdit(), "rock");
    QVERIFY(!f.window->instantSearch().pending());
    f.window->instantSearch().waitForDone();
    QCOMPARE(f.rows(), before);
}

void InstantSearchWindowTest::textListsAreSearchedAsYouTypeOnlyWhenSmall() {
    WindowFixture f;
    const auto list = f.world.home.file("lists/other.txt", "Alpha song\r\nbeta SONG\r\nnone\r\n");
    f.world.openAnswers.push_back(QString::fromStdString(list.string()));
    f.child<QAction>("mnuFileOpenNonLocal").trigger();
    type(f, "song");
    QCOMPARE(f.rows(), (std::vector<std::string>{"Alpha song", "beta SONG"}));
    QCOMPARE(f.status(), QString("Found 2 matching files."));

    std::string large = "Gamma song\r\n";
    while (large.size() <= kInstantListBytes) {
        large += "another line of the list\r\n";
    }
    f.world.home.file("lists/other.txt", large);
    const std::vector<std::string> before = f.rows();
    QTest::keyClick(f.window->searchBox().lineEdit(), Qt::Key_Backspace);
    QVERIFY(!f.window->instantSearch().pending());
    f.window->instantSearch().waitForDone();
    QCOMPARE(f.rows(), before);  // Enter searches it
    QTest::keyClick(f.window->searchBox().lineEdit(), Qt::Key_Return);
    QCOMPARE(f.rows(), std::vector<std::string>{"Gamma song"});
}

}  // namespace quor::find::ui

QUOR_QT_TEST_MAIN(quor::find::ui::InstantSearchWindowTest)

#include "instant_search_window_test.moc"
