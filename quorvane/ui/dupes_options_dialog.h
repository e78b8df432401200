#pragma once

// Duplicate File Options: how close names must be to match (a slider from
// "Exact" to "Less", tolerance 0 to 4) and whether removable disks take
// part. Shows the stored options when it opens; OK stores them and closes,
// Cancel closes without storing.

#include <QCheckBox>
#include <QDialog>
#include <QSlider>

#include "common/interaction.h"
#include "quorvane/store/settings_store.h"

namespace quor::ui {

class DupesOptionsDialog : public QDialog {
    Q_OBJECT
  public:
    DupesOptionsDialog(store::AppSettings settings, Interaction& user, QWidget* parent = nullptr);

  public slots:
    // Stores the options and closes; a store that cannot be written is
    // reported and the dialog stays open, so nothing chosen is lost.
    void okClicked();

  private:
    void buildControls();

    store::AppSettings settings_;
    Interaction& user_;
    QSlider* slider_ = nullptr;
    QCheckBox* includeRemovables_ = nullptr;
};

}  // namespace quor::ui
