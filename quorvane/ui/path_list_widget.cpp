#include "quorvane/ui/path_list_widget.h"

#include <QContextMenuEvent>
#include <QKeyEvent>

namespace quor::ui {

PathListWidget::PathListWidget(QWidget* parent) : QListWidget(parent) {
    setObjectName("PathList");
    setAccessibleName("Folders in the list");
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
}

void PathListWidget::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        switch (event->key()) {
            case Qt::Key_Delete:
                emit removeRequested();
                return;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                emit openRequested();
                return;
            case Qt::Key_Up:
                emit moveUpRequested();
                break;
            case Qt::Key_Down:
                emit moveDownRequested();
                break;
            default:
                break;
        }
    }
    QListWidget::keyPressEvent(event);
}

void PathListWidget::contextMenuEvent(QContextMenuEvent* event) {
    // From the keyboard (the menu key) the menu is for the current row, shown
    // at it; the event's position is only a corner of the list.
    const bool keyboard = event->reason() == QContextMenuEvent::Keyboard;
    QListWidgetItem* item =
        keyboard ? currentItem() : itemAt(viewport()->mapFromGlobal(event->globalPos()));
    if (item == nullptr) {
        return;
    }
    const QPoint at =
        keyboard ? viewport()->mapToGlobal(visualItemRect(item).center()) : event->globalPos();
    setFocus(Qt::MouseFocusReason);
    if (!item->isSelected()) {
        clearSelection();
        setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
    } else {
        setCurrentItem(item, QItemSelectionModel::NoUpdate);
    }
    if (!item->text().isEmpty()) {
        emit contextMenuRequested(at);
    }
    event->accept();
}

}  // namespace quor::ui
