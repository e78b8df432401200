#include "quorvane/ui/dupes_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include "common/qt/dialog_buttons.h"
#include "common/qt/menu_items.h"
#include "common/qt/row_buttons.h"
#include "common/qt/shortcuts.h"
#include "common/qt/window_placement.h"
#include "quorvane/dupes/row_actions.h"
#include "quorvane/ui/desktop_file_opener.h"
#include "quorvane/ui/dupes_options_dialog.h"
#include "quorvane/ui/main_window.h"
#include "quorvane/ui/rename_file_dialog.h"
#include "quorvane/ui/tool_window.h"

namespace quor::ui {

namespace {

// The smallest window, in twips: its default size.
const QSize kDupesMinimumTwips(3648, 3828);

}  // namespace

DupesWindow::DupesWindow(store::SettingsStore& store, store::Places places, Interaction* boxes,
                         WindowServices services, std::unique_ptr<dupes::FileOpener> opener,
                         QWidget* parent)
    : QMainWindow(parent),
      boxes_(boxes, this),
      interaction_(boxes_.get(), *statusBar()),
      context_{store, std::move(places), interaction_},
      services_(std::move(services)),
      opener_(std::move(opener)) {
    setObjectName("frmDupes");
    setWindowTitle(qtext(dupes::kDupesCaption));
    statusBar()->setObjectName("StatusBar1");
    buildControls();
    buildMenus();
}

DupesWindow::~DupesWindow() = default;

QPushButton* DupesWindow::addButton(const char* name, const QString& caption,
                                    void (DupesWindow::*slot)(), const QString& tip) {
    QPushButton* button = namedButton(centralWidget(), {name, caption, tip});
    connect(button, &QPushButton::clicked, this, slot);
    return button;
}

void DupesWindow::buildControls() {
    setCentralWidget(new QWidget(this));
    auto* layout = new QVBoxLayout(centralWidget());
    listWidget_ = new PathListWidget(centralWidget());
    listWidget_->setObjectName("DupesList");
    listWidget_->setAccessibleName("Possible duplicate files");
    listWidget_->setUniformItemSizes(true);
    layout->addWidget(listWidget_, 1);

    auto* buttons = new QGridLayout;
    actionButtons_ = {addButton("btnOpen", "Open", &DupesWindow::openSelected),
                      addButton("btnRename", "Rename", &DupesWindow::renameSelected),
                      addButton("btnDelete", "Delete", &DupesWindow::deleteSelected,
                                "Click to delete the selected file")};
    for (int column = 0; column < actionButtons_.size(); ++column) {
        buttons->addWidget(actionButtons_[column], 0, column);
    }
    searchButton_ =
        addButton("btnSearch", qtext(dupes::kSearchButton), &DupesWindow::searchClicked);
    buttons->addWidget(searchButton_, 1, 0);
    QPushButton* done = namedButton(centralWidget(), {"btnDone", "Exit"});
    connect(done, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(done, 1, 2);
    layout->addLayout(buttons);

    connect(listWidget_, &QListWidget::itemDoubleClicked, this, &DupesWindow::openSelected);
    connect(listWidget_, &PathListWidget::openRequested, this, &DupesWindow::openSelected);
    connect(listWidget_, &PathListWidget::removeRequested, this, &DupesWindow::deleteSelected);
    connect(listWidget_, &PathListWidget::contextMenuRequested, this, [this](const QPoint& at) {
        if (!searching_) {
            listMenu_->popup(at);
        }
    });
    rowSelection_.follow(*listWidget_, [this] { enableRowButtons(); });
}

// Open, Rename and Delete need a selected file, and wait while a search runs.
void DupesWindow::enableRowButtons() {
    const bool enabled = !searching_ && hasSelectedRow(*listWidget_);
    for (QWidget* button : actionButtons_) {
        button->setEnabled(enabled);
    }
}

namespace {

// Separator and message rows name no file: they cannot be selected.
void showRowKind(QListWidgetItem& item, const dupes::DupesRows& rows, std::size_t row) {
    const bool file = row < rows.rowMap.size() && !rows.rowMap[row].empty();
    if (!file) {
        makeNote(item);
    } else if (!item.flags().testFlag(Qt::ItemIsSelectable)) {
        item.setFlags(item.flags() | Qt::ItemIsSelectable);
    }
}

}  // namespace

void DupesWindow::addRow(const dupes::DupesRows& rows, std::size_t row) {
    showRowKind(*new QListWidgetItem(qtext(rows.rows[row]), listWidget_), rows, row);
}

void DupesWindow::buildMenus() {
    optionsAction_ =
        addMenuItem(*menuBar(), "mnuDupesOptions", "&Options", this, &DupesWindow::showOptions);

    listMenu_ = new QMenu("DupesList", this);
    listMenu_->setObjectName("mnuDupesList");
    addMenuItem(*listMenu_, "mnuOpen", "&Open/Play", this, &DupesWindow::openSelected);
    QAction* rename =
        addMenuItem(*listMenu_, "mnuRename", "&Rename", this, &DupesWindow::renameSelected);
    QAction* remove =
        addMenuItem(*listMenu_, "mnuDelete", "&Delete", this, &DupesWindow::deleteSelected);
    setRowKeys(*rename, *listWidget_, {QKeySequence(Qt::Key_F2)});
    setRowKeys(*remove, *listWidget_, standardKeys(QKeySequence::Delete, Qt::Key_Delete));
}

void DupesWindow::load() {
    list_ = dupes::DupesRows::initial();
    showRows();
    restorePlacementOrTell(*this, context_.store, interaction_, kDupesPlacement,
                           kDupesMinimumTwips);
}

// The search.

void DupesWindow::searchClicked() {
    if (searching_) {
        // Stop: the search ends at its next poll. The button reads "Search"
        // again but cannot start a second search inside the running one.
        interaction_.requestStop();
        searchButton_->setText(qtext(dupes::kSearchButton));
        searchButton_->setEnabled(false);
        searchButton_->repaint();
        return;
    }
    interaction_.beginWork();
    dupes::DupesSearchResult result = dupes::searchDuplicates(
        context_, [this](bool on) { setSearching(on); },
        [this](const dupes::DupesRows& soFar) { appendNewRows(soFar); });
    if (!result.refused) {
        list_ = std::move(result.list);
        showRows();
    }
    closing_.closeIfAsked(*this);
}

void DupesWindow::setSearching(bool on) {
    searching_ = on;
    if (on) {
        list_ = {};
        listWidget_->clear();
    }
    setWindowTitle(qtext(dupes::dupesWindowCaption(on)));
    searchButton_->setText(qtext(dupes::searchButtonCaption(on)));
    searchButton_->setEnabled(true);
    enableRowButtons();
    optionsAction_->setEnabled(!on);
    repaint();
}

void DupesWindow::appendNewRows(const dupes::DupesRows& soFar) {
    for (auto row = static_cast<std::size_t>(listWidget_->count()); row < soFar.rows.size();
         ++row) {
        addRow(soFar, row);
    }
}

void DupesWindow::showRows() {
    const auto wanted = static_cast<int>(list_.rows.size());
    while (listWidget_->count() > wanted) {
        delete listWidget_->takeItem(listWidget_->count() - 1);
    }
    for (int row = 0; row < wanted; ++row) {
        const auto index = static_cast<std::size_t>(row);
        const QString text = qtext(list_.rows[index]);
        if (row >= listWidget_->count()) {
            addRow(list_, index);
        } else {
            QListWidgetItem& item = *listWidget_->item(row);
            if (item.text() != text) {
                item.setText(text);
            }
            showRowKind(item, list_, index);
        }
    }
}

// The actions on the selected row.

std::optional<std::size_t> DupesWindow::selectedRow() const {
    const auto selected = listWidget_->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(listWidget_->row(selected.first()));
}

void DupesWindow::openSelected() {
    if (!searching_) {
        (void)dupes::openRow(context_, list_, selectedRow(), *opener_);
    }
}

void DupesWindow::renameSelected() {
    if (searching_) {
        return;
    }
    RenameFileAsker asker(this, services_.runDialog);
    (void)dupes::renameRow(context_, list_, selectedRow(), asker);
    showRows();  // the rows of the file read its new name, even when the cache could not follow
}

void DupesWindow::deleteSelected() {
    if (searching_) {
        return;
    }
    const std::size_t before = list_.rows.size();
    (void)dupes::deleteRow(context_, list_, selectedRow());
    if (list_.rows.size() != before) {
        showRows();
        listWidget_->clearSelection();  // no other file is selected behind the user's back
    }
}

void DupesWindow::showOptions() {
    if (searching_) {
        return;
    }
    DupesOptionsDialog dialog(context_.settings(), interaction_, this);
    services_.runDialog(dialog);
}

// Closing.

// Escape stops a running search, and closes the window otherwise.
void DupesWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (searching_) {
            searchClicked();
        } else {
            close();
        }
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void DupesWindow::abandon() {
    abandoned_ = true;
    close();
}

// The search stops at its next poll; the window closes when it has
// returned, so nothing it uses goes away under it.
void DupesWindow::closeEvent(QCloseEvent* event) {
    closing_.handle(
        *event, searching_, [this] { interaction_.requestStop(); },
        [this] {
            if (!abandoned_) {
                storePlacementOrTell(*this, context_.store, interaction_, kDupesPlacement);
            }
        });
}

// The main window's command.

std::function<void()> duplicatesWindowOpener(MainWindow& main, WindowServices services) {
    return toolWindowOpener<DupesWindow>(main, [&main, services = std::move(services)] {
        store::ListContext& context = main.context();
        return new DupesWindow(context.store, context.places, nullptr, services,
                               std::make_unique<DesktopFileOpener>(context.store), &main);
    });
}

}  // namespace quor::ui
