// The helpers every window builds with: the dialog button boxes, menu
// items, bringing a window forward and store work that tells its failure.

#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QtTest>
#include <stdexcept>

#include "common/qt/bring_forward.h"
#include "common/qt/dialog_buttons.h"
#include "common/qt/menu_items.h"
#include "common/qt/store_guard.h"
#include "common/qt/testing/test_main.h"
#include "common/testing/scripted_interaction.h"

namespace quor::ui {

using namespace quor::testing;

namespace {

struct OkCancelDialog {
    QDialog dialog;
    QLineEdit* text = nullptr;
    OkCancelButtons buttons;

    OkCancelDialog() {
        auto* layout = new QVBoxLayout(&dialog);
        text = new QLineEdit(&dialog);
        layout->addWidget(text);
        buttons = addOkCancelButtons(dialog, *layout, {"btnOK", "OK", "Changes will be saved"});
        QObject::connect(buttons.ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    }
};

}  // namespace

class WindowHelpersTest : public QObject {
    Q_OBJECT
  private slots:
    void okCancelBoxLooksAndActsAsADialogRow();
    void closeBoxAcceptsAtItsPlace();
    void menuItemsReachTheirReceiver();
    void windowsComeForwardAsTheyWere();
    void storeFailuresAreToldNotThrown();
};

void WindowHelpersTest::okCancelBoxLooksAndActsAsADialogRow() {
    {
        OkCancelDialog d;
        d.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d.dialog));
        QCOMPARE(d.buttons.ok->text(), QString("OK"));
        QCOMPARE(d.buttons.cancel->objectName(), QString("btnCancel"));
        QCOMPARE(d.buttons.ok->accessibleDescription(), QString("Changes will be saved"));
        QVERIFY(d.buttons.cancel->toolTip().isEmpty());
        QVERIFY(d.buttons.ok->x() < d.buttons.cancel->x());  // OK, then Cancel
        QVERIFY(d.buttons.ok->isDefault() && !d.buttons.cancel->isDefault());
        QCOMPARE(d.dialog.focusWidget(), d.text);  // the box takes no focus of its own
        QTest::keyClick(d.text, Qt::Key_Return);   // Enter in the text box is OK
        QCOMPARE(d.dialog.result(), int(QDialog::Accepted));
    }
    {
        OkCancelDialog d;
        d.dialog.show();
        QTest::keyClick(d.text, Qt::Key_Escape);
        QCOMPARE(d.dialog.result(), int(QDialog::Rejected));
        QVERIFY(!d.dialog.isVisible());
    }
    OkCancelDialog d;
    d.dialog.show();
    d.dialog.setResult(-1);
    d.buttons.cancel->click();
    QCOMPARE(d.dialog.result(), int(QDialog::Rejected));
}

void WindowHelpersTest::closeBoxAcceptsAtItsPlace() {
    for (const BoxPlace place : {BoxPlace::Right, BoxPlace::Centred}) {
        QDialog dialog;
        auto* layout = new QVBoxLayout(&dialog);
        QPushButton* close = addCloseButton(dialog, *layout, {"Command1", "&Close"}, place);
        dialog.resize(400, 100);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(close->isDefault());
        const int middle = close->mapTo(&dialog, close->rect().center()).x();
        if (place == BoxPlace::Centred) {
            QVERIFY(qAbs(middle - dialog.width() / 2) <= 2);
        } else {
            QVERIFY(middle > dialog.width() * 3 / 4);
        }
        QTest::keyClick(close, Qt::Key_Space);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
}

void WindowHelpersTest::menuItemsReachTheirReceiver() {
    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu("&File");
    int chosen = 0;
    QObject counter;
    QAction* item = addMenuItem(*file, "mnuCount", "&Count", &counter, [&] { ++chosen; });
    QAction* title = addMenuItem(*window.menuBar(), "mnuExit", "E&xit", &window, &QWidget::close);
    QCOMPARE(window.findChild<QAction*>("mnuCount"), item);
    QCOMPARE(file->actions(), QList<QAction*>{item});
    item->trigger();
    QCOMPARE(chosen, 1);
    window.show();
    title->trigger();
    QVERIFY(!window.isVisible());
}

void WindowHelpersTest::windowsComeForwardAsTheyWere() {
    QWidget window;
    window.showMinimized();
    bringForward(window);
    QVERIFY(window.isVisible() && !window.isMinimized());

    window.showMaximized();
    window.setWindowState(window.windowState() | Qt::WindowMinimized);
    window.hide();  // minimised into a tray
    bringForward(window);
    QVERIFY(window.isVisible() && !window.isMinimized() && window.isMaximized());
}

void WindowHelpersTest::storeFailuresAreToldNotThrown() {
    quor::testing::ScriptedInteraction user;
    int runs = 0;
    QVERIFY(storeGuarded(user, "The options could not be read.", [&] { ++runs; }));
    QCOMPARE(runs, 1);
    QVERIFY(user.boxes().empty());

    QVERIFY(!storeGuarded(user, "The options could not be saved.",
                          [] { throw std::runtime_error("database is locked"); }));
    QCOMPARE(user.boxes().size(), 1u);
    QCOMPARE(user.boxes()[0].text, std::string("The options could not be saved."));
    QCOMPARE(user.boxes()[0].caption, std::string("database is locked"));

    std::string told;
    QVERIFY(!storeGuarded([] { throw std::runtime_error("disk I/O error"); },
                          [&](std::string_view error) { told = error; }));
    QCOMPARE(told, std::string("disk I/O error"));
}

}  // namespace quor::ui

QUOR_QT_TEST_MAIN(quor::ui::WindowHelpersTest)

#include "window_helpers_test.moc"
