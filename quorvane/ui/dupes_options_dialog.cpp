#include "quorvane/ui/dupes_options_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "common/qt/qt_interaction.h"
#include "quorvane/dupes/dupes_options.h"
#include "quorvane/dupes/pair_search.h"
#include "quorvane/ui/dialog_buttons.h"

namespace quor::ui {

DupesOptionsDialog::DupesOptionsDialog(store::AppSettings settings, Interaction& ui,
                                       QWidget* parent)
    : QDialog(parent), settings_(std::move(settings)), ui_(ui) {
    setObjectName("frmDupesOptions");
    setWindowTitle(qtext(dupes::kDupesOptionsCaption));
    setModal(true);
    buildControls();
    dupes::DupesOptions options;
    try {
        options = dupes::readDupesOptions(settings_);
    } catch (const store::StoreError& error) {
        ui_.notice("The duplicate file options could not be read.", error.what());
    }
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
        addOkCancelRow(*this, *layout, "Changes will be saved", "Changes will not be saved");
    connect(buttons.ok, &QPushButton::clicked, this, &DupesOptionsDialog::okClicked);
    setMinimumWidth(320);
}

void DupesOptionsDialog::okClicked() {
    try {
        dupes::saveDupesOptions(settings_, {slider_->value(), includeRemovables_->isChecked()});
    } catch (const store::StoreError& error) {
        ui_.notice("The duplicate file options could not be saved.", error.what());
        return;
    }
    accept();
}

}  // namespace quor::ui
