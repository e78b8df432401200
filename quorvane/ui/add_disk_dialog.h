#pragma once

// The add-disk dialog: reads the disk in the drive of a removable disk set
// under the name the user types, one disk after another, and lists the
// set's disks. While a disk is read the dialog stays live (the folder being
// read shows under the list) but cannot be closed and takes no second Add.
// However it is closed, the set's disk blocks are put in name order.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "common/qt/window_interaction.h"
#include "quorvane/generate/removable_disk_state.h"
#include "quorvane/removable/add_disks.h"
#include "quorvane/store/list_context.h"
#include "quorvane/ui/main_window.h"
#include "quorvane/ui/window_services.h"

namespace quor::ui {

class AddDiskDialog : public QDialog {
    Q_OBJECT
  public:
    // The messages go to context.user; state says which set and how its
    // cache file is written (see RemovableDiskState).
    AddDiskDialog(store::ListContext& context, generate::RemovableDiskState& state,
                  QWidget* parent = nullptr);

    int disksAdded() const { return disksAdded_; }
    bool reading() const { return reading_; }

  public slots:
    void addClicked();
    void volumeClicked();
    void done(int result) override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void showDisks();
    void setReading(bool on);

    WindowInteraction interaction_;
    store::ListContext context_;
    removable::AddDisks disks_;
    QLabel* prompt_ = nullptr;
    QLineEdit* name_ = nullptr;
    QListWidget* diskList_ = nullptr;
    QLabel* readingFolder_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* volume_ = nullptr;
    QPushButton* done_ = nullptr;
    int disksAdded_ = 0;
    bool reading_ = false;
    bool sorted_ = false;
};

// Folder Options' Add All and Add New: the add-disk dialog over the Folder
// Options dialog, run through services; true when a disk was read.
DiskReadHandler diskReader(MainWindow& main, WindowServices services);

}  // namespace quor::ui
