#include "quorvane/ui/main_window.h"

#include <sys/stat.h>

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <ctime>

#include "common/file_io.h"
#include "common/number_text.h"
#include "common/qt/bring_forward.h"
#include "common/qt/menu_items.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/shortcuts.h"
#include "common/qt/store_guard.h"
#include "common/qt/window_placement.h"
#include "quorvane/store/app_placement_settings.h"
#include "quorvane/store/folder_list.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/quorvane_settings.h"
#include "quorvane/ui/folder_options_dialog.h"
#include "quorvane/ui/saved_lists_dialog.h"

namespace quor::ui {

namespace {

constexpr std::string_view kWelcomeCaption = "Welcome to Brevard's Quorvane!";
constexpr std::string_view kWelcomeText =
    "To begin making a list:\n"
    "\n"
    "1. Click [Add Folder] and choose the location of your files.\n"
    "2. Use the Options menu to change the list layout and style.\n"
    "3. Click [Create List] to create your list!\n"
    "\n"
    "To have your list auto-update, see the help file.";

// The smallest main window, in twips.
const QSize kMainMinimumTwips(4100, 2500);

// The file's time of last change in the locale's short date and time.
std::string lastChangeText(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return "";
    }
    std::tm local{};
    localtime_r(&info.st_mtime, &local);
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, "%x %X", &local);
    return std::string(text, length);
}

}  // namespace

MainWindow::MainWindow(store::SettingsStore& store, store::Places places, Interaction& user,
                       WindowServices services, QWidget* parent)
    : QMainWindow(parent),
      context_{store, std::move(places), user},
      services_(std::move(services)) {
    setObjectName("frmMain");
    setWindowTitle("Quorvane");
    buildControls();
    buildMenus();
    buildPathListMenu();
    for (const char* name :
         {"mnuNewList", "mnuOpenList", "mnuDeleteList", "mnuFileSaveAs", "mnuFileMakeList"}) {
        buildLockedActions_.append(findChild<QAction*>(name));
    }
    buildLockedActions_.append(pathListMenu_->actions());
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    pathList_ = new PathListWidget(central);
    layout->addWidget(pathList_, 1);

    auto* buttons = new QHBoxLayout;
    auto addButton = [&](const char* name, const QString& caption, const QString& tip,
                         void (MainWindow::*slot)()) {
        auto* button = new QPushButton(caption, central);
        button->setObjectName(name);
        button->setToolTip(tip);
        button->setAccessibleDescription(tip);
        connect(button, &QPushButton::clicked, this, slot);
        return button;
    };
    buttons->addWidget(
        addButton("btnAdd", "Add Folder", "Adds a folder to the list", &MainWindow::addFolder));
    buttons->addWidget(addButton("btnRemove", "Remove Folder",
                                 "Removes the selected folder from the list",
                                 &MainWindow::removeFolder));
    buttons->addWidget(addButton("btnOptions", "Folder Options",
                                 "Changes the settings for the selected folder",
                                 &MainWindow::folderOptions));
    layout->addLayout(buttons);

    listLabel_ = new QLabel(qtext(store::kEmptyListLabel), central);
    listLabel_->setObjectName("lblListName");
    listLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(listLabel_);

    makeListButton_ = addButton("btnMakeList", "Create List", "Click here to generate the list!",
                                &MainWindow::makeList);
    makeListRow_ = new QHBoxLayout;
    makeListRow_->addWidget(makeListButton_, 1);
    layout->addLayout(makeListRow_);
    for (const char* name : {"btnAdd", "btnRemove", "btnOptions"}) {
        buildLockedWidgets_.append(findChild<QPushButton*>(name));
    }
    buildLockedWidgets_.append(makeListButton_);
    setCentralWidget(central);
    statusBar()->setObjectName("sbStatusBar");

    connect(pathList_, &PathListWidget::removeRequested, this, &MainWindow::removeFolder);
    connect(pathList_, &PathListWidget::moveUpRequested, this, &MainWindow::moveFolderUp);
    connect(pathList_, &PathListWidget::moveDownRequested, this, &MainWindow::moveFolderDown);
    connect(pathList_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { openFolderOptions(pathList_->row(item)); });
    connect(pathList_, &PathListWidget::contextMenuRequested, this,
            [this](const QPoint& at) { pathListMenu_->popup(at); });
    setTabOrder(pathList_, findChild<QPushButton*>("btnAdd"));
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    addMenuItem(*file, "mnuNewList", "&New List", this, &MainWindow::newList);
    addMenuItem(*file, "mnuOpenList", "&Open List", this, &MainWindow::openList);
    addMenuItem(*file, "mnuDeleteList", "&Delete List", this, &MainWindow::deleteList);
    addMenuItem(*file, "mnuFileSaveAs", "&Save List Output As...", this,
                &MainWindow::saveListOutputAs);
    addMenuItem(*file, "mnuMakePlayList", "Save to MP3 &Playlist", this, &MainWindow::savePlaylist);
    file->addSeparator()->setObjectName("mnuHelpBar3");
    addMenuItem(*file, "mnuFileMakeList", "&Create List", this, &MainWindow::makeList);
    file->addSeparator()->setObjectName("mnuHelpBar2");
    addMenuItem(*file, "mnuFileExit", "E&xit", this, &QWidget::close);
    setMenuKeys();

    QMenu* options = menuBar()->addMenu("&Options");
    options->setObjectName("mnuOptions");
    addMenuItem(*options, "mnuOptionsListPrefs", "&List Preferences", this,
                &MainWindow::listPreferences);
    addMenuItem(*options, "mnuOptionsHeader", "Edit &Header Text", this,
                &MainWindow::editHeaderText);
    addMenuItem(*options, "mnuOptionsFooter", "Edit &Footer Text", this,
                &MainWindow::editFooterText);
    addMenuItem(*options, "mnuOptionsHTMLTemplate", "&Edit HTML Template", this,
                &MainWindow::editHtmlTemplate);
    addMenuItem(*options, "mnuPerform", "&Action After List Creation", this,
                &MainWindow::actionAfterListCreation);

    // A menu of its own without items: choosing it starts the search program.
    addMenuItem(*menuBar(), "mnuSearch", "&Search", this, &MainWindow::search);

    QMenu* tools = menuBar()->addMenu("&Tools");
    tools->setObjectName("mnuTools");
    addMenuItem(*tools, "mnuToolsRecentList", "&View This List", this, &MainWindow::viewThisList);
    addMenuItem(*tools, "mnuToolsRemovable", "&Manage Removable Disks", this,
                &MainWindow::manageRemovableDisks);
    addMenuItem(*tools, "mnuToolsDupes", "&Find Duplicate Files", this,
                &MainWindow::findDuplicates);

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelp");
    QAction* helpAction =
        addMenuItem(*help, "mnuQuorvaneHelp", "&Quorvane Help", this, &MainWindow::showHelp);
    setWindowKeys(*helpAction, standardKeys(QKeySequence::HelpContents, Qt::Key_F1));
    help->addSeparator()->setObjectName("mnuHelpBar1");
    addMenuItem(*help, "mnuHelpAbout", "&About Quorvane...", this, &MainWindow::showAbout);
}

// The keys of the menu commands, shown beside their captions.
void MainWindow::setMenuKeys() {
    const auto keysOf = [this](const char* name, const QList<QKeySequence>& keys) {
        setWindowKeys(*findChild<QAction*>(name), keys);
    };
    keysOf("mnuNewList", standardKeys(QKeySequence::New, Qt::CTRL | Qt::Key_N));
    keysOf("mnuOpenList", standardKeys(QKeySequence::Open, Qt::CTRL | Qt::Key_O));
    keysOf("mnuFileMakeList", {QKeySequence(Qt::Key_F5)});
    keysOf("mnuFileExit", standardKeys(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q));
}

void MainWindow::buildPathListMenu() {
    pathListMenu_ = new QMenu("PathList", this);
    pathListMenu_->setObjectName("mnuPathList");
    addMenuItem(*pathListMenu_, "mnuPathListProperties", "&Options", this,
                &MainWindow::folderOptions);
    QAction* remove = addMenuItem(*pathListMenu_, "mnuPathListDelete", "&Remove", this,
                                  &MainWindow::removeFolder);
    setRowKeys(*remove, *pathList_, standardKeys(QKeySequence::Delete, Qt::Key_Delete));
    addMenuItem(*pathListMenu_, "mnuPathListMoveUp", "Move &Up", this, &MainWindow::moveFolderUp);
    addMenuItem(*pathListMenu_, "mnuPathListMoveDown", "Move D&own", this,
                &MainWindow::moveFolderDown);
}

Status MainWindow::load() {
    try {
        store::AppSettings settings = context_.settings();
        showLastUpdated();
        if (Status counted = store::checkNumPaths(settings); !counted) {
            return counted;  // a count that does not fit is a broken store
        }
        refreshFolderList();
        refreshListLabel();
        // Placed last, so the window is at least as large as its filled-in
        // controls need (the list name is never cut off).
        if (Status placed = restorePlacement(*this, store::AppPlacementSettings(settings),
                                             kMainPlacement, kMainMinimumTwips);
            !placed) {
            return placed;
        }
    } catch (const store::StoreError& error) {
        return Error{error.what()};
    }
    return Status::success();
}

void MainWindow::showLastUpdated() {
    const std::string savePath = context_.settings().get(store::kSavePath);
    if (!savePath.empty() && isRegularFile(savePath)) {
        context_.user.status("List was last updated: " + lastChangeText(savePath));
    }
}

void MainWindow::showAndWelcome() {
    show();
    guarded([&] {
        if (store::numPaths(context_.settings()) == 0) {
            context_.user.notice(kWelcomeText, kWelcomeCaption);
        }
    });
}

void MainWindow::comeForward() {
    bringForward(*this);
}

void MainWindow::refreshListLabel() {
    guarded([&] {
        const store::AppSettings settings = context_.settings();
        listLabel_->setText(settings.get(store::kSavePath).empty()
                                ? qtext(store::kEmptyListLabel)
                                : qtext(store::listLabelText(settings)));
        setWindowTitle(qtext(store::windowCaption(settings)));
    });
}

void MainWindow::refreshFolderList(std::optional<int> selectRow) {
    guarded([&] {
        pathList_->clear();
        for (const std::string& row : store::folderListRows(context_.settings())) {
            pathList_->addItem(qtext(row));
        }
        if (selectRow && *selectRow >= 0 && *selectRow < pathList_->count()) {
            pathList_->setCurrentRow(*selectRow, QItemSelectionModel::ClearAndSelect);
        }
    });
}

std::optional<int> MainWindow::selectedRow() const {
    const auto selected = pathList_->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    return pathList_->row(selected.first());
}

void MainWindow::guarded(const std::function<void()>& command) {
    (void)storeGuarded(command, [this](std::string_view error) {
        context_.user.notice("The command could not be completed:\n" + std::string(error),
                             "Quorvane");
    });
}

void MainWindow::runHook(const std::function<void()>& hook) {
    if (!hook) {
        context_.user.notice(kNotAvailableText);
        return;
    }
    guarded(hook);
}

// Folder list commands.

void MainWindow::addFolder() {
    if (refusedWhileBuilding()) {
        return;
    }
    const QString chosen = services_.chooseFolder(this, qtext(store::kAddFolderTitle));
    std::optional<int> added;
    guarded([&] { added = store::addFolder(context_, utf8(chosen)); });
    if (added) {
        refreshFolderList(*added);
        openFolderOptions(*added);
    }
}

void MainWindow::removeFolder() {
    if (refusedWhileBuilding()) {
        return;
    }
    const auto selected = selectedRow();
    bool removed = false;
    guarded([&] { removed = store::removeFolder(context_, selected); });
    if (removed) {
        refreshFolderList();
    }
}

void MainWindow::moveFolderUp() {
    if (refusedWhileBuilding()) {
        return;
    }
    const auto selected = selectedRow();
    bool moved = false;
    guarded([&] { moved = store::moveFolderUp(context_, selected); });
    if (moved) {
        refreshFolderList(selected);
    }
}

void MainWindow::moveFolderDown() {
    if (refusedWhileBuilding()) {
        return;
    }
    const auto selected = selectedRow();
    bool moved = false;
    guarded([&] { moved = store::moveFolderDown(context_, selected); });
    if (moved) {
        refreshFolderList(selected);
    }
}

void MainWindow::folderOptions() {
    if (refusedWhileBuilding()) {
        return;
    }
    const auto selected = selectedRow();
    if (store::checkFolderSelected(context_, selected)) {
        openFolderOptions(*selected);
    }
}

void MainWindow::openFolderOptions(int index) {
    if (refusedWhileBuilding()) {
        return;
    }
    bool rebuild = false;
    guarded([&] {
        store::FolderOptions state(context_, index);
        FolderOptionsDialog dialog(state, context_.user, this);
        dialog.setDiskReadHandler(diskReadHandler_);
        services_.runDialog(dialog);
        rebuild = dialog.rebuildRequested();
    });
    if (rebuild) {
        makeList();
    }
    refreshFolderList(index);
}

// Saved list commands.

void MainWindow::newList() {
    if (refusedWhileBuilding()) {
        return;
    }
    guarded([&] { store::newList(context_, session_); });
    refreshFolderList();
    refreshListLabel();
}

void MainWindow::openList() {
    if (refusedWhileBuilding()) {
        return;
    }
    guarded([&] {
        (void)createFolders(context_.places.dataFolder());
        SavedListsDialog chooser(context_.user, context_.places, store::ChooserMode::Open,
                                 store::currentListName(context_.settings()), this);
        services_.runDialog(chooser);
        if (store::openList(context_, session_, chooser.chosenListName())) {
            refreshFolderList();
            refreshListLabel();
        }
    });
}

void MainWindow::deleteList() {
    if (refusedWhileBuilding()) {
        return;
    }
    guarded([&] {
        (void)createFolders(context_.places.dataFolder());
        SavedListsDialog chooser(context_.user, context_.places, store::ChooserMode::Delete,
                                 store::currentListName(context_.settings()), this);
        services_.runDialog(chooser);
        store::deleteList(context_, chooser.chosenListName());
    });
}

// The build and the tools of other parts of the program.

void MainWindow::makeList() {
    if (building_) {
        return;
    }
    showBuilding(true);
    runHook(buildHandler_);
    showBuilding(false);
    refreshListLabel();
    closing_.closeIfAsked(*this);
}

void MainWindow::addBesideMakeList(QWidget* widget) {
    widget->setParent(centralWidget());
    makeListRow_->addWidget(widget);
    setTabOrder(makeListButton_, widget);
}

void MainWindow::showBuilding(bool on) {
    building_ = on;
    for (QWidget* widget : buildLockedWidgets_) {
        widget->setEnabled(!on);
    }
    for (QAction* action : buildLockedActions_) {
        action->setEnabled(!on);
    }
}

void MainWindow::savePlaylist() {
    runHook(playlistHandler_);
}

void MainWindow::manageRemovableDisks() {
    runHook(removableHandler_);
}

void MainWindow::findDuplicates() {
    runHook(duplicatesHandler_);
}

// Closing.

void MainWindow::closeEvent(QCloseEvent* event) {
    // A build in progress stops at its next safe point; the window closes
    // when it has returned, so no file is left half written.
    if (closing_.handle(*event, building_, stopRequester_, [this] { storeOnClose(); })) {
        emit closed();
    }
}

void MainWindow::storeOnClose() {
    guarded([&] {
        store::AppPlacementSettings settings(context_.settings());
        storePlacement(*this, settings, kMainPlacement);
    });
    guarded([&] { store::saveOnClose(context_, session_); });
}

}  // namespace quor::ui
