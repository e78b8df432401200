#pragma once

// Pieces the search program's dialogs share: a caption over a text box, the
// OK/Cancel row, and store access that reports a failing settings store
// instead of letting its exception escape into the event loop.

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <string_view>

#include "common/interaction.h"

namespace quor::find::ui {

struct LabelledBox {
    QLabel* label = nullptr;
    QLineEdit* box = nullptr;
};

// A label (with its access key) over a text box, both added to layout; the
// box is named boxName and carries the label's text as its accessible name.
LabelledBox addLabelledBox(QDialog& dialog, QBoxLayout& layout, const QString& label,
                           const char* boxName);

struct ButtonRow {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

// A right-aligned row of two buttons, the first the default button (Enter),
// the second clicked by Escape through the dialog's reject(), named
// okName and cancelName.
ButtonRow addButtonRow(QDialog& dialog, QBoxLayout& layout, const QString& okText,
                       const char* okName, const QString& cancelText = "Cancel",
                       const char* cancelName = "btnCancel");

// Runs work on the settings store; a failure shows what, captioned with the
// store's error text, and gives false.
bool storeGuarded(Interaction& ui, std::string_view what, const std::function<void()>& work);

}  // namespace quor::find::ui
