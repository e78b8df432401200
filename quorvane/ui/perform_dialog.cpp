#include "quorvane/ui/perform_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/qt/qt_interaction.h"

namespace quor::ui {

PerformDialog::PerformDialog(store::AppSettings settings, Interaction& ui, QWidget* parent)
    : QDialog(parent), settings_(std::move(settings)), ui_(ui) {
    setObjectName("frmPerform");
    setWindowTitle("Perform Action on List");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    action_ = new QLineEdit(this);
    action_->setObjectName("Action");
    action_->setAccessibleName("Action after list creation");
    layout->addWidget(action_);
    for (const char* text :
         {"Enter a command line action above, it will be performed immediately after the list is "
          "created. If left blank, no action will run. Use @ in place of the list name to have "
          "the file name auto-inserted. Use % to insert the list name with it's full save-as "
          "path.",
          "Example: C:\\pkzip mylist %",
          "This would run pkzip and zip your list into a file called 'mylist'. You could also "
          "create a batch file to perform many actions, and run it from here. Note: long "
          "filenames are not always supported by DOS apps like pkzip. Use a batch file if this "
          "is a problem."}) {
        auto* label = new QLabel(text, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("btnOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("btnCancel");
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &PerformDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    try {
        action_->setText(qtext(settings_.setting("PerformAction")));
    } catch (const store::StoreError& error) {
        ui_.notice("The action could not be read.", error.what());
    }
    setMinimumWidth(460);
}

void PerformDialog::okClicked() {
    try {
        settings_.saveSetting("PerformAction", utf8(action_->text()));
    } catch (const store::StoreError& error) {
        ui_.notice("The action could not be saved.", error.what());
        return;
    }
    accept();
}

}  // namespace quor::ui
