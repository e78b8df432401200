#include "quorvane/ui/dupes_options_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "common/qt/dialog_buttons.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/store_guard.h"
#include "quorvane/dupes/dupes_options.h"
#include "quorvane/dupes/pair_search.h"

namespace quor::ui {

DupesOptionsDialog::DupesOptionsDialog(store::AppSettings settings, Interaction& user,
                                       QWidget* parent)
    : QDialog(parent), settings_(std::move(settings)), user_(user) {
    setObjectName("frmDupesOptions");
    setWindowTitle(qtext(dupes::kDupesOptionsCaption));
    setModal(true);
    buildControls();
    dupes::DupesOptions options;
    (void)storeGuarded(user_, "The duplicate file options could not be read.",
                       [&] { options = dupes::readDupesOptions(settings_); });
    slider_->setValue(options.tolerance);
    includeRemovables_->setChecked(options.includeRemovables);
    slider_->setFocus();
}

void DupesOptionsDialog::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* instruction = new QLabel("Select how close files must be to match:", this);
    instruction->setObjectName("lblInstruction");
    layout->addWidget(instruction);

    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName("Slider");
    slider_->setRange(0, dupes::kMaxTolerance);
    slider_->setSingleStep(1);
    slider_->setPageStep(1);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(1);
    slider_->setToolTip("Adjust to select duplicate search sensitivity");
    slider_->setAccessibleName("How close files must be to match");
    slider_->setAccessibleDescription(slider_->toolTip());
    instruction->setBuddy(slider_);
    auto* scale = new QGridLayout;
    scale->addWidget(slider_, 0, 0, 1, 2);
    auto* exact = new QLabel("Exact", this);
    exact->setObjectName("lblExact");
    auto* less = new QLabel("Less", this);
    less->setObjectName("lblLess");
    scale->addWidget(exact, 1, 0, Qt::AlignLeft);
    scale->addWidget(less, 1, 1, Qt::AlignRight);
    layout->addLayout(scale);

    includeRemovables_ = new QCheckBox("Include removable disks in search", this);
    includeRemovables_->setObjectName("chkIncludeRemovables");
    layout->addWidget(includeRemovables_);
    layout->addStretch(1);

    const OkCancelButtons buttons =
        addOkCancelButtons(*this, *layout, {"btnOK", "OK", "Changes will be saved"},
                           {"btnCancel", "Cancel", "Changes will not be saved"});
    connect(buttons.ok, &QPushButton::clicked, this, &DupesOptionsDialog::okClicked);
    setMinimumWidth(320);
}

void DupesOptionsDialog::okClicked() {
    if (storeGuarded(user_, "The duplicate file options could not be saved.", [&] {
            dupes::saveDupesOptions(settings_, {slider_->value(), includeRemovables_->isChecked()});
        })) {
        accept();
    }
}

}  // namespace quor::ui
