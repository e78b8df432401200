#pragma once

#include <QObject>
#include <vector>

namespace quor::find::ui::testing {

QObject* newSearchWindowTest();
QObject* newResultActionsTest();
QObject* newTrayAndStartTest();
QObject* newInstantSearchWindowTest();

// One object per test class; the caller runs and deletes them.
inline std::vector<QObject*> allWindowTests() {
    return {newSearchWindowTest(), newResultActionsTest(), newTrayAndStartTest(),
            newInstantSearchWindowTest()};
}

}  // namespace quor::find::ui::testing
