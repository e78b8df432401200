// Runs every window test class on the offscreen platform.

#include <QApplication>
#include <QtTest>

#include "ui_tests.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int failures = 0;
    for (QObject* test : quor::ui::testing::allTests()) {
        failures += QTest::qExec(test, argc, argv);
        delete test;
    }
    return failures == 0 ? 0 : 1;
}
