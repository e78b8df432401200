#include "quorfind/ui/dialog_parts.h"

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

}  // namespace quor::find::ui
