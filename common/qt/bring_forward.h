#pragma once

// Bringing a window back to the user: the tray, a second copy of the
// program and the commands that open a window already open all do it.

#include <QWidget>

namespace quor::ui {

// Shows window in front of the others and active; a minimised or hidden
// window comes back as it was before (a maximised one maximised).
void bringForward(QWidget& window);

}  // namespace quor::ui
