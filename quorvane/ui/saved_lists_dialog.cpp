#include "quorvane/ui/saved_lists_dialog.h"

#include <QLabel>
#include <QVBoxLayout>

#include "common/qt/dialog_buttons.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/row_buttons.h"

namespace quor::ui {

SavedListsDialog::SavedListsDialog(Interaction& user, const store::Places& places,
                                   store::ChooserMode mode, std::string_view currentList,
                                   QWidget* parent)
    : QDialog(parent), user_(user), mode_(mode) {
    setObjectName("frmSavedLists");
    const store::ChooserTexts texts = store::chooserTexts(mode);
    setWindowTitle(qtext(texts.caption));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(qtext(texts.prompt), this);
    prompt->setObjectName("Label1");
    layout->addWidget(prompt);
    lists_ = new QListWidget(this);
    lists_->setObjectName("lstSavedLists");
    lists_->setSelectionMode(QAbstractItemView::SingleSelection);
    prompt->setBuddy(lists_);
    const std::vector<std::string> names = store::savedListNames(places);
    for (const std::string& name : names) {
        lists_->addItem(qtext(name));
    }
    if (const auto row = store::preselectedList(names, currentList)) {
        lists_->setCurrentRow(static_cast<int>(*row), QItemSelectionModel::ClearAndSelect);
    }
    layout->addWidget(lists_, 1);

    const OkCancelButtons buttons =
        addOkCancelButtons(*this, *layout, {"btnOpen", qtext(texts.button)});
    QPushButton* choose = buttons.ok;
    connect(choose, &QPushButton::clicked, this, &SavedListsDialog::chooseClicked);
    connect(buttons.cancel, &QPushButton::clicked, this, [this] { chosen_.clear(); });
    connect(lists_, &QListWidget::itemDoubleClicked, this, &SavedListsDialog::chooseClicked);
    rowSelection_.follow(*lists_, [this, choose] { choose->setEnabled(hasSelectedRow(*lists_)); });
    lists_->setFocus();
    resize(280, 300);
}

void SavedListsDialog::chooseClicked() {
    std::optional<std::string> selected;
    if (const auto items = lists_->selectedItems(); !items.isEmpty()) {
        selected = utf8(items.first()->text());
    }
    const auto answer = store::chooseSavedList(user_, mode_, selected);
    if (!answer) {
        return;
    }
    chosen_ = *answer;
    if (chosen_.empty()) {
        reject();
    } else {
        accept();
    }
}

}  // namespace quor::ui
