#include "quorvane/ui/dialog_buttons.h"

#include <QHBoxLayout>

namespace quor::ui {

QPushButton* namedButton(QWidget* parent, const char* name, const QString& caption,
                         const QString& tip) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    if (!tip.isEmpty()) {
        button->setToolTip(tip);
        button->setAccessibleDescription(tip);
    }
    return button;
}

OkCancelButtons addOkCancelRow(QDialog& dialog, QBoxLayout& layout, const QString& okTip,
                               const QString& cancelTip) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    OkCancelButtons buttons;
    buttons.ok = namedButton(&dialog, "btnOK", "OK", okTip);
    buttons.ok->setDefault(true);
    buttons.ok->setAutoDefault(true);
    buttons.cancel = namedButton(&dialog, "btnCancel", "Cancel", cancelTip);
    buttons.cancel->setAutoDefault(false);
    QObject::connect(buttons.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    row->addWidget(buttons.ok);
    row->addWidget(buttons.cancel);
    layout.addLayout(row);
    return buttons;
}

}  // namespace quor::ui
