// The drag data of result rows: the exact bytes of every format, for names
// that need escaping or are not valid UTF-8.

#include <QMimeData>
#include <QUrl>
#include <QtTest>
#include <memory>

#include "common/qt/testing/test_main.h"
#include "quorfind/ui/dialogs.h"

namespace quor::find::ui {

namespace {

QByteArray bytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

class DragDataTest : public QObject {
    Q_OBJECT
  private slots:
    void everyFormatCarriesTheExactBytes_data();
    void everyFormatCarriesTheExactBytes();
    void severalPathsKeepTheirOrder();
    void qtReadsTheAddressesBack();
    void noPathsGiveNoFormats();
};

void DragDataTest::everyFormatCarriesTheExactBytes_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("uri");
    QTest::newRow("plain") << bytes("/m/song.mp3") << bytes("file:///m/song.mp3");
    QTest::newRow("blank") << bytes("/m/a b.mp3") << bytes("file:///m/a%20b.mp3");
    QTest::newRow("reserved") << bytes("/m/100%#?;&=+,.mp3")
                              << bytes("file:///m/100%25%23%3F%3B%26%3D%2B%2C.mp3");
    QTest::newRow("quotes") << bytes("/m/\"it's\".mp3") << bytes("file:///m/%22it%27s%22.mp3");
    QTest::newRow("utf8") << bytes("/m/caf\xc3\xa9.mp3") << bytes("file:///m/caf%C3%A9.mp3");
    QTest::newRow("invalid utf8") << bytes("/m/\xff\xfe\x80.mp3")
                                  << bytes("file:///m/%FF%FE%80.mp3");
    QTest::newRow("line break") << bytes("/m/a\r\nb") << bytes("file:///m/a%0D%0Ab");
    QTest::newRow("backslash") << bytes("/m/a\\b") << bytes("file:///m/a%5Cb");
}

void DragDataTest::everyFormatCarriesTheExactBytes() {
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, uri);
    const std::unique_ptr<QMimeData> data(fileDragData({path.toStdString()}));
    QCOMPARE(data->data("text/uri-list"), uri + "\r\n");
    QCOMPARE(data->data("x-special/gnome-copied-files"), "copy\n" + uri);
    QCOMPARE(data->data("text/plain"), path);
}

void DragDataTest::severalPathsKeepTheirOrder() {
    const std::unique_ptr<QMimeData> data(fileDragData({"/b/2 x", "/a/1", "/c/\xff"}));
    QCOMPARE(data->data("text/uri-list"),
             QByteArray("file:///b/2%20x\r\nfile:///a/1\r\nfile:///c/%FF\r\n"));
    QCOMPARE(data->data("x-special/gnome-copied-files"),
             QByteArray("copy\nfile:///b/2%20x\nfile:///a/1\nfile:///c/%FF"));
    QCOMPARE(data->data("text/plain"), QByteArray("/b/2 x\n/a/1\n/c/\xff"));
}

// A drop target built with Qt (or any uri-list reader) gets the same paths.
void DragDataTest::qtReadsTheAddressesBack() {
    const std::vector<std::string> paths = {"/m/a b#1.mp3", "/m/caf\xc3\xa9 %20.ogg",
                                            "/m/[x]{y}.flac"};
    const std::unique_ptr<QMimeData> data(fileDragData(paths));
    QVERIFY(data->hasUrls());
    const QList<QUrl> urls = data->urls();
    QCOMPARE(urls.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QVERIFY2(urls[i].isLocalFile(), qPrintable(urls[i].toString()));
        QCOMPARE(urls[i].toLocalFile(), QString::fromStdString(paths[i]));
    }
}

void DragDataTest::noPathsGiveNoFormats() {
    const std::unique_ptr<QMimeData> data(fileDragData({}));
    QVERIFY(data->formats().isEmpty());
}

}  // namespace quor::find::ui

QUOR_QT_TEST_MAIN(quor::find::ui::DragDataTest)

#include "drag_data_test.moc"
