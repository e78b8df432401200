#pragma once

// About Quorvane: the version, a button that starts the desktop's system
// information tool, and a small ball game that runs while the box is the
// active window.

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "quorvane/ui/paddle_game.h"

namespace quor::ui {

// The first installed system information tool, as a program and its
// arguments; empty when none is installed.
QStringList systemInformationTool();

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget* parent = nullptr);

    PaddleGame* game() const { return game_; }

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

  private:
    QDialogButtonBox* buildButtonBox();

    PaddleGame* game_ = nullptr;
    QCheckBox* soundBox_ = nullptr;
    QPushButton* systemInfo_ = nullptr;
    QStringList systemInfoCommand_;
};

}  // namespace quor::ui
