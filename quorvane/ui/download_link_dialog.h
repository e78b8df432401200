#pragma once

// Edit Link Properties: the base that replaces the root folder of each file
// link in an HTML list.

#include <QDialog>
#include <QLineEdit>

#include "common/interaction.h"
#include "quorvane/store/settings_store.h"

namespace quor::ui {

class DownloadLinkDialog : public QDialog {
    Q_OBJECT
  public:
    DownloadLinkDialog(store::AppSettings settings, Interaction& user, QWidget* parent = nullptr);

  public slots:
    void okClicked();

  private:
    store::AppSettings settings_;
    Interaction& user_;
    QLineEdit* link_ = nullptr;
    QLineEdit* example_ = nullptr;
};

}  // namespace quor::ui
