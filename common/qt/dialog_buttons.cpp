#include "common/qt/dialog_buttons.h"

#include <QDialogButtonBox>

namespace quor::ui {

QPushButton* namedButton(QWidget* parent, const ButtonText& text) {
    auto* button = new QPushButton(text.caption, parent);
    button->setObjectName(text.name);
    if (!text.tip.isEmpty()) {
        button->setToolTip(text.tip);
        button->setAccessibleDescription(text.tip);
    }
    return button;
}

namespace {

QPushButton* addToBox(QDialogButtonBox& box, const ButtonText& text,
                      QDialogButtonBox::ButtonRole role) {
    QPushButton* button = namedButton(&box, text);
    box.addButton(button, role);
    return button;
}

}  // namespace

OkCancelButtons addOkCancelButtons(QDialog& dialog, QBoxLayout& layout, const ButtonText& ok,
                                   const ButtonText& cancel) {
    auto* box = new QDialogButtonBox(&dialog);
    OkCancelButtons buttons;
    buttons.ok = addToBox(*box, ok, QDialogButtonBox::AcceptRole);
    buttons.ok->setDefault(true);
    buttons.cancel = addToBox(*box, cancel, QDialogButtonBox::RejectRole);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout.addWidget(box);
    return buttons;
}

QPushButton* addCloseButton(QDialog& dialog, QBoxLayout& layout, const ButtonText& close,
                            BoxPlace place) {
    auto* box = new QDialogButtonBox(&dialog);
    box->setCenterButtons(place == BoxPlace::Centred);
    QPushButton* button = addToBox(*box, close, QDialogButtonBox::AcceptRole);
    button->setDefault(true);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout.addWidget(box);
    return button;
}

}  // namespace quor::ui
