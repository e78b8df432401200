#pragma once

// Buttons as the duplicate finder's windows make them: named for tests and
// tools, with the tooltip also read out by screen readers.

#include <QAction>
#include <QBoxLayout>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <initializer_list>

namespace quor::ui {

// A button with its object name, caption and tooltip (also its accessible
// description); no tooltip when tip is empty.
QPushButton* namedButton(QWidget* parent, const char* name, const QString& caption,
                         const QString& tip = {});

struct OkCancelButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

// "OK" (btnOK, the default button: Enter) and "Cancel" (btnCancel: rejects
// the dialog, as Escape does) at the right of a row added to layout. OK is
// not connected: the dialog decides what it does.
OkCancelButtons addOkCancelRow(QDialog& dialog, QBoxLayout& layout, const QString& okTip = {},
                               const QString& cancelTip = {});

// A menu item: its object name, caption and the receiver's slot.
template <class Receiver>
struct NamedItem {
    const char* name;
    const char* caption;
    void (Receiver::*slot)();
};

// Adds the items to menu, each triggering its slot on receiver.
template <class Receiver>
void addNamedActions(QMenu& menu, Receiver* receiver,
                     std::initializer_list<NamedItem<Receiver>> items) {
    for (const NamedItem<Receiver>& item : items) {
        QAction* action = menu.addAction(item.caption);
        action->setObjectName(item.name);
        QObject::connect(action, &QAction::triggered, receiver, item.slot);
    }
}

}  // namespace quor::ui
