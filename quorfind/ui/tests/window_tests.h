#pragma once

#include <QObject>
#include <vector>

namespace quor::find::ui::testing {

QObject* newSearchWindowTest();
QObject* newResultActionsTest();
QObject* newTrayAndStartTest();

// One object per test class; the caller runs and deletes them.
inline std::vector<QObject*> allWindowTests() {
    return {newSearchWindowTest(), newResultActionsTest(), newTrayAndStartTest()};
}

}  // namespace quor::find::ui::testing
