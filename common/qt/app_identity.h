#pragma once

// How a program of this system names itself to Qt and the desktop.

#include <QString>

namespace quor::ui {

// Sets the application name (settings paths, the second-copy beacon) and the
// desktop file name that docks and Wayland match the windows to their menu
// entry and icon by. No application display name is set: Qt appends one to
// every window and message box title, and each title already says which
// program it belongs to. Call once, after the QApplication is made.
void nameApplication(const QString& name, const QString& desktopFileName);

}  // namespace quor::ui
