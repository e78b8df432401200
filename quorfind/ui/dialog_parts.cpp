#include "quorfind/ui/dialog_parts.h"

#include <QHBoxLayout>

#include "quorvane/store/settings_store.h"

namespace quor::find::ui {

LabelledBox addLabelledBox(QDialog& dialog, QBoxLayout& layout, const QString& label,
                           const char* boxName) {
    auto* caption = new QLabel(label, &dialog);
    auto* box = new QLineEdit(&dialog);
    box->setObjectName(boxName);
    caption->setBuddy(box);
    box->setAccessibleName(QString(label).remove('&').remove(':'));
    layout.addWidget(caption);
    layout.addWidget(box);
    return {caption, box};
}

ButtonRow addButtonRow(QDialog& dialog, QBoxLayout& layout, const QString& okText,
                       const char* okName, const QString& cancelText, const char* cancelName) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    ButtonRow buttons{new QPushButton(okText, &dialog), new QPushButton(cancelText, &dialog)};
    buttons.ok->setObjectName(okName);
    buttons.ok->setDefault(true);
    buttons.cancel->setObjectName(cancelName);
    buttons.cancel->setAutoDefault(false);
    row->addWidget(buttons.ok);
    row->addWidget(buttons.cancel);
    layout.addLayout(row);
    return buttons;
}

bool storeGuarded(Interaction& ui, std::string_view what, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const store::StoreError& error) {
        ui.notice(what, error.what());
        return false;
    }
}

}  // namespace quor::find::ui
