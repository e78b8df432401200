#pragma once

// The main of a window test program, one test class each:
//
//   QUOR_QT_TEST_MAIN(quor::ui::PlacementTest)
//
// The offscreen platform, one application, the class's test functions run
// in turn (command-line arguments as QtTest takes them); the exit status is
// the number of failed test functions.

#include <QApplication>
#include <QtTest>

#define QUOR_QT_TEST_MAIN(TestClass)             \
    int main(int argc, char** argv) {            \
        qputenv("QT_QPA_PLATFORM", "offscreen"); \
        QApplication app(argc, argv);            \
        TestClass test;                          \
        return QTest::qExec(&test, argc, argv);  \
    }
