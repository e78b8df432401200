#include "quorvane/ui/add_disk_dialog.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QVBoxLayout>

#include "common/qt/dialog_buttons.h"
#include "common/qt/qt_interaction.h"

namespace quor::ui {

AddDiskDialog::AddDiskDialog(store::ListContext& context, generate::RemovableDiskState& state,
                             QWidget* parent)
    : QDialog(parent),
      interaction_(context.user, [this](const QString& text) { readingFolder_->setText(text); }),
      context_{context.store, context.places, interaction_},
      disks_(context_, state) {
    setObjectName("frmLabel");
    setWindowTitle(qtext(disks_.caption()));
    setModal(true);
    auto* layout = new QGridLayout(this);

    prompt_ = new QLabel(this);
    prompt_->setObjectName("lblEnterName");
    name_ = new QLineEdit(this);
    name_->setObjectName("txtLabel");
    name_->setAccessibleName("Disk name");
    prompt_->setBuddy(name_);
    layout->addWidget(prompt_, 0, 0, 1, 2);
    layout->addWidget(name_, 1, 0);

    add_ = namedButton(this, {"btnAdd", "&Add", "Get the files from this disk"});
    add_->setDefault(true);
    volume_ =
        namedButton(this, {"btnVolume", "Get Disk &Label", "Get the Volume Label from the disk"});
    volume_->setAutoDefault(false);
    done_ = namedButton(this, {"btnDone", "&Done", "Click if you are done adding disks"});
    done_->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(volume_);
    buttons->addStretch(1);
    buttons->addWidget(done_);
    layout->addLayout(buttons, 1, 1, 4, 1);

    auto* instructions = new QLabel(
        "Click ADD to get the files from this disk. Be sure\nthe disk is in the drive before "
        "clicking ADD.\n\nClick DONE after adding all of your disks.",
        this);
    layout->addWidget(instructions, 2, 0);
    auto* stored = new QLabel("Disks &stored for this drive:", this);
    diskList_ = new QListWidget(this);
    diskList_->setObjectName("DiskList");
    diskList_->setAccessibleName("Disks stored for this drive");
    stored->setBuddy(diskList_);
    layout->addWidget(stored, 3, 0);
    layout->addWidget(diskList_, 4, 0);
    layout->setRowStretch(4, 1);
    readingFolder_ = new QLabel(this);
    readingFolder_->setObjectName("lblReading");
    readingFolder_->setTextFormat(Qt::PlainText);
    readingFolder_->setMinimumWidth(1);  // a long path must not widen the dialog
    layout->addWidget(readingFolder_, 5, 0, 1, 2);

    connect(add_, &QPushButton::clicked, this, &AddDiskDialog::addClicked);
    connect(volume_, &QPushButton::clicked, this, &AddDiskDialog::volumeClicked);
    connect(done_, &QPushButton::clicked, this, &QDialog::accept);
    setTabOrder(name_, add_);
    setTabOrder(add_, volume_);
    setTabOrder(volume_, done_);
    setTabOrder(done_, diskList_);

    showDisks();
    name_->setFocus();
    setMinimumSize(440, 320);
}

void AddDiskDialog::showDisks() {
    diskList_->clear();
    for (const std::string& disk : disks_.disks()) {
        diskList_->addItem(qtext(disk));
    }
    prompt_->setText(qtext(disks_.prompt()));
    name_->setText(qtext(disks_.suggestedName()));
    name_->selectAll();
}

void AddDiskDialog::setReading(bool on) {
    reading_ = on;
    add_->setEnabled(!on);
    volume_->setEnabled(!on);
    done_->setEnabled(!on);
    if (!on) {
        readingFolder_->clear();
    }
}

void AddDiskDialog::addClicked() {
    if (reading_) {
        return;
    }
    setReading(true);
    interaction_.beginWork();
    const bool added = disks_.add(utf8(name_->text()));
    setReading(false);
    if (added) {
        ++disksAdded_;
        showDisks();
    } else {
        // A refused name stays for correcting; a disk that failed is listed.
        const QString typed = name_->text();
        showDisks();
        name_->setText(typed);
        name_->selectAll();
    }
    name_->setFocus();
}

void AddDiskDialog::volumeClicked() {
    name_->setText(qtext(disks_.driveLabel()));
    name_->selectAll();
    name_->setFocus();
}

void AddDiskDialog::done(int result) {
    if (reading_) {
        return;  // a disk is being read: its block is written first
    }
    if (!sorted_) {
        sorted_ = true;
        disks_.done();
    }
    QDialog::done(result);
}

void AddDiskDialog::closeEvent(QCloseEvent* event) {
    if (reading_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

DiskReadHandler diskReader(MainWindow& main, WindowServices services) {
    return [&main, services = std::move(services)](QWidget* owner, int index, DiskReadMode mode) {
        const bool addAll = mode == DiskReadMode::AddAll;
        generate::RemovableDiskState state{index, addAll, !addAll};
        AddDiskDialog dialog(main.context(), state, owner);
        services.runDialog(dialog);
        return dialog.disksAdded() > 0;
    };
}

}  // namespace quor::ui
