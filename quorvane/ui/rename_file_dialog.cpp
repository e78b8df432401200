#include "quorvane/ui/rename_file_dialog.h"

#include <QLabel>
#include <QVBoxLayout>

#include "common/qt/dialog_buttons.h"
#include "common/qt/qt_interaction.h"

namespace quor::ui {

namespace {

QLineEdit* addNameBox(QDialog& dialog, QBoxLayout& layout, const QString& caption,
                      const char* name) {
    auto* label = new QLabel(caption, &dialog);
    auto* box = new QLineEdit(&dialog);
    box->setObjectName(name);
    box->setAccessibleName(caption.chopped(1));  // without the colon
    label->setBuddy(box);
    layout.addWidget(label);
    layout.addWidget(box);
    return box;
}

}  // namespace

RenameFileDialog::RenameFileDialog(std::string currentName, QWidget* parent)
    : QDialog(parent), currentName_(std::move(currentName)) {
    setObjectName("frmRename");
    setWindowTitle(qtext(dupes::kRenameCaption));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    oldName_ = addNameBox(*this, *layout, "Current file name:", "txtOldFileName");
    oldName_->setReadOnly(true);
    newName_ = addNameBox(*this, *layout, "New file name:", "txtNewFileName");
    layout->addStretch(1);
    const OkCancelButtons buttons = addOkCancelButtons(*this, *layout);
    connect(buttons.ok, &QPushButton::clicked, this, &RenameFileDialog::okClicked);

    oldName_->setText(qtext(currentName_));
    newName_->setText(oldName_->text());
    newName_->selectAll();
    newName_->setFocus();
    setMinimumWidth(420);
}

void RenameFileDialog::okClicked() {
    const QString typed = newName_->text();
    if (typed == oldName_->text()) {
        answer_ = currentName_;
    } else {
        answer_ = dupes::renameDialogResult(currentName_, utf8(typed));
        newName_->setText(qtext(*answer_));
    }
    accept();
}

std::optional<std::string> RenameFileDialog::answer() const {
    if (result() != Accepted) {
        return std::nullopt;
    }
    return answer_;
}

std::optional<std::string> RenameFileAsker::ask(std::string_view currentName) {
    RenameFileDialog dialog{std::string(currentName), parent_};
    runDialog_(dialog);
    return dialog.answer();
}

}  // namespace quor::ui
