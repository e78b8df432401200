#pragma once

// Buttons as the duplicate finder's windows make them: named for tests and
// tools, with the tooltip also read out by screen readers.

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

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

}  // namespace quor::ui
