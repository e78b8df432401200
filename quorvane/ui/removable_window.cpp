#include "quorvane/ui/removable_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

#include "common/qt/dialog_buttons.h"
#include "common/qt/menu_items.h"
#include "common/qt/row_buttons.h"
#include "common/qt/shortcuts.h"
#include "common/qt/status_text.h"
#include "quorvane/ui/main_window.h"
#include "quorvane/ui/rename_file_dialog.h"
#include "quorvane/ui/tool_window.h"

namespace quor::ui {

namespace {

// The smallest window, in twips.
const QSize kRemovableMinimumTwips(3780, 2500);

}  // namespace

RemovableWindow::RemovableWindow(store::SettingsStore& store, store::Places places,
                                 Interaction* boxes, WindowServices services, QWidget* parent)
    : QMainWindow(parent),
      boxes_(boxes, this),
      context_{store, std::move(places), boxes_.get()},
      services_(std::move(services)) {
    setObjectName("frmRemovable");
    setWindowTitle("Removable Disks");
    statusBar()->setObjectName("StatusBar1");
    buildControls();
    buildMenu();
}

RemovableWindow::~RemovableWindow() = default;

void RemovableWindow::buildControls() {
    setCentralWidget(new QWidget(this));
    auto* layout = new QVBoxLayout(centralWidget());
    listWidget_ = new PathListWidget(centralWidget());
    listWidget_->setObjectName("lstRemovables");
    listWidget_->setAccessibleName("Removable disks");
    layout->addWidget(listWidget_, 1);

    const struct {
        const char* name;
        const char* caption;
        const char* tip;
        void (RemovableWindow::*slot)();
    } buttons[] = {
        {"btnView", "&View", "Click here to view the disk", &RemovableWindow::viewSelected},
        {"btnDelete", "&Delete", "Click here to delete the disk from the list",
         &RemovableWindow::deleteSelected},
        {"btnRename", "&Rename", "", &RemovableWindow::renameSelected},
    };
    auto* row = new QHBoxLayout;
    QList<QPushButton*> rowButtons;
    for (const auto& button : buttons) {
        QPushButton* made = namedButton(centralWidget(), {button.name, button.caption, button.tip});
        connect(made, &QPushButton::clicked, this, button.slot);
        row->addWidget(made);
        rowButtons.append(made);
    }
    QPushButton* exit = namedButton(centralWidget(), {"btnExit", "E&xit", "Click here to exit"});
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    row->addWidget(exit);
    layout->addLayout(row);

    connect(listWidget_, &QListWidget::itemDoubleClicked, this, &RemovableWindow::viewSelected);
    connect(listWidget_, &PathListWidget::removeRequested, this, &RemovableWindow::deleteSelected);
    connect(listWidget_, &PathListWidget::contextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(at); });
    connect(listWidget_, &PathListWidget::openRequested, this, &RemovableWindow::viewSelected);
    rowSelection_.follow(*listWidget_, [this, rowButtons] {
        for (QPushButton* button : rowButtons) {
            button->setEnabled(hasSelectedRow(*listWidget_));
        }
    });
}

void RemovableWindow::buildMenu() {
    menu_ = new QMenu("Removable", this);
    menu_->setObjectName("mnuRemovable");
    addMenuItem(*menu_, "mnuView", "&View", this, &RemovableWindow::viewSelected);
    QAction* remove =
        addMenuItem(*menu_, "mnuDelete", "&Delete", this, &RemovableWindow::deleteSelected);
    QAction* rename =
        addMenuItem(*menu_, "mnuRename", "&Rename", this, &RemovableWindow::renameSelected);
    setRowKeys(*rename, *listWidget_, {QKeySequence(Qt::Key_F2)});
    setRowKeys(*remove, *listWidget_, standardKeys(QKeySequence::Delete, Qt::Key_Delete));
    addMenuItem(*menu_, "mnuExit", "E&xit", this, &QWidget::close);
}

void RemovableWindow::load() {
    showList(removable::fillDiskList(context_), std::nullopt);
    restorePlacementOrTell(*this, context_.store, context_.user, kRemovePlacement,
                           kRemovableMinimumTwips);
}

void RemovableWindow::showList(const removable::DiskList& list,
                               const std::optional<std::string>& select) {
    list_ = list;
    listWidget_->clear();
    for (std::size_t row = 0; row < list_.rows.size(); ++row) {
        auto* item = new QListWidgetItem(qtext(list_.rows[row]), listWidget_);
        if (removable::isPlaceholder(list_.rows[row])) {
            makeNote(*item);
        }
        if (select && list_.rows[row] == *select) {
            listWidget_->setCurrentRow(static_cast<int>(row), QItemSelectionModel::ClearAndSelect);
        }
    }
    setStatusText(*statusBar(), qtext(list_.statusText()));
}

void RemovableWindow::refresh() {
    showList(removable::fillDiskList(context_), selectedDisk());
}

void RemovableWindow::refreshQuietly() {
    // A file that cannot be read now is told about by the next command on
    // it, not by a box at every activation (which would activate again).
    UnattendedInteraction quiet;
    store::ListContext context{context_.store, context_.places, quiet};
    showList(removable::fillDiskList(context), selectedDisk());
}

std::optional<std::string> RemovableWindow::selectedDisk() const {
    const auto selected = listWidget_->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    const auto row = static_cast<std::size_t>(listWidget_->row(selected.first()));
    return row < list_.rows.size() ? std::optional(list_.rows[row]) : std::nullopt;
}

void RemovableWindow::viewSelected() {
    const std::optional<removable::DiskView> view = removable::viewDisk(context_, selectedDisk());
    if (!view) {
        return;
    }
    if (!viewer_) {
        viewer_ = new ListViewer(context_.store, context_.user, this);
    }
    viewer_->showText(qtext(view->caption), qtext(view->text));
}

namespace {

std::ptrdiff_t countOf(const removable::DiskList& list, const std::string& name) {
    return std::count(list.rows.begin(), list.rows.end(), name);
}

}  // namespace

void RemovableWindow::deleteSelected() {
    const std::optional<std::string> selected = selectedDisk();
    const removable::DiskList list = removable::deleteDisk(context_, selected);
    // A disk that was kept (No, or nothing to delete) stays selected; no
    // other disk is selected behind the user's back.
    const bool kept = selected && countOf(list, *selected) == countOf(list_, *selected);
    showList(list, kept ? selected : std::nullopt);
}

void RemovableWindow::renameSelected() {
    const std::optional<std::string> selected = selectedDisk();
    if (removable::isPlaceholder(selected) || !removable::checkDiskSelected(context_, selected)) {
        return;
    }
    RenameFileAsker asker(this, services_.runDialog);
    const std::string newName = asker.ask(*selected).value_or("");
    const removable::DiskList list = removable::renameDisk(context_, selected, newName);
    const bool renamed = countOf(list, *selected) < countOf(list_, *selected);
    showList(list, renamed ? newName : *selected);
}

void RemovableWindow::abandon() {
    abandoned_ = true;
    close();
}

void RemovableWindow::closeEvent(QCloseEvent* event) {
    if (!abandoned_) {
        if (viewer_ && viewer_->isVisible()) {
            viewer_->close();  // it goes with this window, and keeps its place
        }
        storePlacementOrTell(*this, context_.store, context_.user, kRemovePlacement);
    }
    event->accept();
}

void RemovableWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void RemovableWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        refreshQuietly();
    }
}

std::function<void()> removableDisksWindowOpener(MainWindow& main, WindowServices services) {
    return toolWindowOpener<RemovableWindow>(main, [&main, services = std::move(services)] {
        store::ListContext& context = main.context();
        return new RemovableWindow(context.store, context.places, nullptr, services, &main);
    });
}

}  // namespace quor::ui
