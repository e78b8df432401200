#include "quorvane/ui/perform_dialog.h"

#include <QLabel>
#include <QVBoxLayout>

#include "common/qt/dialog_buttons.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/store_guard.h"
#include "quorvane/store/quorvane_settings.h"

namespace quor::ui {

PerformDialog::PerformDialog(store::AppSettings settings, Interaction& user, QWidget* parent)
    : QDialog(parent), settings_(std::move(settings)), user_(user) {
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
    const OkCancelButtons buttons = addOkCancelButtons(*this, *layout);
    connect(buttons.ok, &QPushButton::clicked, this, &PerformDialog::okClicked);
    (void)storeGuarded(user_, "The action could not be read.",
                       [&] { action_->setText(qtext(settings_.get(store::kPerformAction))); });
    setMinimumWidth(460);
}

void PerformDialog::okClicked() {
    if (storeGuarded(user_, "The action could not be saved.",
                     [&] { settings_.save(store::kPerformAction, utf8(action_->text())); })) {
        accept();
    }
}

}  // namespace quor::ui
