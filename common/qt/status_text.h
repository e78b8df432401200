#pragma once

// The lasting text of a window's status bar ("List saved as ...", "Found 3
// matching files."). It lives in a label inside the bar rather than as the
// bar's temporary message, which every menu entry's hover tip replaces and
// clears: a tip now shows over the label for as long as the pointer rests on
// the entry, and the lasting text is back when it leaves.

#include <QStatusBar>
#include <QString>

namespace quor::ui {

// Replaces the lasting text of bar (empty clears it). The label is made on
// first use; a temporary message still showing is dropped so the new text is
// seen at once.
void setStatusText(QStatusBar& bar, const QString& text);

// The lasting text of bar; empty when none was ever set.
QString statusText(const QStatusBar& bar);

// What the bar shows now: its temporary message while there is one, else the
// lasting text.
QString shownStatusText(const QStatusBar& bar);

}  // namespace quor::ui
