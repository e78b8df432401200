#pragma once

// Lists whose rows can be notes as well as things to act on (instruction
// rows, "nothing found", separators): notes cannot be selected, and the
// buttons that act on a row are enabled only while a real row is selected.

#include <QAbstractItemView>
#include <QList>
#include <QListWidgetItem>
#include <QMetaObject>
#include <functional>

namespace quor::ui {

// True when the view's selection holds at least one selectable, enabled row.
// Cheap for any size of selection: it stops at the first such row.
bool hasSelectedRow(const QAbstractItemView& view);

// Calls update now and whenever a view's selection or rows change (its
// model and selection model must be set already), until this object goes.
// Make it a member of the window that holds the view: members go before the
// window's child widgets do, so update never runs on a half-destroyed view
// (a list's model announces a reset while it is deleted).
class RowSelectionFollower {
  public:
    RowSelectionFollower() = default;
    ~RowSelectionFollower() { stop(); }
    RowSelectionFollower(const RowSelectionFollower&) = delete;
    RowSelectionFollower& operator=(const RowSelectionFollower&) = delete;

    void follow(QAbstractItemView& view, const std::function<void()>& update);
    void stop();

  private:
    QList<QMetaObject::Connection> connections_;
};

// Makes item a note: shown as usual, never selected.
void makeNote(QListWidgetItem& item);

}  // namespace quor::ui
