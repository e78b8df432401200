#include "quorvane/ui/folder_options_dialog.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "common/qt/dialog_buttons.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/store_guard.h"

namespace quor::ui {

namespace {

constexpr std::string_view kNotSavedText = "The folder options could not be saved.";

}  // namespace

FolderOptionsDialog::FolderOptionsDialog(store::FolderOptions& state, Interaction& user,
                                         QWidget* parent)
    : QDialog(parent), state_(state), user_(user) {
    setObjectName("frmProperties");
    setWindowTitle("Folder Options");
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* fields = new QFormLayout;
    path_ = new QLineEdit(this);
    path_->setObjectName("Path");
    pathName_ = new QLineEdit(this);
    pathName_->setObjectName("PathName");
    fields->addRow("Folder:", path_);
    fields->addRow("Show name in list as:", pathName_);
    layout->addLayout(fields);

    update_ =
        new QCheckBox("Update each time? (Turn off for CD-Rom's etc. that don't change)", this);
    update_->setObjectName("Check1");
    multipleDisks_ = new QCheckBox(
        "Does this folder have multiple disks? (CDs, Zip disks, floppies, etc.)", this);
    multipleDisks_->setObjectName("Check2");
    layout->addWidget(update_);
    layout->addWidget(multipleDisks_);

    auto* disks = new QGridLayout;
    addAll_ = namedButton(this, {"btnAddAll", "Add All", "Adds all new disks to the list"});
    addNew_ = namedButton(this, {"btnAddNew", "Add New", "Appends a new disk to the list"});
    disks->addWidget(addAll_, 0, 0);
    disks->addWidget(new QLabel("Erases any previous disks", this), 0, 1);
    disks->addWidget(addNew_, 1, 0);
    disks->addWidget(new QLabel("Appends new disk to previous disks", this), 1, 1);
    disks->setColumnStretch(1, 1);
    layout->addLayout(disks);

    auto* note = new QLabel(
        "(Be sure to use the Options menu and choose your list preferences before adding "
        "removable disks. Since these disks are only read one time, later list preference "
        "changes will not apply to them.)",
        this);
    note->setWordWrap(true);
    layout->addWidget(note);

    ok_ = addOkCancelButtons(*this, *layout, {"btnOK", "OK", "Changes will be saved"},
                             {"btnCancel", "Cancel", "Changes will not be saved"})
              .ok;

    connect(ok_, &QPushButton::clicked, this, &FolderOptionsDialog::okClicked);
    connect(multipleDisks_, &QCheckBox::clicked, this, &FolderOptionsDialog::multipleDisksClicked);
    connect(addAll_, &QPushButton::clicked, this, &FolderOptionsDialog::addAllClicked);
    connect(addNew_, &QPushButton::clicked, this, &FolderOptionsDialog::addNewClicked);

    path_->setText(qtext(state_.path));
    pathName_->setText(qtext(state_.pathName));
    showState();
    setMinimumWidth(420);
}

void FolderOptionsDialog::showState() {
    update_->setChecked(state_.update);
    update_->setEnabled(state_.updateEnabled());
    multipleDisks_->setChecked(state_.multipleDisks);
    addAll_->setEnabled(state_.diskButtonsEnabled());
    addNew_->setEnabled(state_.diskButtonsEnabled());
}

void FolderOptionsDialog::okClicked() {
    state_.path = utf8(path_->text());
    state_.pathName = utf8(pathName_->text());
    state_.update = update_->isChecked();
    state_.multipleDisks = multipleDisks_->isChecked();
    bool close = false;
    (void)storeGuarded(user_, kNotSavedText, [&] { close = state_.accept(); });
    pathName_->setText(qtext(state_.pathName));
    if (close) {
        accept();
    }
}

void FolderOptionsDialog::multipleDisksClicked() {
    state_.update = update_->isChecked();
    state_.multipleDisks = multipleDisks_->isChecked();
    (void)storeGuarded(user_, kNotSavedText, [&] { state_.multipleDisksClicked(); });
    showState();
}

void FolderOptionsDialog::addAllClicked() {
    if (state_.confirmAddAll()) {
        readDisks(DiskReadMode::AddAll);
    }
}

void FolderOptionsDialog::addNewClicked() {
    readDisks(DiskReadMode::AddNew);
}

void FolderOptionsDialog::readDisks(DiskReadMode mode) {
    if (!diskReader_) {
        user_.notice(kNotAvailableText);
        return;
    }
    if (diskReader_(this, state_.index(), mode)) {
        rebuildRequested_ = true;
        // Enter now closes the dialog instead of reading the disks again.
        ok_->setFocus(Qt::OtherFocusReason);
    }
    update();
}

}  // namespace quor::ui
