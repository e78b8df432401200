#pragma once

#include <QObject>
#include <vector>

namespace quor::find::ui::testing {

QObject* newOptionsDialogsTest();
QObject* newRenameAndNickTest();
QObject* newChooserAndHelpTest();
QObject* newDragDataTest();

// One object per test class; the caller runs and deletes them.
inline std::vector<QObject*> allDialogTests() {
    return {newOptionsDialogsTest(), newRenameAndNickTest(), newChooserAndHelpTest(),
            newDragDataTest()};
}

}  // namespace quor::find::ui::testing
