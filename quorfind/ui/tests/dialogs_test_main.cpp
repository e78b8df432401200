// Runs the dialog tests on the offscreen platform.

#include <QApplication>
#include <QtTest>

#include "dialog_tests.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int failures = 0;
    for (QObject* test : quor::find::ui::testing::allDialogTests()) {
        failures += QTest::qExec(test, argc, argv);
        delete test;
    }
    return failures == 0 ? 0 : 1;
}
