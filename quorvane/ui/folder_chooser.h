#pragma once

// The folder chooser of Add Folder. Its title bar shows the first line of
// the title; further lines are shown as a label at the top of the chooser
// (a title bar shows a line break as a box).

#include <QFileDialog>
#include <QString>
#include <QWidget>
#include <memory>

namespace quor::ui {

// A chooser of existing folders over parent. A one-line title keeps the
// desktop's own chooser; a title that spans lines needs Qt's chooser, the
// one a label can be added to.
std::unique_ptr<QFileDialog> makeFolderChooser(QWidget* parent, const QString& title);

// Runs the chooser modally: the chosen folder, "" when cancelled.
QString chooseFolder(QWidget* parent, const QString& title);

}  // namespace quor::ui
