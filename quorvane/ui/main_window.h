#pragma once

// The main window: the folder list of the current list, the list's name and
// figures, the buttons and menus that reach every command. Each command
// calls the core and then shows the new state. Messages and questions go
// through the interaction; choosers, dialogs and desktop calls through the
// window services, so that tests can drive every command.

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <functional>
#include <optional>

#include "common/interaction.h"
#include "common/qt/close_when_idle.h"
#include "common/result.h"
#include "quorvane/store/list_commands.h"
#include "quorvane/store/list_context.h"
#include "quorvane/ui/path_list_widget.h"
#include "quorvane/ui/window_services.h"

namespace quor::ui {

// How the Folder Options dialog hands a removable disk set to the disk
// reader: Add All starts the set anew, Add New appends a disk.
enum class DiskReadMode { AddAll, AddNew };

// Reads disks into record index; true when disks were read (the list is
// then built again when the dialog closes).
using DiskReadHandler = std::function<bool(QWidget* owner, int index, DiskReadMode mode)>;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(store::SettingsStore& store, store::Places places, Interaction& user,
               WindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Sets the window up from the store: placement, status, folder list,
    // label and caption. Fails when the stored settings cannot be used (a
    // placement that is not a number, a broken store), with the cause.
    Status load();

    // Shows the window, then the welcome message when no folder is listed.
    void showAndWelcome();

    // Brings the window to the front (a second copy was started).
    void comeForward();

    // The commands that other parts of the program carry out. While a hook
    // is not set its command shows a notice that it is not available.
    void setBuildHandler(std::function<void()> handler) { buildHandler_ = std::move(handler); }
    void setPlaylistHandler(std::function<void()> handler) {
        playlistHandler_ = std::move(handler);
    }
    void setRemovableDisksHandler(std::function<void()> handler) {
        removableHandler_ = std::move(handler);
    }
    void setDuplicatesHandler(std::function<void()> handler) {
        duplicatesHandler_ = std::move(handler);
    }
    void setDiskReadHandler(DiskReadHandler handler) { diskReadHandler_ = std::move(handler); }
    // Asks running long work to stop (the window is closing during a build).
    void setStopRequester(std::function<void()> requester) {
        stopRequester_ = std::move(requester);
    }

    // Puts a control of the build (its Stop button) beside Create List.
    void addBesideMakeList(QWidget* widget);

    store::ListContext& context() { return context_; }
    store::ListSession& session() { return session_; }
    bool building() const { return building_; }

    // The label, caption and folder list from the store.
    void refreshListLabel();
    void refreshFolderList(std::optional<int> selectRow = std::nullopt);
    std::optional<int> selectedRow() const;

  public slots:
    void addFolder();
    void removeFolder();
    void moveFolderUp();
    void moveFolderDown();
    void folderOptions();
    void openFolderOptions(int index);
    void newList();
    void openList();
    void deleteList();
    void saveListOutputAs();
    void makeList();
    void savePlaylist();
    void search();
    void viewThisList();
    void manageRemovableDisks();
    void findDuplicates();
    void showHelp();
    void showAbout();
    void listPreferences();
    void actionAfterListCreation();
    void editHeaderText();
    void editFooterText();
    void editHtmlTemplate();

  signals:
    // The window closed for good; the program ends.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    void buildPathListMenu();
    void setMenuKeys();
    // Runs a command, turning a failure of the store into a message instead
    // of an end of the program.
    void guarded(const std::function<void()>& command);
    void runHook(const std::function<void()>& hook);
    void showLastUpdated();
    void storeOnClose();
    // While a build runs, the commands that change the folder records or
    // the list's files are refused and their controls disabled: the build
    // writes cache file i for record i, so a record must not move under it.
    void showBuilding(bool on);
    bool refusedWhileBuilding() const { return building_; }

    store::ListContext context_;
    store::ListSession session_;
    WindowServices services_;
    PathListWidget* pathList_ = nullptr;
    QLabel* listLabel_ = nullptr;
    QPushButton* makeListButton_ = nullptr;
    QHBoxLayout* makeListRow_ = nullptr;
    QMenu* pathListMenu_ = nullptr;
    QList<QWidget*> buildLockedWidgets_;
    QList<QAction*> buildLockedActions_;
    std::function<void()> buildHandler_;
    std::function<void()> playlistHandler_;
    std::function<void()> removableHandler_;
    std::function<void()> duplicatesHandler_;
    std::function<void()> stopRequester_;
    DiskReadHandler diskReadHandler_;
    bool building_ = false;
    CloseWhenIdle closing_;
};

// The notice of a command whose part of the program is not available.
inline constexpr std::string_view kNotAvailableText = "This command is not available yet.";

}  // namespace quor::ui
