#pragma once

// Rename File: the current name of a listed file and a box for its new
// name, which opens with all of it selected. OK hands back the new name
// with the characters no name may hold removed; Cancel, Escape and the
// close box hand back nothing.

#include <QDialog>
#include <QLineEdit>
#include <functional>
#include <optional>
#include <string>

#include "quorvane/dupes/row_actions.h"

namespace quor::ui {

class RenameFileDialog : public QDialog {
    Q_OBJECT
  public:
    explicit RenameFileDialog(std::string currentName, QWidget* parent = nullptr);

    // The new name after OK: the typed text cleaned as the duplicate
    // actions rule it, or the current name's own bytes when the box still
    // shows it unchanged (a name that is not valid UTF-8 is shown with
    // replacement characters and must not be renamed to them). Nothing
    // after Cancel.
    std::optional<std::string> answer() const;

  public slots:
    void okClicked();

  private:
    std::string currentName_;
    std::optional<std::string> answer_;
    QLineEdit* oldName_ = nullptr;
    QLineEdit* newName_ = nullptr;
};

// The rename dialog of the duplicate actions, run through runDialog (the
// window services' modal loop) over parent.
class RenameFileAsker final : public dupes::RenameDialog {
  public:
    RenameFileAsker(QWidget* parent, std::function<int(QDialog&)> runDialog)
        : parent_(parent), runDialog_(std::move(runDialog)) {}
    std::optional<std::string> ask(std::string_view currentName) override;

  private:
    QWidget* parent_;
    std::function<int(QDialog&)> runDialog_;
};

}  // namespace quor::ui
