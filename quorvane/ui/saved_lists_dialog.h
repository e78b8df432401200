#pragma once

// The chooser of saved lists for Open List and Delete List.

#include <QDialog>
#include <QListWidget>
#include <string>

#include "common/interaction.h"
#include "quorvane/store/list_commands.h"
#include "quorvane/store/places.h"

namespace quor::ui {

class SavedListsDialog : public QDialog {
    Q_OBJECT
  public:
    SavedListsDialog(Interaction& ui, const store::Places& places, store::ChooserMode mode,
                     QWidget* parent = nullptr);

    // The chosen list's file name ("music.lst"), or "" when the chooser was
    // left without a choice (or a deletion was not confirmed).
    const std::string& chosenListName() const { return chosen_; }

  public slots:
    void chooseClicked();

  private:
    Interaction& ui_;
    store::ChooserMode mode_;
    QListWidget* lists_ = nullptr;
    std::string chosen_;
};

}  // namespace quor::ui
