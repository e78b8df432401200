// The window icon: the theme's when it has one, else the bundled picture,
// else the drawn one; never the generic icon.

#include "common/qt/program_icon.h"

#include <QImage>
#include <QPixmap>
#include <QtTest>

#include "common/qt/testing/test_main.h"
#include "common/testing/temp_tree.h"

namespace quor::ui {

using namespace quor::testing;

namespace {

// A one-colour square saved as a PNG file; returns its path.
std::filesystem::path savePicture(const quor::testing::TempTree& tree, std::string_view relative,
                                  QColor colour) {
    const std::filesystem::path file = tree.file(relative);
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(colour);
    picture.save(QString::fromStdString(file.string()), "PNG");
    return file;
}

QColor centreOf(const QIcon& icon) {
    return icon.pixmap(32, 32).toImage().pixelColor(16, 16);
}

QIcon plainIcon(QColor colour) {
    QPixmap picture(32, 32);
    picture.fill(colour);
    return QIcon(picture);
}

// Puts the icon theme back as it was when the test's scope ends.
struct ThemeGuard {
    QStringList paths = QIcon::themeSearchPaths();
    QString name = QIcon::themeName();
    ~ThemeGuard() {
        QIcon::setThemeSearchPaths(paths);
        QIcon::setThemeName(name);
    }
};

// Makes a theme "probe" in tree, holding iconName.png, the current theme.
void useTheme(const quor::testing::TempTree& tree, const QString& iconName, QColor colour) {
    tree.file("icons/probe/index.theme",
              "[Icon Theme]\nName=probe\nDirectories=32x32/apps\n\n"
              "[32x32/apps]\nSize=32\nType=Fixed\n");
    savePicture(tree, "icons/probe/32x32/apps/" + iconName.toStdString() + ".png", colour);
    QIcon::setThemeSearchPaths({QString::fromStdString(tree.path("icons").string())});
    QIcon::setThemeName("probe");
}

}  // namespace

class ProgramIconTest : public QObject {
    Q_OBJECT
  private slots:
    void themeThenBundledPictureThenDrawn();
    void quorvaneNeverShowsTheGenericIcon();
};

void ProgramIconTest::themeThenBundledPictureThenDrawn() {
    ThemeGuard guard;
    quor::testing::TempTree tree;
    const QIcon drawn = plainIcon(Qt::blue);
    const auto bundled = savePicture(tree, "share/quorvane.png", Qt::green);
    QIcon::setThemeSearchPaths({QString::fromStdString(tree.path("no-icons").string())});
    QIcon::setThemeName("none");

    QCOMPARE(centreOf(programIcon("quorvane", tree.path("share/missing.png"), drawn)),
             QColor(Qt::blue));
    tree.file("share/broken.png", "not a picture");
    QCOMPARE(centreOf(programIcon("quorvane", tree.path("share/broken.png"), drawn)),
             QColor(Qt::blue));
    QCOMPARE(centreOf(programIcon("quorvane", bundled, drawn)), QColor(Qt::green));

    useTheme(tree, "quorvane", Qt::red);
    QCOMPARE(centreOf(programIcon("quorvane", bundled, drawn)), QColor(Qt::red));
    QCOMPARE(centreOf(programIcon("other", bundled, drawn)), QColor(Qt::green));
}

// Run from a build tree with no theme that knows it, quorvane still has a
// picture of its own.
void ProgramIconTest::quorvaneNeverShowsTheGenericIcon() {
    ThemeGuard guard;
    QIcon::setThemeSearchPaths({});
    QIcon::setThemeName("none");
    const QIcon icon = programIcon("quorvane", drawnQuorvaneIcon());
    QVERIFY(!icon.isNull());
    const QImage picture = icon.pixmap(32, 32).toImage();
    QVERIFY(!picture.isNull());
    QVERIFY(picture.pixelColor(16, 16).alpha() > 0);
}

}  // namespace quor::ui

QUOR_QT_TEST_MAIN(quor::ui::ProgramIconTest)

#include "program_icon_test.moc"
