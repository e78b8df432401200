#pragma once

// Menu items as the windows make them: named for tests and tools.

#include <QAction>
#include <QObject>
#include <QString>
#include <QWidget>

namespace quor::ui {

// Adds an item captioned caption (with its access key) to menu (a QMenu, or
// a QMenuBar for a menu title that acts when chosen), named name, that
// calls receiver's slot when chosen. The menu owns the item.
template <class Receiver, class Slot>
QAction* addMenuItem(QWidget& menu, const char* name, const QString& caption, Receiver* receiver,
                     Slot slot) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, receiver, slot);
    return action;
}

}  // namespace quor::ui
