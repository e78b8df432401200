#pragma once

// Lists whose rows can be notes as well as things to act on (instruction
// rows, "nothing found", separators): notes cannot be selected, and the
// buttons that act on a row are enabled only while a real row is selected.

#include <QAbstractItemView>
#include <QListWidgetItem>
#include <functional>

namespace quor::ui {

// True when the view's selection holds at least one selectable, enabled row.
// Cheap for any size of selection: it stops at the first such row.
bool hasSelectedRow(const QAbstractItemView& view);

// Calls update now and whenever the view's selection or rows change (its
// model and selection model must be set already). The connections end with
// context.
void followRowSelection(QAbstractItemView& view, QObject* context,
                        const std::function<void()>& update);

// Makes item a note: shown as usual, never selected.
void makeNote(QListWidgetItem& item);

}  // namespace quor::ui
