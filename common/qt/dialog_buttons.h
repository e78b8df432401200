#pragma once

// The buttons of the windows: named for tests and tools, with the tooltip
// also read out by screen readers, and the button box at the foot of a
// dialog.

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>
#include <QString>

namespace quor::ui {

// What a button shows: its object name, its caption (with its access key)
// and its tooltip, none when empty.
struct ButtonText {
    const char* name;
    QString caption;
    QString tip = {};
};

// A button named, captioned and described (tooltip and accessible
// description) as text says.
QPushButton* namedButton(QWidget* parent, const ButtonText& text);

struct OkCancelButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

// A button box as the last row of layout: ok, the default button (Enter
// anywhere but on another button), then cancel, at the right in the
// desktop's order of accept and reject buttons. Cancel rejects the dialog,
// as Escape does; ok is not connected: the dialog decides what it does.
OkCancelButtons addOkCancelButtons(QDialog& dialog, QBoxLayout& layout,
                                   const ButtonText& ok = {"btnOK", "OK"},
                                   const ButtonText& cancel = {"btnCancel", "Cancel"});

// A button box as the last row of layout with the one button that closes
// the dialog (accepting it), the default button; at the right, or in the
// middle when centred.
enum class BoxPlace { Right, Centred };
QPushButton* addCloseButton(QDialog& dialog, QBoxLayout& layout, const ButtonText& close,
                            BoxPlace place = BoxPlace::Right);

}  // namespace quor::ui
