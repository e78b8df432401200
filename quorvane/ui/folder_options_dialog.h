#pragma once

// Folder Options: the path, display name and kind of one folder record. The
// rules live in store::FolderOptions; the dialog shows its fields and
// forwards the clicks.

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "common/interaction.h"
#include "quorvane/store/folder_options.h"
#include "quorvane/ui/main_window.h"

namespace quor::ui {

class FolderOptionsDialog : public QDialog {
    Q_OBJECT
  public:
    FolderOptionsDialog(store::FolderOptions& state, Interaction& user, QWidget* parent = nullptr);

    // Reads disks for Add All and Add New; without one they show a notice.
    // Once disks were read, OK has the focus.
    void setDiskReadHandler(DiskReadHandler handler) { diskReader_ = std::move(handler); }

    // True when disks were read, so the list is to be built again.
    bool rebuildRequested() const { return rebuildRequested_; }

  public slots:
    void okClicked();
    void multipleDisksClicked();
    void addAllClicked();
    void addNewClicked();

  private:
    void showState();
    void readDisks(DiskReadMode mode);

    store::FolderOptions& state_;
    Interaction& user_;
    DiskReadHandler diskReader_;
    QLineEdit* path_ = nullptr;
    QLineEdit* pathName_ = nullptr;
    QCheckBox* update_ = nullptr;
    QCheckBox* multipleDisks_ = nullptr;
    QPushButton* addAll_ = nullptr;
    QPushButton* addNew_ = nullptr;
    QPushButton* ok_ = nullptr;
    bool rebuildRequested_ = false;
};

}  // namespace quor::ui
