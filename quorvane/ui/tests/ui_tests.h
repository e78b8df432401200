#pragma once

#include <QObject>
#include <vector>

namespace quor::ui::testing {

// One object per test class; the caller runs and deletes them.
std::vector<QObject*> allTests();

QObject* newMainWindowTest();
QObject* newDialogsTest();
QObject* newPlacementTest();
QObject* newAboutTest();
QObject* newDupesWindowTest();
QObject* newDupesDialogsTest();
QObject* newBuildWindowTest();
QObject* newRemovableWindowTest();
QObject* newProgramIconTest();
QObject* newBuildHandoffTest();
QObject* newWindowTitlesTest();
QObject* newWindowFitTest();
QObject* newWindowHelpersTest();

inline std::vector<QObject*> allTests() {
    return {newMainWindowTest(),   newDialogsTest(),         newPlacementTest(),
            newAboutTest(),        newDupesWindowTest(),     newDupesDialogsTest(),
            newBuildWindowTest(),  newRemovableWindowTest(), newProgramIconTest(),
            newBuildHandoffTest(), newWindowTitlesTest(),    newWindowFitTest(),
            newWindowHelpersTest()};
}

}  // namespace quor::ui::testing
