// "Open List": which saved list the own-list search reads.

#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "common/qt/dialog_buttons.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/row_buttons.h"
#include "quorfind/ui/dialog_parts.h"
#include "quorfind/ui/dialogs.h"
#include "quorvane/store/list_commands.h"

namespace quor::find::ui {

namespace {

using quor::ui::qtext;

// Each item keeps the list's name as the bytes of its file name, so a name
// that is not valid UTF-8 still finds its file.
constexpr int kNameRole = Qt::UserRole;

class SavedListChooser : public QDialog {
  public:
    SavedListChooser(const store::Places& places, const std::string& previousChoice,
                     Interaction& user, QWidget* parent)
        : QDialog(parent), user_(user), chosen_(previousChoice) {
        setObjectName("frmSavedLists");
        setWindowTitle("Open List");
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        auto* prompt = new QLabel("&Select the list you would like to search:", this);
        prompt->setObjectName("Label1");
        lists_ = new QListWidget(this);
        lists_->setObjectName("lstSavedLists");
        lists_->setAccessibleName("Saved lists");
        lists_->setSelectionMode(QAbstractItemView::SingleSelection);
        prompt->setBuddy(lists_);
        layout->addWidget(prompt);
        layout->addWidget(lists_, 1);
        const std::vector<std::string> names = store::savedListNames(places);
        for (const std::string& name : names) {
            auto* item = new QListWidgetItem(qtext(name), lists_);
            item->setData(kNameRole, QByteArray::fromStdString(name));
        }
        // The list searched now (or the only one) is selected, so Enter opens it.
        if (const auto row = store::preselectedList(names, previousChoice)) {
            lists_->setCurrentRow(static_cast<int>(*row), QItemSelectionModel::ClearAndSelect);
        }
        const quor::ui::OkCancelButtons buttons =
            quor::ui::addOkCancelButtons(*this, *layout, {"btnOpen", "Open"});
        cancel_ = buttons.cancel;
        rowSelection_.follow(*lists_, [this, open = buttons.ok] {
            open->setEnabled(quor::ui::hasSelectedRow(*lists_));
        });
        connect(buttons.ok, &QPushButton::clicked, this, [this] { openClicked(); });
        connect(lists_, &QListWidget::itemDoubleClicked, this, [this] { openClicked(); });
        connect(cancel_, &QPushButton::clicked, this, [this] { chosen_.clear(); });
        lists_->setFocus();
        setMinimumSize(260, 240);
    }

    // The previous choice until Open or Cancel changes it: the close box
    // leaves it as it was.
    const std::string& chosen() const { return chosen_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            cancel_->click();
            return;
        }
        QDialog::keyPressEvent(event);
    }

  private:
    void openClicked() {
        std::optional<std::string> selected;
        if (const auto items = lists_->selectedItems(); !items.isEmpty()) {
            selected = items.first()->data(kNameRole).toByteArray().toStdString();
        }
        if (const auto answer = store::chooseSavedList(user_, store::ChooserMode::Open, selected)) {
            chosen_ = *answer;
            accept();
        }
    }

    Interaction& user_;
    std::string chosen_;
    QListWidget* lists_ = nullptr;
    QPushButton* cancel_ = nullptr;
    quor::ui::RowSelectionFollower rowSelection_;
};

}  // namespace

std::string chooseListToSearch(QWidget* parent, const store::Places& places,
                               const std::string& previousChoice, Interaction& user) {
    SavedListChooser chooser(places, previousChoice, user, parent);
    chooser.exec();
    return chooser.chosen();
}

// The notice is shown over the chooser itself.
std::string chooseListToSearch(QWidget* parent, const store::Places& places,
                               const std::string& previousChoice) {
    quor::ui::QtInteraction user;
    SavedListChooser chooser(places, previousChoice, user, parent);
    user.setParentWindow(&chooser);
    chooser.exec();
    return chooser.chosen();
}

}  // namespace quor::find::ui
