#pragma once

// The chooser of saved lists for Open List and Delete List. It opens with
// the current list selected (or the only one), so Enter chooses it; its
// Open/Delete button is enabled only while a list is selected.

#include <QDialog>
#include <QListWidget>
#include <string>
#include <string_view>

#include "common/interaction.h"
#include "common/qt/row_buttons.h"
#include "quorvane/store/list_commands.h"
#include "quorvane/store/places.h"

namespace quor::ui {

class SavedListsDialog : public QDialog {
    Q_OBJECT
  public:
    // currentList names the current list as store::preselectedList takes it.
    SavedListsDialog(Interaction& user, const store::Places& places, store::ChooserMode mode,
                     std::string_view currentList, QWidget* parent = nullptr);

    // The chosen list's file name ("music.lst"), or "" when the chooser was
    // left without a choice (or a deletion was not confirmed).
    const std::string& chosenListName() const { return chosen_; }

  public slots:
    void chooseClicked();

  private:
    Interaction& user_;
    store::ChooserMode mode_;
    QListWidget* lists_ = nullptr;
    std::string chosen_;
    RowSelectionFollower rowSelection_;
};

}  // namespace quor::ui
