#pragma once

// The folder list of the main window: one row per folder record, showing its
// real path (the duplicate list uses it too, for its Delete key and context
// menu; it leaves the move requests unconnected). Delete asks to remove the selected folder; Up and
// Down ask to move it and then move the selection as a list does, so it follows the moved folder. A
// right click selects the row under the pointer and asks for the context menu; the menu key asks
// for it at the current row.

#include <QListWidget>

namespace quor::ui {

class PathListWidget : public QListWidget {
    Q_OBJECT
  public:
    explicit PathListWidget(QWidget* parent = nullptr);

  signals:
    // Enter or Return on the list (the windows whose list opens its row).
    void openRequested();
    void removeRequested();
    void moveUpRequested();
    void moveDownRequested();
    void contextMenuRequested(const QPoint& globalPos);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

}  // namespace quor::ui
