#pragma once

// The main of a window test program: the offscreen platform, one
// application, then every test object made by makeTests run in turn and
// deleted. Exit status 0 when every test passed.

#include <QApplication>
#include <QObject>
#include <QtTest>
#include <functional>
#include <vector>

namespace quor::ui::testing {

inline int runTestObjects(int argc, char** argv,
                          const std::function<std::vector<QObject*>()>& makeTests) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int failures = 0;
    for (QObject* test : makeTests()) {
        failures += QTest::qExec(test, argc, argv);
        delete test;
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace quor::ui::testing
