#pragma once

// What the search program's dialogs share: a caption over a text box.

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

namespace quor::find::ui {

struct LabelledBox {
    QLabel* label = nullptr;
    QLineEdit* box = nullptr;
};

// A label (with its access key) over a text box, both added to layout; the
// box is named boxName and carries the label's text as its accessible name.
LabelledBox addLabelledBox(QDialog& dialog, QBoxLayout& layout, const QString& label,
                           const char* boxName);

}  // namespace quor::find::ui
