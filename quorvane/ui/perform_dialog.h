#pragma once

// Perform Action on List: the command run after each build.

#include <QDialog>
#include <QLineEdit>

#include "common/interaction.h"
#include "quorvane/store/settings_store.h"

namespace quor::ui {

class PerformDialog : public QDialog {
    Q_OBJECT
  public:
    PerformDialog(store::AppSettings settings, Interaction& user, QWidget* parent = nullptr);

  public slots:
    void okClicked();

  private:
    store::AppSettings settings_;
    Interaction& user_;
    QLineEdit* action_ = nullptr;
};

}  // namespace quor::ui
