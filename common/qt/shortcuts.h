#pragma once

// The usual keys of the desktop on menu commands: the keys show beside the
// captions, and the row commands (Delete, Rename) act only while their list
// has the focus, so Delete in a text box still deletes text.

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QWidget>

namespace quor::ui {

// The platform's keys for a standard command, or fallback where its key
// scheme has none (Quit has no key in a Windows-like scheme).
QList<QKeySequence> standardKeys(QKeySequence::StandardKey key, const QKeySequence& fallback);

// Gives action keys that work anywhere in its window.
void setWindowKeys(QAction& action, const QList<QKeySequence>& keys);

// Gives action keys that work while rows (a list) has the focus; the
// action is added to rows for that.
void setRowKeys(QAction& action, QWidget& rows, const QList<QKeySequence>& keys);

}  // namespace quor::ui
